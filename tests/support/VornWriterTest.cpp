// Checks of the test-archive writer against the format, decoded by hand here
// so that reader tests built on the writer stand on firm ground.
#include "VornWriter.h"

#include <gtest/gtest.h>
#include <lzo/lzo1x.h>
#include <zlib.h>

#include <cstring>

namespace {

uint16_t U16(const TBytes& b, size_t pos) { return static_cast<uint16_t>(b[pos] | b[pos + 1] << 8); }

TBytes Pattern(size_t size, uint32_t seed) {
    TBytes out(size);
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<uint8_t>((i / 7 + seed) % 13 + 'a');
    return out;
}

TBytes Inflate(const uint8_t* in, size_t inSize, size_t outSize) {
    TBytes out(outSize);
    uLongf produced = static_cast<uLongf>(outSize);
    uLong consumed = static_cast<uLong>(inSize);
    EXPECT_EQ(uncompress2(out.data(), &produced, in, &consumed), Z_OK);
    EXPECT_EQ(consumed, inSize);
    out.resize(produced);
    return out;
}

TBytes Unlzo(const uint8_t* in, size_t inSize, size_t outSize) {
    TBytes out(outSize);
    lzo_uint produced = outSize;
    EXPECT_EQ(lzo1x_decompress_safe(in, inSize, out.data(), &produced, nullptr), LZO_E_OK);
    out.resize(produced);
    return out;
}

// Decodes a compressed file entry from the built bytes, following the format.
TBytes DecodeCompressed(const TBuiltVorn& vorn, const TEntryLayout& e, uint16_t format) {
    const TBytes& b = vorn.Bytes;
    auto decode = [&](size_t pos, size_t in, size_t out) {
        return format == DATAFORMAT_ZLIB ? Inflate(&b[pos], in, out) : Unlzo(&b[pos], in, out);
    };
    const uint32_t size = ReadU32(b, e.RecordPos + VornRecord::FileSize);
    const uint32_t compressed = ReadU32(b, e.CompressionHeaderPos);
    const uint32_t chunkSize = ReadU32(b, e.CompressionHeaderPos + 4);
    if (chunkSize == 0) return decode(e.DataPos, compressed, size);
    TBytes out;
    const uint32_t chunks = (size + chunkSize - 1) / chunkSize;
    EXPECT_EQ(chunks, e.ChunkCount);
    for (uint32_t i = 0; i < chunks; ++i) {
        TChunkHeader h;
        std::memcpy(&h, &b[e.ChunkTablePos + 16 * i], 16);
        const size_t pos = e.DataPos + h.m_ChunkOffset;
        if (h.m_CompressedSize == h.m_UncompressedSize) {
            out.insert(out.end(), &b[pos], &b[pos] + h.m_UncompressedSize);
            continue;
        }
        EXPECT_LE(h.m_CompressedSize, chunkSize);
        const TBytes part = decode(pos, h.m_CompressedSize, h.m_UncompressedSize - h.m_ExtraBytes);
        out.insert(out.end(), part.begin(), part.end());
        const size_t extra = pos + h.m_CompressedSize;
        out.insert(out.end(), &b[extra], &b[extra] + h.m_ExtraBytes);
    }
    return out;
}

}  // namespace

TEST(VornWriter, NameFieldsArePaddedToFourWithAZeroByte) {
    struct Case { std::string name; uint32_t fieldSize; };
    for (const Case& c : {Case{"", 4}, Case{"a", 4}, Case{"ab", 8}, Case{"abcde", 8},
                          Case{"abcdef", 12}, Case{"abcdefghi", 12}}) {
        TVornPlan plan;
        plan.Root.AddDir(c.name).AddFile("f", "x");
        const TBuiltVorn vorn = BuildVorn(plan);
        const TEntryLayout& dir = vorn.At(c.name, c.name.empty() ? 1 : 0);  // "" is also the root
        EXPECT_EQ(dir.ChildListPos - dir.NamePos, c.fieldSize) << c.name;
        EXPECT_EQ(dir.Offset % 4, 0u);
        EXPECT_EQ(U16(vorn.Bytes, dir.NamePos), c.name.size());
        EXPECT_EQ(0, std::memcmp(&vorn.Bytes[dir.NamePos + 2], c.name.data(), c.name.size()));
        EXPECT_EQ(vorn.Bytes[dir.NamePos + 2 + c.name.size()], 0);
        const TEntryLayout& file = vorn.At(c.name + "/f");
        EXPECT_EQ(ReadU32(vorn.Bytes, dir.ChildListPos), file.Offset);
        EXPECT_EQ(file.Offset % 4, 0u);
    }
}

