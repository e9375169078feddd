#include "cli/ListColumns.h"

#include "archive/VornFunctions.h"
#include "cli/Output.h"
#include "viewers/FormatRegistry.h"

#include <cstdio>

std::string SizeInKbText(uint32_t size) {
    uint32_t kilobytes = 0;
    if (size != 0) {
        kilobytes = (size + 1023u) / 1024u;  // wraps to 0 near 4 GiB
        if (kilobytes == 0) kilobytes = 1;
    }
    return std::to_string(kilobytes) + " kB";
}

std::string CrcColumnText(uint32_t crc) {
    if (crc == 0) return "-";
    char text[9];
    std::snprintf(text, sizeof text, "%08X", crc);
    return text;
}

std::string ModifiedText(uint64_t fileTime) {
    std::string text = FileTimeToIsoStr(fileTime);
    if (text.size() > 10 && text[10] == 'T') text[10] = ' ';
    return text;
}

TListColumns ListColumnsOf(const TVornFile& vorn, uint32_t offset, const std::string& name) {
    TListColumns columns;
    columns.Modified = ModifiedText(vorn.GetFileTime(offset));
    if (vorn.IsDirectory(offset)) {
        columns.Type = "Folder";
        return columns;
    }
    columns.Type = DisplayText(GetFileTypeDescription(name));
    const uint32_t size = vorn.GetSize(offset);
    const uint16_t format = vorn.GetFormat(offset);
    columns.Size = SizeInKbText(size);
    if (size != 0 && format != DATAFORMAT_RAW)
        columns.Ratio = CompressionRatioToStr(size, vorn.GetCompressedSize(offset));
    columns.Format = FormatToStr(format).substr(0, 4);
    columns.Crc = CrcColumnText(vorn.GetCRC32(offset));
    return columns;
}
