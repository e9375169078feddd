// Display texts of header and entry values, and the name tables behind them.
#include "archive/VornFunctions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Formatting, CardinalIsUnsignedDecimal)
{
    EXPECT_EQ(CardinalToStr(0), "0");
    EXPECT_EQ(CardinalToStr(3000000000u), "3000000000");
    EXPECT_EQ(CardinalToStr(4294967295u), "4294967295");
}

TEST(Formatting, VersionPadsEachNumberAndJoinsTheLastTwo)
{
    struct Case {
        uint16_t version[6];
        const char* text;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5, 6}, "01.[02].0003.04.0506"},
        {{0, 0, 0, 0, 0, 0}, "00.[00].0000.00.0000"},
        {{0, 0, 12345, 0, 0, 0}, "00.[00].12345.00.0000"},
        {{65535, 100, 9, 10, 11, 65535}, "65535.[100].0009.10.1165535"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionToStr(c.version), c.text);
}

TEST(Formatting, PriorityNamesTheClassAndAddsTheHighWord)
{
    const std::pair<uint32_t, const char*> cases[] = {
        {0, "Factory"},          {0x1000, "Language"},           {0x3000, "Patch"},
        {0x4000, "User"},        {0x00032000, "Expansion + 3"},  {0x0FFF, "Factory"},
        {0x5000, "?"},           {0xFFFF4000, "User + 65535"},   {0x0001F000, "?"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(PriorityToStr(value), text) << std::hex << value;
}

TEST(Formatting, SystemTimeIsMonthDayWeekdayYearThenTime)
{
    TSystemTime time{2002, 5, 5, 31, 13, 4, 5, 60};
    EXPECT_EQ(SystemTimeToStr(time), "05/31(5)/2002, 13:04:05.60");
    time.wMilliseconds = 6;
    EXPECT_EQ(SystemTimeToStr(time), "05/31(5)/2002, 13:04:05.6");
    EXPECT_EQ(SystemTimeToStr(TSystemTime{65535, 0, 0, 0, 0, 0, 0, 0}), "00/00(0)/65535, 00:00:00.0");
}

TEST(Formatting, FlagsListEverySetBitWithSeparator)
{
    const std::pair<uint32_t, const char*> cases[] = {
        {0, "None"},
        {1, "NON_RETAIL; "},
        {6, "ALLOW_MULTIPLAYER_XFER; PROTECTED_CONTENT; "},
        {8, "; "},
        {0x80000000u, "; "},
        {0x80000005u, "NON_RETAIL; PROTECTED_CONTENT; ; "},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FlagsToStr(value), text) << std::hex << value;
}

TEST(Formatting, FormatNamesAndUnknownCodes)
{
    EXPECT_EQ(FormatToStr(DATAFORMAT_RAW), "Raw");
    EXPECT_EQ(FormatToStr(DATAFORMAT_ZLIB), "Zlib");
    EXPECT_EQ(FormatToStr(DATAFORMAT_LZO), "Lzo");
    EXPECT_EQ(FormatToStr(3), "Unknown");
    EXPECT_EQ(FormatToStr(65535), "Unknown");
}

TEST(Formatting, NameTables)
{
    EXPECT_STREQ(PriorityNames[1], "Language");
    EXPECT_STREQ(PriorityNames[4], "User");
    EXPECT_STREQ(FlagNames[0], "NONE");
    EXPECT_STREQ(FlagNames[3], "PROTECTED_CONTENT");
    for (int i = 4; i < 32; ++i)
        EXPECT_STREQ(FlagNames[i], "") << i;
}

TEST(Formatting, CompressionRatioRoundsHalvesToEven)
{
    struct Case {
        uint32_t size, compressed;
        const char* text;
    };
    const Case cases[] = {
        {100, 25, "75%"},   {1000, 875, "12%"},  {1000, 625, "38%"},  {1000, 1100, "-10%"},
        {200, 1, "100%"},   {3, 1, "67%"},       {100, 0, "100%"},    {1, 4000000000u, "-399999999900%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompressionRatioToStr(c.size, c.compressed), c.text) << c.compressed << "/" << c.size;
}

TEST(Formatting, HeaderValueTexts)
{
    EXPECT_EQ(HeaderVersionToStr(0x00010002), "1.2");
    EXPECT_EQ(HeaderVersionToStr(0xFFFF0000), "65535.0");
    EXPECT_EQ(HexToStr(0x312), "0x00000312");
    EXPECT_EQ(HexToStr(0xDEADBEEF), "0xDEADBEEF");
    EXPECT_EQ(FourCCToStr("Kvrd"), "Kvrd");
    const char zeros[4] = {0, 0, 0, 0};
    const char someZero[4] = {'A', 0, 0, 'B'};
    EXPECT_EQ(CreatorIdToStr(zeros), "<none>");
    EXPECT_EQ(CreatorIdToStr("Orwn"), "Orwn");
    EXPECT_EQ(CreatorIdToStr(someZero), std::string("A\0\0B", 4));

    TGuid guid{0x0123ABCD, 0x4567, 0x89EF, {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10}};
    EXPECT_EQ(GuidToStr(guid), "{0123ABCD-4567-89EF-FEDC-BA9876543210}");
    EXPECT_EQ(GuidToStr(TGuid{}), "{00000000-0000-0000-0000-000000000000}");
}

TEST(Formatting, Utf16ToUtf8)
{
    EXPECT_EQ(Utf16ToUtf8(u"Karvold"), "Karvold");
    EXPECT_EQ(Utf16ToUtf8(u"\u00e9\u20ac"), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
