#include "VornFunctions.h"

#include "VornError.h"

#include <cmath>
#include <tuple>

namespace {

constexpr uint64_t FileTimeTicksPerSecond = 10000000;
constexpr int64_t DaysFrom1601To1970 = 134774;

// Proleptic Gregorian date of a day count from 1970-01-01.
void CivilFromDays(int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

bool TDosDateTime::operator==(const TDosDateTime& o) const
{
    return std::tie(Year, Month, Day, Hour, Minute, Second) ==
           std::tie(o.Year, o.Month, o.Day, o.Hour, o.Minute, o.Second);
}

bool TDosDateTime::operator<(const TDosDateTime& o) const
{
    return std::tie(Year, Month, Day, Hour, Minute, Second) <
           std::tie(o.Year, o.Month, o.Day, o.Hour, o.Minute, o.Second);
}

std::string CardinalToStr(uint32_t value)
{
    return std::to_string(value);
}

std::optional<TDosDateTime> FileTimeToDateTime(uint64_t fileTime)
{
    const uint64_t seconds = fileTime / FileTimeTicksPerSecond;
    const int64_t days = static_cast<int64_t>(seconds / 86400);
    const uint32_t secondOfDay = static_cast<uint32_t>(seconds % 86400);

    TDosDateTime result;
    CivilFromDays(days - DaysFrom1601To1970, result.Year, result.Month, result.Day);
    if (result.Year < 1980 || result.Year > 2107)
        return std::nullopt;
    result.Hour = static_cast<int>(secondOfDay / 3600);
    result.Minute = static_cast<int>(secondOfDay / 60 % 60);
    result.Second = static_cast<int>(secondOfDay % 60) & ~1;  // DOS keeps even seconds
    return result;
}

std::string FileTimeToIsoStr(uint64_t fileTime)
{
    const auto time = FileTimeToDateTime(fileTime);
    if (!time)
        return std::string();
    return FormatMessage("%04d-%02d-%02dT%02d:%02d:%02d", time->Year, time->Month, time->Day,
                         time->Hour, time->Minute, time->Second);
}

std::string VersionToStr(const uint16_t version[6])
{
    return FormatMessage("%.2d.[%.2d].%.4d.%.2d.%.2d%.2d", version[0], version[1], version[2],
                         version[3], version[4], version[5]);
}

std::string PriorityToStr(uint32_t priority)
{
    const uint32_t priorityClass = (priority & 0xFFFF) >> 12;
    if (priorityClass >= 5)
        return "?";
    std::string text = PriorityNames[priorityClass];
    const uint32_t number = priority >> 16;
    if (number != 0)
        text += " + " + std::to_string(number);
    return text;
}

std::string SystemTimeToStr(const TSystemTime& time)
{
    return FormatMessage("%.2d/%.2d(%d)/%d, %.2d:%.2d:%.2d.%d", time.wMonth, time.wDay,
                         time.wDayOfWeek, time.wYear, time.wHour, time.wMinute, time.wSecond,
                         time.wMilliseconds);
}

std::string FlagsToStr(uint32_t flags)
{
    if (flags == 0)
        return "None";
    std::string text;
    for (int bit = 0; bit < 32; ++bit) {
        if (flags & (1u << bit)) {
            if (bit + 1 < 32)  // the table has no entry for bit 31: its name is empty
                text += FlagNames[bit + 1];
            text += "; ";
        }
    }
    return text;
}

std::string FormatToStr(uint16_t format)
{
    return format <= DATAFORMAT_LZO ? FormatNames[format] : "Unknown";
}

std::string CompressionRatioToStr(uint32_t size, uint32_t compressedSize)
{
    if (size == 0)
        return std::string();
    const double saved = 100.0 - static_cast<double>(compressedSize) / size * 100.0;
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return std::to_string(static_cast<long long>(std::nearbyint(saved))) + "%";
}

std::string HeaderVersionToStr(uint32_t version)
{
    return std::to_string(version >> 16) + "." + std::to_string(version & 0xFFFF);
}

std::string HexToStr(uint32_t value)
{
    return FormatMessage("0x%08X", value);
}

std::string FourCCToStr(const char id[4])
{
    std::string text;
    for (int i = 0; i < 4 && id[i] != '\0'; ++i)
        text += id[i];
    return text;
}

std::string CreatorIdToStr(const char id[4])
{
    if (id[0] == 0 && id[1] == 0 && id[2] == 0 && id[3] == 0)
        return "<none>";
    return std::string(id, 4);
}

std::string GuidToStr(const TGuid& guid)
{
    const uint8_t* b = guid.Data4;
    return FormatMessage("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1,
                         guid.Data2, guid.Data3, b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
}

std::string Utf16ToUtf8(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;  // lone surrogate
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}
