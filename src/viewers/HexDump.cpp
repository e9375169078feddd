#include "viewers/HexDump.h"

#include <algorithm>

const char kHexHeader[] =
    "Address    0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  -- ASCII Data --";

namespace {
const char kDigits[] = "0123456789ABCDEF";
}

char HexDisplayChar(uint8_t byte) {
    return (byte >= 32 && byte <= 125) ? static_cast<char>(byte) : '.';
}

std::string FormatHexLine(const uint8_t* data, uint32_t size, uint32_t row) {
    std::string line(kHexLineLength, ' ');
    // Offsets are shown with 8 digits; rows past 4 GiB cannot hold data.
    const uint32_t offset = row * static_cast<uint32_t>(kHexBytesPerRow);
    for (int i = 0; i < 8; ++i) line[7 - i] = kDigits[(offset >> (4 * i)) & 0xF];

    const uint64_t start = static_cast<uint64_t>(row) * kHexBytesPerRow;
    for (int k = 0; k < kHexBytesPerRow; ++k) {
        const uint64_t at = start + k;
        if (at >= size) break;
        const uint8_t byte = data[at];
        line[kHexColumn + 3 * k] = kDigits[byte >> 4];
        line[kHexColumn + 3 * k + 1] = kDigits[byte & 0xF];
        line[kCharColumn + k] = HexDisplayChar(byte);
    }
    return line;
}

THexScrollRange ComputeHexScrollRange(uint32_t size, int visibleRows) {
    const int64_t fullRows = size / kHexBytesPerRow;
    THexScrollRange range;
    range.Maximum = static_cast<int>(std::max<int64_t>(0, fullRows - visibleRows + 1));
    range.PageStep = visibleRows;
    range.Enabled = fullRows >= visibleRows;
    return range;
}
