// Queries of an open archive: the directory set, children, names, paths and
// file fields, and clean errors where damaged records reach outside the index.
#include "ArchiveTestUtil.h"

#include <gtest/gtest.h>

namespace {

// Root "" with readme.txt, art/ (maps/ with a.map, logo.bmp) and empty/.
TVornPlan TreePlan()
{
    TVornPlan plan;
    plan.Root.AddFile("readme.txt", "hello").Time(FileTimeOf(2001, 2, 3, 4, 5, 6));
    TEntryPlan& art = plan.Root.AddDir("art");
    art.Time(FileTimeOf(1999, 12, 31, 23, 59, 58));
    art.AddDir("maps").AddFile("a.map", SampleBytes(5000, 2)).Zlib().WithFlags(FILEFLAG_STRUCK);
    art.AddFile("logo.bmp", SampleBytes(700, 3)).Lzo().Chunked(256);
    plan.Root.AddDir("empty");
    return plan;
}

class Query : public ::testing::Test {
protected:
    void SetUp() override
    {
        Built = BuildVorn(TreePlan());
        Vorn = OpenBytes(Dir, Built.Bytes);
    }
    uint32_t At(const std::string& path) const { return Built.OffsetOf(path); }

    TScratchDir Dir;
    TBuiltVorn Built;
    std::unique_ptr<TVornFile> Vorn;
};

TEST_F(Query, DirectorySetListsEveryDirectoryRootFirst)
{
    EXPECT_EQ(Vorn->GetRootOffset(), At(""));
    ASSERT_EQ(Vorn->GetDirCount(), 4u);
    std::vector<uint32_t> dirs;
    for (const TEntryLayout& e : Built.Entries)
        if (e.IsDir)
            dirs.push_back(e.Offset);
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(Vorn->GetDirOffset(i), dirs[i]);
    EXPECT_EQ(Vorn->GetParentOffset(Vorn->GetRootOffset()), 0u);
}

TEST_F(Query, ChildrenComeInStoredOrderWithTheNextIndex)
{
    const uint32_t root = Vorn->GetRootOffset();
    ASSERT_EQ(Vorn->GetChildCount(root), 3u);
    uint32_t child = 0;
    EXPECT_EQ(Vorn->GetChild(root, 0, child), 1u);
    EXPECT_EQ(child, At("readme.txt"));
    EXPECT_EQ(Vorn->GetChild(root, 1, child), 2u);
    EXPECT_EQ(child, At("art"));
    EXPECT_EQ(Vorn->GetChild(root, 2, child), 0u);
    EXPECT_EQ(child, At("empty"));

    EXPECT_EQ(MessageOf([&] { Vorn->GetChild(root, 3, child); }), "ChildIndex out of bounds! (3)");
    EXPECT_EQ(MessageOf([&] { Vorn->GetChild(root, 0xFFFFFFFF, child); }),
              "ChildIndex out of bounds! (-1)");
    EXPECT_EQ(Vorn->GetChildCount(At("empty")), 0u);
    EXPECT_EQ(MessageOf([&] { Vorn->GetChild(At("empty"), 0, child); }),
              "ChildIndex out of bounds! (0)");
}

TEST_F(Query, DirectoryAndFileSetsMeetAtTheFileSetOffset)
{
    const uint32_t boundary = Vorn->Header().m_FileSetOffset - Vorn->Header().m_DirSetOffset;
    EXPECT_FALSE(Vorn->IsDirectory(boundary));
    EXPECT_TRUE(Vorn->IsDirectory(boundary - 1));
    EXPECT_TRUE(Vorn->IsDirectory(At("art")));
    EXPECT_FALSE(Vorn->IsDirectory(At("art/logo.bmp")));
}

TEST_F(Query, PathsHoldTheAncestorsWithBackslashes)
{
    EXPECT_EQ(Vorn->GetPath(At("")), "");
    EXPECT_EQ(Vorn->GetPath(At("readme.txt")), "\\");
    EXPECT_EQ(Vorn->GetPath(At("art")), "\\");
    EXPECT_EQ(Vorn->GetPath(At("art/logo.bmp")), "\\art\\");
    EXPECT_EQ(Vorn->GetPath(At("art/maps/a.map")), "\\art\\maps\\");
}

TEST_F(Query, FileAndDirectoryFields)
{
    const uint32_t map = At("art/maps/a.map");
    EXPECT_EQ(Vorn->GetSize(map), 5000u);
    EXPECT_EQ(Vorn->GetCRC32(map), ReadU32(Built.Bytes, Built.At("art/maps/a.map").RecordPos + 12));
    EXPECT_NE(Vorn->GetCRC32(map), 0u);
    EXPECT_EQ(Vorn->GetFormat(map), DATAFORMAT_ZLIB);
    EXPECT_EQ(Vorn->GetFileFlags(map), FILEFLAG_STRUCK);
    EXPECT_EQ(Vorn->GetCompressedSize(map), Built.At("art/maps/a.map").StoredSize);
    EXPECT_EQ(Vorn->GetFormat(At("art/logo.bmp")), DATAFORMAT_LZO);
    EXPECT_EQ(Vorn->GetFileFlags(At("art/logo.bmp")), 0);
    EXPECT_EQ(Vorn->GetFileTime(At("readme.txt")), FileTimeOf(2001, 2, 3, 4, 5, 6));
    EXPECT_EQ(Vorn->GetFileTime(At("art")), FileTimeOf(1999, 12, 31, 23, 59, 58));
    EXPECT_EQ(Vorn->GetCompressedSize(At("readme.txt")), 5u);
}

TEST(Names, AreTheCharactersUpToTheZeroByte)
{
    const std::string names[] = {"", "a", "ab", "abcde", "abcdef", "abcdefghi",
                                 std::string("\xC9t\xE9\x1B$x", 6)};
    TVornPlan plan;
    for (const std::string& name : names)
        plan.Root.AddDir("d" + name).AddFile(name, "x");
    plan.Root.AddFile(std::string("ab\0cd", 5), "y");
    TScratchDir dir;
    const TBuiltVorn built = BuildVorn(plan);
    const auto vorn = OpenBytes(dir, built.Bytes);
    for (const std::string& name : names) {
        EXPECT_EQ(vorn->GetName(built.OffsetOf("d" + name)), "d" + name);
        EXPECT_EQ(vorn->GetName(built.OffsetOf("d" + name + "/" + name)), name);
        EXPECT_EQ(vorn->GetChildCount(built.OffsetOf("d" + name)), 1u);  // child list found
    }
    EXPECT_EQ(vorn->GetName(built.OffsetOf(std::string("ab\0cd", 5))), "ab");
}

TEST(Names, TheRootNameIsPartOfEveryPath)
{
    TVornPlan plan;
    plan.Root.Name = "data";
    plan.Root.Add("art/maps/a.map", "x");
    TScratchDir dir;
    const TBuiltVorn built = BuildVorn(plan);
    const auto vorn = OpenBytes(dir, built.Bytes);
    EXPECT_EQ(vorn->GetPath(built.OffsetOf("art/maps/a.map")), "data\\art\\maps\\");
    EXPECT_EQ(vorn->GetPath(built.OffsetOf("")), "");
}

TEST(CompressedSize, StoredEntryWithoutHeaderAtTheEndOfTheIndexGivesItsSize)
{
    TVornPlan plan;
    plan.Root.AddFile("last.txt", "twelve bytes").RawCompressionHeader = false;
    TScratchDir dir;
    const TBuiltVorn built = BuildVorn(plan);
    ASSERT_EQ(built.At("last.txt").RecordPos + built.At("last.txt").RecordSize,
              built.IndexPos + built.Header.m_IndexSize);
    EXPECT_EQ(OpenBytes(dir, built.Bytes)->GetCompressedSize(built.OffsetOf("last.txt")), 12u);
}

TEST(CompressedSize, CompressedEntryWithoutRoomForItsHeaderFails)
{
    TVornPlan plan;
    plan.Root.AddFile("last.z", "some bytes").Zlib();
    plan.EditHeader = [](TVornHeader& h) { h.m_IndexSize -= 8; };
    TScratchDir dir;
    const TBuiltVorn built = BuildVorn(plan);
    const uint32_t file = built.OffsetOf("last.z");
    EXPECT_EQ(MessageOf([&] { OpenBytes(dir, built.Bytes)->GetCompressedSize(file); }),
              "Compression header of entry " + std::to_string(file) + " reaches outside the index");
}

// Damaged offsets and lengths: every query fails cleanly instead of reading
// outside the index.
TEST(DamagedQueries, ReportTheEntryThatReachesOutside)
{
    TVornPlan plan;
    plan.Root.AddDir("big").ForceChildCount = 0x40000000;
    plan.Root.AddFile("last.txt", "x");
    TScratchDir dir;
    TBuiltVorn built = BuildVorn(plan);
    const TEntryLayout& last = built.At("last.txt");
    PatchU16(built.Bytes, last.NamePos, 0xFFFF);
    const auto vorn = OpenBytes(dir, built.Bytes);
    const uint32_t size = vorn->IndexSize();
    const uint32_t big = built.OffsetOf("big");
    uint32_t child;
    const std::string s = std::to_string(size), l = std::to_string(last.Offset);

    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { vorn->GetParentOffset(size); }, "Entry " + s + " reaches outside the index"},
        {[&] { vorn->GetSize(size - 4); }, "Entry " + std::to_string(size - 4) + " reaches outside the index"},
        {[&] { vorn->GetFileTime(0xFFFFFFF8); }, "Entry 4294967288 reaches outside the index"},
        {[&] { vorn->GetFormat(0xFFFFFFFF); }, "Entry 4294967295 reaches outside the index"},
        {[&] { vorn->GetName(last.Offset); }, "Name of entry " + l + " reaches outside the index"},
        {[&] { vorn->GetChild(big, 0, child); },
         "Child list of directory " + std::to_string(big) + " reaches outside the index"},
        {[&] { vorn->GetDirOffset(1000); }, "Directory 1000 of the directory set lies outside the index"},
        {[&] { vorn->GetDirOffset(0xFFFFFFFF); },
         "Directory 4294967295 of the directory set lies outside the index"},
    };
    for (const auto& [call, message] : cases)
        EXPECT_EQ(MessageOf(call), message);
    EXPECT_EQ(vorn->GetChildCount(big), 0x40000000u);  // the count itself is readable
}

