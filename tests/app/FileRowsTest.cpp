// Rows of the file list: building, completing the detail fields, column
// texts and the type-ahead match.
#include "AppTestUtil.h"

#include "app/FileRows.h"
#include "app/SortFunctions.h"
#include "archive/VornFile.h"

#include <gtest/gtest.h>

namespace {

// Stands in for the format registry: ".bmp" is a picture, the rest documents.
const TFileTypeLookup TestTypes{
    [](const std::string& name) {
        return name.size() > 4 && name.substr(name.size() - 4) == ".bmp" ? std::string("Bitmap")
                                                                          : std::string("Some File");
    },
    [](const std::string& name) { return name.size() > 4 && name.substr(name.size() - 4) == ".bmp" ? 8 : 4; }};

TVornPlan MixedFolder() {
    TVornPlan plan;
    plan.Root.AddDir("b");
    plan.Root.AddDir("A").Time(FileTimeOf(2003, 1, 2, 0, 0, 0));
    plan.Root.AddFile("z.txt", std::string(1000, 'z')).Zlib(9);
    plan.Root.AddFile("B.TXT", "b").WithFlags(0x8000).Time(FileTimeOf(2004, 5, 26, 13, 14, 16));
    plan.Root.AddFile("pic.bmp", "BM").NoCrc();
    plan.Root.AddFile("odd.dat", "abcd").ForceFormat = 7;
    return plan;
}

std::vector<std::string> Names(const TRows& rows) {
    std::vector<std::string> names;
    for (const auto& row : rows) names.push_back(row.Name);
    return names;
}

const TVornChildItem& Find(const TRows& rows, const std::string& name) {
    for (const auto& row : rows)
        if (row.Name == name) return row;
    throw std::out_of_range(name);
}

}  // namespace

TEST(FileRows, BuildOnePendingRowPerChildFromTheIndexOnly) {
    TTempFolder temp;
    auto vorn = OpenSaved(temp.Save("mixed.kvres", MixedFolder()));
    TRows rows;
    BuildRows(*vorn, vorn->GetRootOffset(), TestTypes, rows);
    EXPECT_EQ(Names(rows), (std::vector<std::string>{"b", "A", "z.txt", "B.TXT", "pic.bmp", "odd.dat"}));

    const TVornChildItem& dir = Find(rows, "A");
    EXPECT_TRUE(dir.IsDirectory);
    EXPECT_EQ(dir.IconIndex, 1);
    EXPECT_EQ(dir.TypeName, "Folder");
    EXPECT_EQ(dir.Size, 0u);
    ASSERT_TRUE(dir.Modified.has_value());
    EXPECT_EQ(dir.Modified->Year, 2003);

    const TVornChildItem& file = Find(rows, "B.TXT");
    EXPECT_FALSE(file.IsDirectory);
    EXPECT_EQ(file.TypeName, "Some File");
    EXPECT_EQ(file.IconIndex, 4);
    EXPECT_EQ(file.Size, 1u);
    EXPECT_EQ(file.Flags, 0x8000);
    EXPECT_EQ(Find(rows, "pic.bmp").IconIndex, 8);
    for (const auto& row : rows) {
        EXPECT_TRUE(row.Pending) << row.Name;
        EXPECT_EQ(row.CRC, 0u) << row.Name;
        EXPECT_TRUE(row.FormatName.empty()) << row.Name;
    }
}

TEST(FileRows, CompletingReadsTheDetailFieldsOnce) {
    TTempFolder temp;
    auto vorn = OpenSaved(temp.Save("mixed.kvres", MixedFolder()));
    TRows rows;
    BuildRows(*vorn, vorn->GetRootOffset(), TestTypes, rows);
    CompleteRows(*vorn, rows, 0, static_cast<int>(rows.size()) - 1);

    const TVornChildItem& zipped = Find(rows, "z.txt");
    EXPECT_FALSE(zipped.Pending);
    EXPECT_EQ(zipped.FormatName, "Zlib");
    EXPECT_EQ(zipped.CRC, vorn->GetCRC32(zipped.Offset));
    EXPECT_NE(zipped.CRC, 0u);
    EXPECT_LT(zipped.CompressedSize, 1000u);
    EXPECT_EQ(Find(rows, "B.TXT").FormatName, "Raw");
    EXPECT_EQ(Find(rows, "odd.dat").FormatName, "Unkn");
    EXPECT_EQ(Find(rows, "pic.bmp").CRC, 0u);
    EXPECT_FALSE(Find(rows, "A").Pending);
    EXPECT_TRUE(Find(rows, "A").FormatName.empty());

    // A range outside the rows is ignored.
    TRows fresh;
    BuildRows(*vorn, vorn->GetRootOffset(), TestTypes, fresh);
    CompleteRows(*vorn, fresh, 0, static_cast<int>(fresh.size()));
    EXPECT_TRUE(fresh[0].Pending);
}

