#include "app/FileRows.h"

#include "app/NameDecoding.h"

#include <QDate>
#include <QTime>

namespace {

const char* const ColumnCaptions[FileColumnCount] = {
    "Name", "Type", "Size", "Last Modified", "Ratio", "Format", "CRC"};

// Archive times are wall-clock times without a zone, so the zone part of the
// user's long time format is dropped.
QString WithoutTimeZone(const QString& format) {
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == '\'') quoted = !quoted;
        if (!quoted && c == 't') continue;
        out += c;
    }
    return out.simplified();
}

QChar UpperAscii(QChar c) { return c >= 'a' && c <= 'z' ? QChar(c.unicode() - 'a' + 'A') : c; }

}  // namespace

TVornChildItem PendingRow(const TVornFile& vorn, uint32_t offset, const TFileTypeLookup& types) {
    TVornChildItem row;
    row.Offset = offset;
    row.Name = vorn.GetName(offset);
    row.IsDirectory = vorn.IsDirectory(offset);
    if (row.IsDirectory) {
        row.IconIndex = 1;
        row.TypeName = "Folder";
    } else {
        row.IconIndex = static_cast<uint16_t>(types.IconIndex(row.Name));
        row.TypeName = types.Description(row.Name);
        row.Size = vorn.GetSize(offset);
        row.Flags = vorn.GetFileFlags(offset);
    }
    row.Modified = FileTimeToDateTime(vorn.GetFileTime(offset));
    return row;
}

void BuildRows(const TVornFile& vorn, uint32_t folder, const TFileTypeLookup& types, TRows& rows) {
    const uint32_t count = vorn.GetChildCount(folder);
    if (count == 0) return;
    rows.reserve(rows.size() + count);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t offset = 0;
        vorn.GetChild(folder, i, offset);
        rows.push_back(PendingRow(vorn, offset, types));
    }
}

void CompleteRow(const TVornFile& vorn, TVornChildItem& row) {
    if (!row.Pending) return;
    if (!row.IsDirectory) {
        row.Format = vorn.GetFormat(row.Offset);
        row.FormatName = FormatToStr(row.Format).substr(0, 4);
        row.CRC = vorn.GetCRC32(row.Offset);
        row.CompressedSize = vorn.GetCompressedSize(row.Offset);
    }
    row.Pending = false;
}

void CompleteRows(const TVornFile& vorn, TRows& rows, int first, int last) {
    if (first < 0 || last >= static_cast<int>(rows.size())) return;
    for (int i = first; i <= last; ++i) CompleteRow(vorn, rows[i]);
}

QString FileColumnCaption(int column) {
    return column >= 0 && column < FileColumnCount ? QString::fromLatin1(ColumnCaptions[column])
                                                   : QString();
}

TDateTimeFormat::TDateTimeFormat(const QLocale& locale)
    : FLocale(locale),
      FDateFormat(locale.dateFormat(QLocale::ShortFormat)),
      FTimeFormat(WithoutTimeZone(locale.timeFormat(QLocale::LongFormat))) {}

QString TDateTimeFormat::Format(const TDosDateTime& time) const {
    const QString date = FLocale.toString(QDate(time.Year, time.Month, time.Day), FDateFormat);
    if (time.Hour == 0 && time.Minute == 0 && time.Second == 0) return date;
    return date + ' ' + FLocale.toString(QTime(time.Hour, time.Minute, time.Second), FTimeFormat);
}

QString SizeText(const TVornChildItem& row) {
    if (row.IsDirectory) return {};
    // 64-bit sum: sizes near 4 GiB must not wrap round to "1 kB".
    const uint64_t kilobytes = (uint64_t{row.Size} + 1023) / 1024;
    return QString::number(kilobytes) + QStringLiteral(" kB");
}

QString ColumnText(const TVornChildItem& row, int column, const TDateTimeFormat& dates) {
    switch (column) {
    case ColName:
        return DecodeArchiveText(row.Name);
    case ColType:
        return DecodeArchiveText(row.TypeName);
    case ColSize:
        return SizeText(row);
    case ColModified:
        return row.Modified ? dates.Format(*row.Modified) : QString();
    case ColRatio:
        if (row.IsDirectory || row.Size == 0 || row.Format == DATAFORMAT_RAW) return {};
        return QString::fromStdString(CompressionRatioToStr(row.Size, row.CompressedSize));
    case ColFormat:
        return row.IsDirectory ? QString() : QString::fromStdString(row.FormatName);
    case ColCRC:
        if (row.IsDirectory) return {};
        return row.CRC == 0 ? QStringLiteral("-")
                            : QStringLiteral("%1").arg(row.CRC, 8, 16, QChar('0')).toUpper();
    default:
        return {};
    }
}

bool NameStartsWith(const QString& name, const QString& prefix) {
    if (prefix.size() > name.size()) return false;
    for (int i = 0; i < prefix.size(); ++i)
        if (UpperAscii(name[i]) != UpperAscii(prefix[i])) return false;
    return true;
}

int FindRowByPrefix(const TRows& rows, const QString& text, int start, bool wrap) {
    const int count = static_cast<int>(rows.size());
    if (count == 0) return -1;
    int i = start < 0 || start > count ? 0 : start;
    if (i == count) {
        if (!wrap) return -1;
        i = 0;
    }
    const int first = i;
    do {
        if (NameStartsWith(DecodeArchiveText(rows[i].Name), text)) return i;
        if (++i == count) {
            if (!wrap) return -1;
            i = 0;
        }
    } while (i != first);
    return -1;
}
