// The texts of the file list's columns for one entry, as `list` prints them.
// Size, Ratio, Format and CRC read as in the program's file list; the time is
// written "YYYY-MM-DD HH:MM:SS" so the output does not depend on the locale.
#pragma once

#include "archive/VornFile.h"

#include <cstdint>
#include <string>

struct TListColumns {
    std::string Type;      // "Folder", or the type text of the name (UTF-8, escaped)
    std::string Size;      // "%u kB", rounded up; empty for a directory
    std::string Ratio;     // "75%"; empty for a directory, a stored or an empty entry
    std::string Format;    // first 4 characters of the format name; empty for a directory
    std::string Crc;       // 8 upper-case hex digits, "-" for none; empty for a directory
    std::string Modified;  // empty when the time cannot be converted
};

// `name` is the entry's raw name (GetName).
TListColumns ListColumnsOf(const TVornFile& vorn, uint32_t offset, const std::string& name);

// Size column text of a file entry: kilobytes rounded up, at least 1 for a
// size other than 0.
std::string SizeInKbText(uint32_t size);
// CRC column text: "-" for 0, else 8 upper-case hex digits.
std::string CrcColumnText(uint32_t crc);
// "YYYY-MM-DD HH:MM:SS", or empty for a time outside the DOS range.
std::string ModifiedText(uint64_t fileTime);
