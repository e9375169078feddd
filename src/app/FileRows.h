// The rows of the file list: one TVornChildItem per child entry of a
// directory, built from the index, with the costlier detail fields (format,
// CRC, compressed size) filled only when a row is about to be shown.
#pragma once

#include "archive/VornFile.h"
#include "archive/VornFunctions.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TVornChildItem {
    bool Pending = true;              // detail fields not read yet
    uint32_t Offset = 0;              // entry offset
    uint32_t CRC = 0;                 // detail; 0 = none
    uint32_t CompressedSize = 0;      // detail
    std::string Name;                 // raw bytes from the index
    std::string TypeName;             // "Folder" or the registry's type text
    uint32_t Size = 0;
    uint16_t IconIndex = 0;           // list picture; 0 and 1 are folders
    uint16_t Flags = 0;
    std::string FormatName;           // detail: at most 4 characters
    uint16_t Format = 0;              // detail: the data format code
    bool IsDirectory = false;
    std::optional<TDosDateTime> Modified;  // none for a time outside the DOS range
};

using TRows = std::vector<TVornChildItem>;

// Type text and list picture of a file entry by name (the format registry).
struct TFileTypeLookup {
    std::function<std::string(const std::string&)> Description;
    std::function<int32_t(const std::string&)> IconIndex;
};

// The pending row of the entry at `offset`: index fields only, details unread.
TVornChildItem PendingRow(const TVornFile& vorn, uint32_t offset, const TFileTypeLookup& types);
// Appends one pending row per child of `folder`, in index order.
void BuildRows(const TVornFile& vorn, uint32_t folder, const TFileTypeLookup& types, TRows& rows);
// Fills the detail fields of a pending row (file entries only) and clears Pending.
void CompleteRow(const TVornFile& vorn, TVornChildItem& row);
void CompleteRows(const TVornFile& vorn, TRows& rows, int first, int last);

// Rows with picture 0 or 1 are entered as folders when activated.
inline bool IsFolderForActivation(const TVornChildItem& row) { return row.IconIndex <= 1; }

enum TFileColumn { ColName, ColType, ColSize, ColModified, ColRatio, ColFormat, ColCRC, FileColumnCount };
QString FileColumnCaption(int column);

// Wall-clock date and time in the user's short date and long time formats;
// the time is left out at exactly midnight.
class TDateTimeFormat {
public:
    explicit TDateTimeFormat(const QLocale& locale);
    QString Format(const TDosDateTime& time) const;

private:
    QLocale FLocale;
    QString FDateFormat;
    QString FTimeFormat;
};

// "n kB" rounded up; empty for a directory.
QString SizeText(const TVornChildItem& row);
// Text of `column` for a completed row.
QString ColumnText(const TVornChildItem& row, int column, const TDateTimeFormat& dates);

// True when `name` begins with `prefix`, the letters a to z compared as capitals.
bool NameStartsWith(const QString& name, const QString& prefix);
// Type-ahead: the first row from `start` on whose name begins with `text`,
// going round to row 0 when `wrap` is set; -1 when none.
int FindRowByPrefix(const TRows& rows, const QString& text, int start, bool wrap);
