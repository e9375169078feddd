// Rows of the archive info and file properties dialogs.
#include "PrefsTestUtil.h"

#include "app/InfoRows.h"
#include "archive/VornError.h"
#include "archive/VornFunctions.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cstring>

namespace {

QString ValueOf(const TInfoRows& rows, const QString& key) {
    for (const auto& [k, v] : rows)
        if (k == key) return v;
    ADD_FAILURE() << "no row " << key.toStdString();
    return {};
}

QStringList KeysOf(const TInfoRows& rows) {
    QStringList keys;
    for (const auto& row : rows) keys << row.first;
    return keys;
}

TVornHeader KnownHeader() {
    TVornHeader h{};
    std::memcpy(h.m_ProductId, "Kvrd", 4);
    std::memcpy(h.m_VornId, "Vorn", 4);
    h.m_HeaderVersion = 0x00010002;
    h.m_DirSetOffset = 786;
    h.m_FileSetOffset = 0x1A2B;
    h.m_IndexSize = 4000000000u;
    h.m_DataOffset = 0xFFFFFFFF;
    const uint16_t version[6] = {1, 2, 3, 4, 0, 0};
    std::memcpy(h.m_ProductVersion, version, sizeof version);
    std::memcpy(h.m_MinimumVersion, version, sizeof version);
    h.m_Priority = 1;
    h.m_GUID = {0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    h.m_IndexCRC32 = 0xDEADBEEF;
    h.m_UtcBuildTime = {2004, 5, 3, 26, 10, 30, 15, 0};
    return h;
}

std::string TypeOf(const std::string& name) { return "type of " + name; }

class EntryRows : public ::testing::Test {
protected:
    void SetUp() override {
        built = BuildVorn(KnownArchivePlan());
        const QString file = MakeTempFolder() + "/known.kvres";
        built.Save(file.toStdString());
        vorn = TVornFile::Open(file.toStdString());
    }
    TInfoRows RowsOf(const std::string& path) {
        return EntryPropertyRows(*vorn, built.OffsetOf(path), TypeOf);
    }
    TBuiltVorn built;
    std::unique_ptr<TVornFile> vorn;
};

}  // namespace

TEST(HeaderRows, EveryFieldInOrderWithItsText) {
    const TInfoRows rows = HeaderInfoRows(KnownHeader());
    const TInfoRows expected = {
        {"m_ProductId", "Kvrd"},
        {"m_VornId", "Vorn"},
        {"m_HeaderVersion", "1.2"},
        {"m_DirSetOffset", "0x00000312"},
        {"m_FileSetOffset", "0x00001A2B"},
        {"m_IndexSize", "4000000000"},
        {"m_DataOffset", "0xFFFFFFFF"},
        {"m_ProductVersion", QString::fromStdString(VersionToStr(KnownHeader().m_ProductVersion))},
        {"m_MinimumVersion", QString::fromStdString(VersionToStr(KnownHeader().m_MinimumVersion))},
        {"m_Priority", QString::fromStdString(PriorityToStr(1))},
        {"m_Flags", "None"},
        {"m_CreatorId", "<none>"},
        {"m_GUID", "{01234567-89AB-CDEF-0123-456789ABCDEF}"},
        {"m_IndexCRC32", "0xDEADBEEF"},
        {"m_DataCRC32", "0x00000000"},
        {"m_UtcBuildTime", QString::fromStdString(SystemTimeToStr(KnownHeader().m_UtcBuildTime))},
    };
    EXPECT_EQ(rows, expected);
}

TEST(HeaderRows, CreatorIdShownUpToItsFirstZeroByte) {
    TVornHeader h = KnownHeader();
    std::memcpy(h.m_CreatorId, "AB\0C", 4);
    EXPECT_EQ(ValueOf(HeaderInfoRows(h), "m_CreatorId"), "AB");
    std::memcpy(h.m_CreatorId, "OSTR", 4);
    EXPECT_EQ(ValueOf(HeaderInfoRows(h), "m_CreatorId"), "OSTR");
}

TEST(HeaderTexts, TextsOfTheArchiveEndAtTheirFirstZero) {
    TVornPlan plan = KnownArchivePlan();
    plan.Header.Description = std::u16string(u"shown\0hidden", 12);
    const QString file = MakeTempFolder() + "/texts.kvres";
    BuildVorn(plan).Save(file.toStdString());
    const auto vorn = TVornFile::Open(file.toStdString());
    const THeaderTexts texts = HeaderTexts(*vorn);
    EXPECT_EQ(texts.Title, "Karvold Resources");
    EXPECT_EQ(texts.Copyright, "(c) Ostren");
    EXPECT_EQ(texts.Author, "Build Team");
    EXPECT_EQ(texts.BuildInfo, "nightly 42");
    EXPECT_EQ(texts.Description, "shown");
}

TEST_F(EntryRows, DirectoryHasNameTypeAndPathOnly) {
    const TInfoRows expected = {{"Name", "docs"}, {"Type", "Directory"}, {"Path", "\\"}};
    EXPECT_EQ(RowsOf("docs"), expected);
}

TEST_F(EntryRows, StoredFileShowsRawNoRatioAndTheValueAfterItsName) {
    const TInfoRows expected = {
        {"Name", "readme.txt"},      {"Type", "type of readme.txt"}, {"Path", "\\docs\\"},
        {"Size", "12"},              {"Compression", "Raw"},         {"Compression Ratio", "None"},
        {"Compressed size", "1234"},
    };
    EXPECT_EQ(RowsOf("docs/readme.txt"), expected);
}

TEST_F(EntryRows, CompressedFileShowsItsRatio) {
    const TInfoRows rows = RowsOf("big.dat");
    EXPECT_EQ(KeysOf(rows), QStringList({"Name", "Type", "Path", "Size", "Compression", "Compression Ratio",
                                         "Compressed size"}));
    const uint32_t stored = built.At("big.dat").StoredSize;
    EXPECT_EQ(ValueOf(rows, "Compression"), "Zlib");
    EXPECT_EQ(ValueOf(rows, "Compressed size"), QString::number(stored));
    EXPECT_EQ(ValueOf(rows, "Compression Ratio"), QString::fromStdString(CompressionRatioToStr(1000, stored)));
    EXPECT_NE(ValueOf(rows, "Compression Ratio"), "None");
}

TEST_F(EntryRows, EmptyCompressedFileHasNoRatio) {
    EXPECT_EQ(ValueOf(RowsOf("empty.bin"), "Compression Ratio"), "None");
    EXPECT_EQ(ValueOf(RowsOf("empty.bin"), "Size"), "0");
}

// A stored entry at the very end of the index without a compression header:
// the compressed size is never read from past the index.
TEST(EntryRowsAtIndexEnd, StoredEntryWithoutHeaderShowsItsSize) {
    TVornPlan plan;
    plan.Root.AddFile("last.txt", "twelve bytes").RawCompressionHeader = false;
    const TBuiltVorn built = BuildVorn(plan);
    ASSERT_EQ(built.At("last.txt").CompressionHeaderPos, 0u);
    const QString file = MakeTempFolder() + "/end.kvres";
    built.Save(file.toStdString());
    const auto vorn = TVornFile::Open(file.toStdString());
    EXPECT_EQ(ValueOf(EntryPropertyRows(*vorn, built.OffsetOf("last.txt"), TypeOf), "Compressed size"), "12");
}

TEST_F(EntryRows, OffsetOutsideTheIndexRaises) {
    EXPECT_THROW(EntryPropertyRows(*vorn, 0xFFFFFFF0u, TypeOf), EVornError);
}
