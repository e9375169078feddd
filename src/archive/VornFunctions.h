// Display formatting of archive values that needs no locale. The date texts
// that follow the user's regional settings are built from FileTimeToDateTime
// in the application layer.
#pragma once

#include "VornFileDef.h"

#include <cstdint>
#include <optional>
#include <string>

// A local wall-clock time at DOS resolution (even seconds, 1980 to 2107).
struct TDosDateTime {
    int Year = 1980;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    bool operator==(const TDosDateTime& o) const;
    bool operator<(const TDosDateTime& o) const;
};

std::string CardinalToStr(uint32_t value);
// The FILETIME taken unchanged as wall-clock time, odd seconds rounded down;
// nothing for a value outside the years the DOS form can hold.
std::optional<TDosDateTime> FileTimeToDateTime(uint64_t fileTime);
// "YYYY-MM-DDTHH:MM:SS", or an empty text when FileTimeToDateTime gives nothing.
std::string FileTimeToIsoStr(uint64_t fileTime);
std::string VersionToStr(const uint16_t version[6]);
std::string PriorityToStr(uint32_t priority);
std::string SystemTimeToStr(const TSystemTime& time);
std::string FlagsToStr(uint32_t flags);
std::string FormatToStr(uint16_t format);
// round(100 - compressed / size * 100) with halves to even, then "%".
// The caller decides when there is no ratio; size 0 gives an empty text.
std::string CompressionRatioToStr(uint32_t size, uint32_t compressedSize);

// Header value texts shared by the info dialog and the command-line tool.
std::string HeaderVersionToStr(uint32_t version);        // "1.2"
std::string HexToStr(uint32_t value);                    // "0x00000312"
std::string FourCCToStr(const char id[4]);               // the four bytes
std::string CreatorIdToStr(const char id[4]);            // "<none>" for zero
std::string GuidToStr(const TGuid& guid);                // "{XXXXXXXX-...}"
// Converts UTF-16 to UTF-8 (lone surrogates become U+FFFD).
std::string Utf16ToUtf8(const std::u16string& text);
