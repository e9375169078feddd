// The four list orders and the header clicks that choose them.
#include "app/SortFunctions.h"

#include <gtest/gtest.h>

namespace {

TVornChildItem Dir(const std::string& name, int day = 1) {
    TVornChildItem row;
    row.Name = name;
    row.TypeName = "Folder";
    row.IconIndex = 1;
    row.IsDirectory = true;
    row.Modified = TDosDateTime{2004, 1, day, 0, 0, 0};
    return row;
}

TVornChildItem File(const std::string& name, const std::string& type, uint32_t size, int day = 1) {
    TVornChildItem row;
    row.Name = name;
    row.TypeName = type;
    row.Size = size;
    row.IconIndex = 4;
    row.Modified = TDosDateTime{2004, 1, day, 0, 0, 0};
    return row;
}

// Folders b and A; files of three types, two sizes shared, days spread.
TRows Sample() {
    return {File("z.txt", "TXT File", 10, 5),      Dir("b", 3),
            File("B2.TXT", "TXT File", 10, 1),     File("map.raw", "Texture", 5000, 2),
            Dir("A", 6),                           File("logo.bmp", "Bitmap", 7, 4),
            File("_under.cfg", "CFG File", 3, 4)};
}

std::vector<std::string> Sorted(TRows rows, const TSortOrder& order) {
    SortRows(rows, order);
    std::vector<std::string> names;
    for (const auto& row : rows) names.push_back(row.Name);
    return names;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(CompareText, LettersAToZIgnoreCaseEverythingElseByCode) {
    struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {{"B.TXT", "b.txt", 0}, {"abc", "ABD", -1}, {"ab", "abc", -1}, {"_x", "zz", 1},
                 {"", "", 0},           {"a", "", 1},       {"\xE4", "a", 1}, {"\xE4", "\xC4", 1}};
    for (const auto& c : cases) {
        const int result = CompareText(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    }
}

TEST(SortRows, EachOrderAndItsReversal) {
    struct {
        TSortKey key;
        bool descending;
        Names expected;
    } cases[] = {
        {TSortKey::Name, false, {"A", "b", "B2.TXT", "logo.bmp", "map.raw", "z.txt", "_under.cfg"}},
        {TSortKey::Name, true, {"_under.cfg", "z.txt", "map.raw", "logo.bmp", "B2.TXT", "b", "A"}},
        {TSortKey::Size, false, {"A", "b", "_under.cfg", "logo.bmp", "B2.TXT", "z.txt", "map.raw"}},
        {TSortKey::Size, true, {"map.raw", "z.txt", "B2.TXT", "logo.bmp", "_under.cfg", "b", "A"}},
        {TSortKey::Type, false, {"A", "b", "logo.bmp", "_under.cfg", "map.raw", "B2.TXT", "z.txt"}},
        {TSortKey::Date, false, {"B2.TXT", "map.raw", "b", "logo.bmp", "_under.cfg", "z.txt", "A"}},
        {TSortKey::Date, true, {"A", "z.txt", "_under.cfg", "logo.bmp", "b", "map.raw", "B2.TXT"}},
        // No order chosen yet sorts by name.
        {TSortKey::None, false, {"A", "b", "B2.TXT", "logo.bmp", "map.raw", "z.txt", "_under.cfg"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sorted(Sample(), TSortOrder{c.key, c.descending}), c.expected)
            << static_cast<int>(c.key) << (c.descending ? " descending" : "");
}

TEST(SortRows, SizesOf2GiBAndMoreSortAfterSmallOnes) {
    TRows rows{File("huge.dat", "DAT File", 0x80000000u), File("small.dat", "DAT File", 1)};
    EXPECT_EQ(Sorted(rows, TSortOrder{TSortKey::Size, false}), (Names{"small.dat", "huge.dat"}));
}

TEST(SortRows, ARowWithoutTimeSortsFirstByDate) {
    TRows rows{File("dated", "F", 1, 2), File("undated", "F", 1)};
    rows[1].Modified.reset();
    EXPECT_EQ(Sorted(rows, TSortOrder{TSortKey::Date, false}), (Names{"undated", "dated"}));
}

TEST(HeaderClick, SameHeaderReversesOtherHeaderStartsAscendingInertHeadersChangeNothing) {
    TSortOrder order{TSortKey::Name, false};
    struct {
        const char* caption;
        bool sorts;
        TSortKey key;
        bool descending;
    } steps[] = {
        {"Name", true, TSortKey::Name, true},   {"Name", true, TSortKey::Name, false},
        {"Size", true, TSortKey::Size, false},  {"Size", true, TSortKey::Size, true},
        {"Ratio", false, TSortKey::Size, true}, {"Format", false, TSortKey::Size, true},
        {"CRC", false, TSortKey::Size, true},   {"Type", true, TSortKey::Type, false},
        {"Name", true, TSortKey::Name, false},  {"Name", true, TSortKey::Name, true},
        {"Type", true, TSortKey::Type, false},  {"Last Modified", true, TSortKey::Date, false},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(ApplyHeaderClick(order, step.caption), step.sorts) << step.caption;
        EXPECT_EQ(order.Key, step.key) << step.caption;
        EXPECT_EQ(order.Descending, step.descending) << step.caption;
    }
}