// Parent fields that lead back into themselves: GetPath stops with an error.
TEST(DamagedQueries, ParentLoopsEndGetPath)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> parents;  // entry -> new parent
    };
    const Case cases[] = {
        {"directory is its own parent", {{"a", "a"}}},
        {"two directories", {{"a", "a/b"}}},
        {"loop above the entry's parent", {{"a/b", "a/b/c"}}},
        {"long loop", {{"a", "a/b/c/d"}}},
    };
    for (const Case& c : cases) {
        TVornPlan plan;
        plan.Root.Add("a/b/c/d/f.txt", "x");
        TBuiltVorn built = BuildVorn(plan);
        for (const auto& [entry, parent] : c.parents)
            PatchU32(built.Bytes, built.At(entry).RecordPos, built.OffsetOf(parent));
        TScratchDir dir;
        const auto vorn = OpenBytes(dir, built.Bytes);
        const uint32_t file = built.OffsetOf("a/b/c/d/f.txt");
        EXPECT_EQ(MessageOf([&] { vorn->GetPath(file); }),
                  "Error in directory structure! (Parent loop above entry " + std::to_string(file) + ")")
            << c.what;
    }
}

TEST(DeepTrees, PathOfADeepEntry)
{
    TVornPlan plan;
    std::string path, expected = "\\";
    for (int i = 0; i < 500; ++i) {
        path += "d/";
        expected += "d\\";
    }
    plan.Root.Add(path + "f", "x");
    TScratchDir dir;
    const TBuiltVorn built = BuildVorn(plan);
    EXPECT_EQ(OpenBytes(dir, built.Bytes)->GetPath(built.OffsetOf(path + "f")), expected);
}

}  // namespace
