// The texts of the archive info dialog (header texts and one row per header
// field) and of the file properties dialog (one row per fact of an entry).
// Pure functions over the reader, so the dialogs only show what they get.
#pragma once

#include "archive/VornFile.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using TInfoRow = std::pair<QString, QString>;  // key, value
using TInfoRows = std::vector<TInfoRow>;

// The five texts of the info dialog's first page, each ending at its first
// zero code unit.
struct THeaderTexts {
    QString Title;
    QString Copyright;
    QString Author;
    QString BuildInfo;
    QString Description;
};

THeaderTexts HeaderTexts(const TVornFile& vorn);

// One row per header field, "m_ProductId" to "m_UtcBuildTime".
TInfoRows HeaderInfoRows(const TVornHeader& header);

// The type text of a file entry by name (the format registry's description).
using TTypeDescription = std::function<std::string(const std::string& name)>;

// Name, Type, Path for a directory; Name, Type, Path, Size, Compression,
// Compression Ratio, Compressed size for a file. Raises EVornError for an
// offset the index does not hold.
TInfoRows EntryPropertyRows(const TVornFile& vorn, uint32_t offset,
                            const TTypeDescription& typeDescription);
