#include "cli/ListColumns.h"

#include "app/FileRows.h"
#include "app/NameDecoding.h"
#include "archive/VornFunctions.h"
#include "cli/Output.h"
#include "viewers/FormatRegistry.h"

#include <cstdio>

namespace {

const TFileTypeLookup RegistryTypes{GetFileTypeDescription, GetFileIconIndex};

std::string TextOf(const TVornChildItem& row, TFileColumn column) {
    // The time column is written here, so no locale format is needed.
    static const TDateTimeFormat unusedDates{QLocale::c()};
    return EscapeControls(ToUtf8String(ColumnText(row, column, unusedDates)));
}

std::string ModifiedText(const TVornChildItem& row) {
    if (!row.Modified) return {};
    const TDosDateTime& t = *row.Modified;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.Year, t.Month, t.Day,
                  t.Hour, t.Minute, t.Second);
    return text;
}

}  // namespace

TListColumns ListColumnsOf(const TVornFile& vorn, uint32_t offset) {
    TVornChildItem row = PendingRow(vorn, offset, RegistryTypes);
    CompleteRow(vorn, row);
    TListColumns columns;
    columns.Type = TextOf(row, ColType);
    columns.Size = TextOf(row, ColSize);
    columns.Ratio = TextOf(row, ColRatio);
    columns.Format = TextOf(row, ColFormat);
    columns.Crc = TextOf(row, ColCRC);
    columns.Modified = ModifiedText(row);
    return columns;
}
