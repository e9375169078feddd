// The texts of the file list's columns for one entry, as `list` prints them.
// Type, Size, Ratio, Format and CRC are the program's file list texts; the
// time is written "YYYY-MM-DD HH:MM:SS" so the output does not depend on the
// locale.
#pragma once

#include "archive/VornFile.h"

#include <cstdint>
#include <string>

struct TListColumns {
    std::string Type;      // "Folder", or the type text of the name (UTF-8, escaped)
    std::string Size;      // "n kB", rounded up; empty for a directory
    std::string Ratio;     // "75%"; empty for a directory, a stored or an empty entry
    std::string Format;    // first 4 characters of the format name; empty for a directory
    std::string Crc;       // 8 upper-case hex digits, "-" for none; empty for a directory
    std::string Modified;  // empty when the time cannot be converted
};

TListColumns ListColumnsOf(const TVornFile& vorn, uint32_t offset);