TEST(VornWriter, LayoutKeepsDirectoriesBeforeTheFileSetAndEverythingInsideTheIndex) {
    for (const bool indexAfterData : {false, true}) {
        TVornPlan plan;
        plan.Header.Description = u"three units";
        plan.IndexAfterData = indexAfterData;
        plan.JunkBeforeFiles = 12;
        plan.Root.Name = "root";
        plan.Root.Add("a/b/c.txt", "c").Zlib();
        plan.Root.Add("a/d.txt", "d");
        plan.Root.AddDir("empty");
        const TBuiltVorn vorn = BuildVorn(plan);
        const TVornHeader& h = vorn.Header;

        EXPECT_EQ(0, std::memcmp(vorn.Bytes.data(), "KvrdVorn", 8));
        EXPECT_EQ(ReadU32(vorn.Bytes, offsetof(TVornHeader, m_DirSetOffset)), vorn.IndexPos);
        EXPECT_EQ(U16(vorn.Bytes, offsetof(TVornHeader, m_DescriptionLength)), 11);
        EXPECT_EQ(indexAfterData ? h.m_DataOffset : h.m_DirSetOffset, 786u + 22);
        EXPECT_EQ(ReadU32(vorn.Bytes, vorn.IndexPos), 4u);  // root, a, a/b, empty
        EXPECT_EQ(ReadU32(vorn.Bytes, vorn.IndexPos + 4), vorn.OffsetOf(""));

        const uint32_t fileSet = h.m_FileSetOffset - h.m_DirSetOffset;
        for (const TEntryLayout& e : vorn.Entries) {
            EXPECT_EQ(e.IsDir, e.Offset < fileSet) << e.Path;
            EXPECT_LE(e.Offset + e.RecordSize, h.m_IndexSize) << e.Path;
            EXPECT_EQ(e.RecordPos, h.m_DirSetOffset + e.Offset);
            const uint32_t parent = ReadU32(vorn.Bytes, e.RecordPos);
            const size_t slash = e.Path.rfind('/');
            if (e.Path.empty()) EXPECT_EQ(parent, 0u);
            else EXPECT_EQ(parent, vorn.OffsetOf(slash == std::string::npos ? "" : e.Path.substr(0, slash)));
        }
        EXPECT_EQ(vorn.Bytes[vorn.FileSetPos], 0xCC);  // junk ahead of the first file
        EXPECT_EQ(ReadU32(vorn.Bytes, vorn.At("empty").RecordPos + 4), 0u);
    }
}

TEST(VornWriter, CompressedEntriesDecodeBackToTheirContents) {
    TVornPlan plan;
    const TBytes contents = Pattern(10000, 3);
    plan.Root.AddFile("z", contents).Zlib(9);
    plan.Root.AddFile("l", contents).Lzo();
    plan.Root.AddFile("zc", contents).Zlib(1).Chunked(4096);
    TEntryPlan& lc = plan.Root.AddFile("lc", contents).Lzo().Chunked(4000);
    lc.Chunk(0).Extra = 4;
    lc.Chunk(1).Mode = TChunkMode::Stored;
    lc.Chunk(1).Extra = 77;  // ignored for a stored chunk
    plan.Root.AddFile("empty", TBytes{}).Zlib().Chunked(4096);
    const TBuiltVorn vorn = BuildVorn(plan);

    for (const char* name : {"z", "l", "zc", "lc"}) {
        const TEntryLayout& e = vorn.At(name);
        const uint16_t format = U16(vorn.Bytes, e.RecordPos + VornRecord::FileFormat);
        EXPECT_EQ(DecodeCompressed(vorn, e, format), contents) << name;
        EXPECT_EQ(ReadU32(vorn.Bytes, e.RecordPos + VornRecord::FileCRC32),
                  crc32(0, contents.data(), static_cast<uInt>(contents.size())));
    }
    TChunkHeader second;
    std::memcpy(&second, &vorn.Bytes[vorn.At("lc").ChunkTablePos + 16], 16);
    EXPECT_EQ(second.m_CompressedSize, second.m_UncompressedSize);
    EXPECT_EQ(second.m_ExtraBytes, 77u);
    EXPECT_EQ(vorn.At("zc").ChunkCount, 3u);
    EXPECT_EQ(vorn.At("empty").ChunkCount, 0u);
}

TEST(VornWriter, OverridesReachTheWrittenRecords) {
    TVornPlan plan;
    TEntryPlan& b = plan.Root.Dir("a/b");
    b.ForceChildPaths = std::vector<std::string>{"a"};
    TEntryPlan& f = plan.Root.AddFile("f", Pattern(100, 1)).Lzo().Chunked(64);
    f.ForceSize = 1000;
    f.EditChunks = [](std::vector<TChunkHeader>& chunks) { chunks[1].m_ChunkOffset = 0xFFFF; };
    plan.ForceDirCount = 0;
    plan.EditHeader = [](TVornHeader& h) { h.m_ProductId[0] = 'k'; };
    const TBuiltVorn vorn = BuildVorn(plan);

    EXPECT_EQ(ReadU32(vorn.Bytes, vorn.At("a/b").ChildListPos), vorn.OffsetOf("a"));
    EXPECT_EQ(ReadU32(vorn.Bytes, vorn.At("f").RecordPos + VornRecord::FileSize), 1000u);
    EXPECT_EQ(ReadU32(vorn.Bytes, vorn.At("f").ChunkTablePos + 16 + 12), 0xFFFFu);
    EXPECT_EQ(ReadU32(vorn.Bytes, vorn.IndexPos), 0u);
    EXPECT_EQ(vorn.Bytes[0], 'k');
}

TEST(VornWriter, PeWrapperPutsSectionCountAndTableWhereTheyAreLookedFor) {
    const TBytes pe = BuildPeWrapped({".text", ".IVORN", ".dvorn"});
    ASSERT_GE(pe.size(), 786u);
    EXPECT_EQ(pe[0], 'M');
    EXPECT_EQ(pe[1], 'Z');
    EXPECT_EQ(U16(pe, 70), 3);
    EXPECT_EQ(0, std::memcmp(&pe[312 + 40], ".IVORN\0\0", 8));
    EXPECT_EQ(0, std::memcmp(&pe[312 + 80], ".dvorn\0\0", 8));
    EXPECT_EQ(U16(BuildPeWrapped({".IVORN"}, 500), 70), 500);
}

TEST(VornWriter, FileTimeCountsFrom1601WithoutTimeZone) {
    EXPECT_EQ(FileTimeOf(1601, 1, 1), 0u);
    EXPECT_EQ(FileTimeOf(1970, 1, 1), 116444736000000000ull);
    EXPECT_EQ(FileTimeOf(2004, 5, 26, 12), DefaultFileTime);
}
