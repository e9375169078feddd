// The four orders of the file list. Each compare function looks only at the
// fields filled when a row is built, returns <0, 0 or >0, and is negated for
// the descending order.
#pragma once

#include "app/FileRows.h"

#include <QString>

#include <string>

enum class TSortKey { None, Name, Type, Size, Date };

struct TSortOrder {
    TSortKey Key = TSortKey::None;  // None until the first listing
    bool Descending = false;
};

// Letters a to z compared as A to Z, everything else by byte value; a text
// that is the beginning of the other comes first.
int CompareText(const std::string& a, const std::string& b);
// Unsigned, so sizes of 2 GiB and more sort after the small ones.
int CompareInteger(uint32_t x, uint32_t y);
// A missing time sorts before every real one.
int CompareDateTime(const std::optional<TDosDateTime>& a, const std::optional<TDosDateTime>& b);

int CompareByName(const TVornChildItem& a, const TVornChildItem& b);
int CompareByType(const TVornChildItem& a, const TVornChildItem& b);
int CompareBySize(const TVornChildItem& a, const TVornChildItem& b);
int CompareByDate(const TVornChildItem& a, const TVornChildItem& b);

// The compare of `order` with the descending flag applied.
int CompareRows(const TSortOrder& order, const TVornChildItem& a, const TVornChildItem& b);
// Sorts by `order`; an order without a key sorts by name, ascending.
void SortRows(TRows& rows, const TSortOrder& order);

// The order chosen by the header with this caption: None for the headers
// that do not sort.
TSortKey SortKeyForCaption(const QString& caption);
// A click on the header `caption`: the same key again reverses the order, a
// new key starts ascending. Returns false (and changes nothing) for a header
// that does not sort.
bool ApplyHeaderClick(TSortOrder& order, const QString& caption);
