// Damaged archives: truncated at every length, with index bytes overwritten,
// with random bytes flipped. Every open and every query either works or raises
// EVornError; nothing reads outside the index or the file (the sanitizer
// build checks that), and whatever decodes is the entry's real contents.
#include "ArchiveTestUtil.h"
#include "archive/TreeWalk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>

namespace {

TVornPlan MixedPlan(bool indexAfterData)
{
    TVornPlan plan;
    plan.IndexAfterData = indexAfterData;
    plan.Header.Title = u"Damage";
    plan.Header.Description = u"every format";
    plan.Root.AddFile("a.txt", "hello world");
    plan.Root.AddFile("empty.txt", "");
    TEntryPlan& art = plan.Root.AddDir("art");
    art.AddFile("whole.z", SampleBytes(2000, 1)).Zlib();
    art.AddDir("maps").AddFile("whole.lzo", SampleBytes(1500, 2)).Lzo();
    TEntryPlan& chunked = art.AddFile("chunks.z", SampleBytes(640, 3)).Zlib().Chunked(256);
    chunked.Chunk(0).Extra = 4;
    chunked.Chunk(1).Mode = TChunkMode::Stored;
    art.AddFile("chunks.lzo", SampleBytes(600, 4)).Lzo().Chunked(200).Chunk(2).Extra = 7;
    plan.Root.AddDir("nothing");
    return plan;
}

std::map<uint32_t, std::string> ContentsByOffset(const TVornPlan& plan, const TBuiltVorn& built)
{
    std::map<uint32_t, std::string> out;
    std::function<void(const TEntryPlan&, const std::string&)> collect =
        [&](const TEntryPlan& e, const std::string& path) {
            if (!e.IsDir)
                out[built.OffsetOf(path)] = AsString(e.Contents);
            for (const TEntryPlan& child : e.Children)
                collect(child, path.empty() ? child.Name : path + "/" + child.Name);
        };
    collect(plan.Root, "");
    return out;
}

// Runs every query on `offset`; reads files. Each call may fail only with EVornError.
void Touch(TVornFile& vorn, uint32_t offset, const std::map<uint32_t, std::string>* contents)
{
    auto guarded = [](auto&& call) {
        try {
            call();
        } catch (const EVornError&) {
        }
    };
    guarded([&] { vorn.GetName(offset); });
    guarded([&] { vorn.GetPath(offset); });
    guarded([&] { vorn.GetParentOffset(offset); });
    guarded([&] { vorn.GetFileTime(offset); });
    if (vorn.IsDirectory(offset)) {
        guarded([&] {
            const uint32_t count = vorn.GetChildCount(offset);
            uint32_t child;
            for (uint32_t i = 0; i < count && i < 64; ++i)
                vorn.GetChild(offset, i, child);
        });
        return;
    }
    guarded([&] { vorn.GetSize(offset); });
    guarded([&] { vorn.GetCompressedSize(offset); });
    guarded([&] { vorn.GetCRC32(offset); });
    guarded([&] { vorn.GetFormat(offset); });
    guarded([&] { vorn.GetFileFlags(offset); });
    const std::string data = ReadEntry(vorn, offset);
    if (contents && data.rfind("error: ", 0) != 0) {
        const auto it = contents->find(offset);
        ASSERT_NE(it, contents->end());
        EXPECT_EQ(data, it->second) << "entry " << offset;
    }
}

// Opens the bytes and touches everything reachable: the directory set, the
// children of each directory and the tree walk.
void Exercise(TScratchDir& dir, const TBytes& bytes,
              const std::map<uint32_t, std::string>* contents = nullptr)
{
    // The open reader keeps the file readable; the name goes at once so the
    // loops do not fill the scratch folder.
    const std::string path = dir.Save(bytes);
    std::unique_ptr<TVornFile> vorn;
    try {
        vorn = TVornFile::Open(path);
    } catch (const EVornError&) {
    }
    std::remove(path.c_str());
    if (!vorn)
        return;
    vorn->GetTitle();
    try {
        const uint32_t dirs = vorn->GetDirCount();
        for (uint32_t i = 0; i < dirs && i < 64; ++i) {
            const uint32_t d = vorn->GetDirOffset(i);
            Touch(*vorn, d, contents);
            try {
                const uint32_t count = vorn->GetChildCount(d);
                for (uint32_t c = 0; c < count && c < 64; ++c) {
                    uint32_t child;
                    vorn->GetChild(d, c, child);
                    Touch(*vorn, child, contents);
                }
            } catch (const EVornError&) {
            }
        }
    } catch (const EVornError&) {
    }
    try {
        WalkTree(*vorn, vorn->GetRootOffset(), [&](uint32_t offset, const std::vector<uint32_t>&) {
            Touch(*vorn, offset, contents);
            return true;
        });
    } catch (const EVornError&) {
    }
}

TEST(Damage, TruncationAtEveryLength)
{
    for (bool indexAfterData : {false, true}) {
        const TVornPlan plan = MixedPlan(indexAfterData);
        const TBuiltVorn built = BuildVorn(plan);
        const auto contents = ContentsByOffset(plan, built);
        TScratchDir dir;
        Exercise(dir, built.Bytes, &contents);  // the whole archive reads right
        int opened = 0;
        for (size_t length = 0; length < built.Bytes.size(); ++length) {
            const TBytes cut(built.Bytes.begin(), built.Bytes.begin() + length);
            Exercise(dir, cut, &contents);
            opened += length >= built.IndexPos + built.Header.m_IndexSize;
        }
        // With the index first, every cut after it opens and is read as far as it goes.
        if (!indexAfterData) {
            EXPECT_GT(opened, 1000);
        }
    }
}

TEST(Damage, OverwrittenIndexAndHeaderBytes)
{
    const TBuiltVorn built = BuildVorn(MixedPlan(false));
    TScratchDir dir;
    std::vector<size_t> positions;
    for (size_t p = offsetof(TVornHeader, m_DirSetOffset); p < offsetof(TVornHeader, m_ProductVersion); ++p)
        positions.push_back(p);
    for (size_t p = built.IndexPos; p < built.IndexPos + built.Header.m_IndexSize; ++p)
        positions.push_back(p);
    for (size_t p : positions) {
        for (int variant = 0; variant < 3; ++variant) {
            TBytes bytes = built.Bytes;
            bytes[p] = variant == 0 ? 0x00 : variant == 1 ? 0xFF : static_cast<uint8_t>(bytes[p] ^ 0x80);
            Exercise(dir, bytes);
        }
    }
}

TEST(Damage, RandomlyFlippedBytes)
{
    const TBuiltVorn built = BuildVorn(MixedPlan(false));
    std::mt19937 random(1234);
    TScratchDir dir;
    for (int round = 0; round < 3000; ++round) {
        TBytes bytes = built.Bytes;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            bytes[random() % bytes.size()] ^= static_cast<uint8_t>(1 + random() % 255);
        Exercise(dir, bytes);
    }
}

}  // namespace
