// FILETIME to wall-clock time at DOS resolution, with no time-zone conversion.
#include "archive/VornFunctions.h"

#include <gtest/gtest.h>

#include <ctime>
#include <random>

namespace {

constexpr uint64_t TicksPerSecond = 10000000;
constexpr uint64_t DosEpoch = 119600064000000000ull;      // 1980-01-01 00:00:00
constexpr uint64_t UnixEpoch = 116444736000000000ull;     // 1970-01-01 00:00:00
constexpr int64_t SecondsFrom1601To1970 = 11644473600;

uint64_t After1980(uint64_t seconds)
{
    return DosEpoch + seconds * TicksPerSecond;
}

TDosDateTime Dos(int y, int mo, int d, int h, int mi, int s)
{
    TDosDateTime t;
    t.Year = y, t.Month = mo, t.Day = d, t.Hour = h, t.Minute = mi, t.Second = s;
    return t;
}

TEST(FileTime, ConvertsWallClockAtTwoSecondResolution)
{
    struct Case {
        uint64_t fileTime;
        TDosDateTime expected;
    };
    const Case cases[] = {
        {DosEpoch, Dos(1980, 1, 1, 0, 0, 0)},
        {DosEpoch + 1, Dos(1980, 1, 1, 0, 0, 0)},                   // below a second
        {After1980(1), Dos(1980, 1, 1, 0, 0, 0)},                   // odd second down
        {After1980(3) + TicksPerSecond - 1, Dos(1980, 1, 1, 0, 0, 2)},
        {127300464000000000ull, Dos(2004, 5, 26, 12, 0, 0)},
        {After1980(7364 * 86400ull + 86399), Dos(2000, 2, 29, 23, 59, 58)},  // leap day
    };
    for (const Case& c : cases) {
        const auto got = FileTimeToDateTime(c.fileTime);
        ASSERT_TRUE(got.has_value()) << c.fileTime;
        EXPECT_EQ(*got, c.expected) << c.fileTime;
    }
}

TEST(FileTime, NothingOutsideTheDosYears)
{
    EXPECT_FALSE(FileTimeToDateTime(0));
    EXPECT_FALSE(FileTimeToDateTime(UnixEpoch));
    EXPECT_FALSE(FileTimeToDateTime(DosEpoch - 1));
    EXPECT_FALSE(FileTimeToDateTime(UINT64_MAX));
    EXPECT_EQ(FileTimeToIsoStr(0), "");

    // 2107-12-31 23:59:59 is the last time the DOS form holds; one second on is 2108.
    const int64_t last = 4354819199 + SecondsFrom1601To1970;
    EXPECT_EQ(FileTimeToIsoStr(uint64_t(last) * TicksPerSecond), "2107-12-31T23:59:58");
    EXPECT_FALSE(FileTimeToDateTime(uint64_t(last + 1) * TicksPerSecond));
}

TEST(FileTime, IsoText)
{
    EXPECT_EQ(FileTimeToIsoStr(127300464000000000ull + 13 * TicksPerSecond), "2004-05-26T12:00:12");
    EXPECT_EQ(FileTimeToIsoStr(DosEpoch), "1980-01-01T00:00:00");
}

// The C library's UTC calendar (the wall-clock value is treated like UTC: no
// zone applied) agrees on random times across the whole range.
TEST(FileTime, AgreesWithTheCalendarOfTheCLibrary)
{
    std::mt19937_64 random(20040526);
    const uint64_t span = (4354819199 + SecondsFrom1601To1970) * TicksPerSecond - DosEpoch;
    for (int i = 0; i < 20000; ++i) {
        const uint64_t fileTime = DosEpoch + random() % span;
        const time_t unixSeconds =
            static_cast<time_t>(static_cast<int64_t>(fileTime / TicksPerSecond) - SecondsFrom1601To1970);
        std::tm tm{};
        ASSERT_NE(gmtime_r(&unixSeconds, &tm), nullptr);
        const auto got = FileTimeToDateTime(fileTime);
        ASSERT_TRUE(got.has_value()) << fileTime;
        EXPECT_EQ(*got, Dos(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                            tm.tm_sec & ~1))
            << fileTime;
    }
}

TEST(FileTime, DatesOrderChronologically)
{
    EXPECT_LT(Dos(2004, 5, 26, 12, 0, 0), Dos(2004, 5, 26, 12, 0, 2));
    EXPECT_LT(Dos(2003, 12, 31, 23, 59, 58), Dos(2004, 1, 1, 0, 0, 0));
    EXPECT_FALSE(Dos(2004, 1, 1, 0, 0, 0) < Dos(2004, 1, 1, 0, 0, 0));
}

}  // namespace