TEST(FileRows, AnEmptyDirectoryListsNoRows) {
    TTempFolder temp;
    TVornPlan plan;
    plan.Root.AddDir("empty");
    auto vorn = OpenSaved(temp.Save("e.kvres", plan));
    TRows rows;
    BuildRows(*vorn, vorn->GetRootOffset(), TestTypes, rows);
    ASSERT_EQ(rows.size(), 1u);
    TRows inside;
    BuildRows(*vorn, rows[0].Offset, TestTypes, inside);
    EXPECT_TRUE(inside.empty());
}

namespace {
TVornChildItem FileRow(uint32_t size, uint16_t format, uint32_t compressed, uint32_t crc = 0) {
    TVornChildItem row;
    row.Name = "f.dat";
    row.TypeName = "DAT File";
    row.Size = size;
    row.Format = format;
    row.CompressedSize = compressed;
    row.CRC = crc;
    row.Pending = false;
    return row;
}
}  // namespace

TEST(ColumnTexts, SizeRatioFormatAndCrc) {
    const TDateTimeFormat dates(QLocale::c());
    struct {
        TVornChildItem row;
        int column;
        const char* expected;
    } cases[] = {
        {FileRow(0, 0, 0), ColSize, "0 kB"},
        {FileRow(1, 0, 0), ColSize, "1 kB"},
        {FileRow(1024, 0, 0), ColSize, "1 kB"},
        {FileRow(1025, 0, 0), ColSize, "2 kB"},
        {FileRow(0xFFFFFFFFu, 0, 0), ColSize, "4194304 kB"},
        {FileRow(1000, DATAFORMAT_RAW, 1000), ColRatio, ""},
        {FileRow(1000, DATAFORMAT_ZLIB, 250), ColRatio, "75%"},
        {FileRow(400, DATAFORMAT_LZO, 250), ColRatio, "38%"},
        {FileRow(400, DATAFORMAT_ZLIB, 150), ColRatio, "62%"},
        {FileRow(100, DATAFORMAT_ZLIB, 150), ColRatio, "-50%"},
        {FileRow(0, DATAFORMAT_ZLIB, 8), ColRatio, ""},
        {FileRow(1, 0, 0, 0), ColCRC, "-"},
        {FileRow(1, 0, 0, 255), ColCRC, "000000FF"},
        {FileRow(1, 0, 0, 0xDEADBEEF), ColCRC, "DEADBEEF"},
        {FileRow(1, 0, 0), ColType, "DAT File"},
        {FileRow(1, 0, 0), ColName, "f.dat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColumnText(c.row, c.column, dates), QString(c.expected))
            << "column " << c.column << " size " << c.row.Size;
}

TEST(ColumnTexts, DirectoriesShowOnlyNameTypeAndTime) {
    TVornChildItem dir;
    dir.Name = "maps";
    dir.TypeName = "Folder";
    dir.IsDirectory = true;
    dir.IconIndex = 1;
    dir.Modified = TDosDateTime{2004, 5, 26, 12, 0, 0};
    const TDateTimeFormat dates(QLocale::c());
    EXPECT_EQ(ColumnText(dir, ColType, dates), "Folder");
    EXPECT_FALSE(ColumnText(dir, ColModified, dates).isEmpty());
    for (int column : {ColSize, ColRatio, ColFormat, ColCRC})
        EXPECT_EQ(ColumnText(dir, column, dates), QString()) << column;
}

TEST(ColumnTexts, DatesUseTheShortDateAndLongTimeWithoutZoneAndDropMidnight) {
    const TDateTimeFormat us(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.Format(TDosDateTime{2004, 5, 26, 13, 14, 16}), "5/26/04 1:14:16 PM");
    EXPECT_EQ(us.Format(TDosDateTime{2004, 5, 26, 0, 0, 0}), "5/26/04");
    const TDateTimeFormat german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.Format(TDosDateTime{2004, 5, 26, 13, 14, 16}), "26.05.04 13:14:16");
}

TEST(TypeAhead, FindsTheFirstRowFromTheStartWhoseNameBeginsWithTheText) {
    TRows rows(3);
    rows[0].Name = "alpha";
    rows[1].Name = "Beta";
    rows[2].Name = "beta2";
    struct {
        const char* text;
        int start;
        bool wrap;
        int expected;
    } cases[] = {
        {"be", 0, true, 1},  {"BE", 2, true, 2},   {"bETA2", 0, true, 2}, {"al", 1, true, 0},
        {"al", 1, false, -1}, {"al", 3, true, 0},  {"al", 3, false, -1},  {"x", 0, true, -1},
        {"", 1, true, 1},    {"alphabet", 0, true, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindRowByPrefix(rows, c.text, c.start, c.wrap), c.expected) << c.text << " from " << c.start;
    EXPECT_EQ(FindRowByPrefix(TRows(), "a", 0, true), -1);
}

TEST(TypeAhead, OnlyTheLettersAToZIgnoreCase) {
    EXPECT_TRUE(NameStartsWith("Beta", "bE"));
    EXPECT_FALSE(NameStartsWith(QString::fromUtf8("\xC3\x84pfel"), QString::fromUtf8("\xC3\xA4")));
    EXPECT_FALSE(NameStartsWith("[x", "{"));
}
