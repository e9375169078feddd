// Chunked entries: chunk counts, stored chunks, extra bytes, and chunk tables
// that do not fit the entry, the index or the file.
#include "ArchiveTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr uint32_t ChunkSize = 1000;

struct TChunked {
    TBuiltVorn Built;
    uint32_t Offset = 0;
    std::string Read(TScratchDir& dir) const
    {
        const auto vorn = OpenBytes(dir, Built.Bytes);
        return ReadEntry(*vorn, Offset);
    }
};

// A chunked entry "f" of `contents` followed by a stored neighbour.
TChunked MakeChunked(uint16_t format, const TBytes& contents,
                     const std::function<void(TEntryPlan&)>& edit = {})
{
    TVornPlan plan;
    TEntryPlan& file = plan.Root.AddFile("f", contents);
    file.Format = format;
    file.Chunked(ChunkSize);
    if (edit)
        edit(file);
    plan.Root.AddFile("after", "0123456789");
    TChunked out{BuildVorn(plan)};
    out.Offset = out.Built.OffsetOf("f");
    return out;
}

std::string WithOffset(const std::string& pattern, uint32_t offset)
{
    std::string text = pattern;
    text.replace(text.find("%u"), 2, std::to_string(offset));
    return text;
}

TEST(Chunks, CountFollowsSizeAndChunkSize)
{
    const std::pair<size_t, uint32_t> cases[] = {
        {0, 0}, {1, 1}, {ChunkSize, 1}, {ChunkSize + 1, 2}, {ChunkSize * 5 / 2, 3}};
    TScratchDir dir;
    for (uint16_t format : {DATAFORMAT_ZLIB, DATAFORMAT_LZO}) {
        for (const auto& [size, count] : cases) {
            const TBytes contents = SampleBytes(size, 3);
            const TChunked entry = MakeChunked(format, contents);
            EXPECT_EQ(entry.Built.At("f").ChunkCount, count);
            EXPECT_EQ(entry.Read(dir), AsString(contents)) << format << " " << size;
        }
    }
}

TEST(Chunks, StoredChunksAndExtraBytesRoundTrip)
{
    const TBytes contents = SampleBytes(ChunkSize * 4 + 10, 8);
    TScratchDir dir;
    for (uint16_t format : {DATAFORMAT_ZLIB, DATAFORMAT_LZO}) {
        const TChunked entry = MakeChunked(format, contents, [](TEntryPlan& f) {
            f.Chunk(0).Extra = 4;
            f.Chunk(1).Mode = TChunkMode::Stored;
            f.Chunk(2).Extra = ChunkSize;  // all of it raw after an empty stream
            f.Chunk(3).Mode = TChunkMode::Compressed;
            f.Chunk(4).Extra = 10;
        });
        EXPECT_EQ(entry.Read(dir), AsString(contents)) << format;
    }
}

// The last m_ExtraBytes come from the file right after the stream, replacing
// what the stream produced there; a stored chunk ignores its m_ExtraBytes.
TEST(Chunks, ExtraBytesAreTakenFromTheFile)
{
    const TBytes contents = SampleBytes(ChunkSize * 2, 6);
    TChunked entry = MakeChunked(DATAFORMAT_ZLIB, contents, [](TEntryPlan& f) {
        f.NoCrc();
        f.Chunk(0).Extra = 4;
        f.Chunk(1).Mode = TChunkMode::Stored;
        f.EditChunks = [](std::vector<TChunkHeader>& chunks) { chunks[1].m_ExtraBytes = 999; };
    });
    TChunkHeader first;
    std::memcpy(&first, &entry.Built.Bytes[entry.Built.At("f").ChunkTablePos], sizeof(first));
    const size_t extra = entry.Built.At("f").DataPos + first.m_ChunkOffset + first.m_CompressedSize;
    std::memcpy(&entry.Built.Bytes[extra], "WXYZ", 4);

    std::string expected = AsString(contents);
    expected.replace(ChunkSize - 4, 4, "WXYZ");
    TScratchDir dir;
    EXPECT_EQ(entry.Read(dir), expected);
}

// Chunk counts are not used to size anything: a chunk stream that ends early
// leaves zeros, for both formats.
TEST(Chunks, ShortChunkStreamLeavesZeros)
{
    const TBytes contents = SampleBytes(ChunkSize * 2, 2);
    std::string expected = AsString(contents);
    expected.insert(ChunkSize, 5, '\0');
    TScratchDir dir;
    for (uint16_t format : {DATAFORMAT_ZLIB, DATAFORMAT_LZO}) {
        const TChunked entry = MakeChunked(format, contents, [](TEntryPlan& f) {
            f.Chunk(0).Mode = f.Chunk(1).Mode = TChunkMode::Compressed;
            f.NoCrc().ForceSize = ChunkSize * 2 + 5;
            f.ForceChunkSize = ChunkSize + 5;
            f.EditChunks = [](std::vector<TChunkHeader>& chunks) { chunks[0].m_UncompressedSize += 5; };
        });
        EXPECT_EQ(entry.Read(dir), expected) << format;
    }
}

TEST(Chunks, StoredChunkMayExceedTheChunkSize)
{
    const TBytes contents = SampleBytes(1500, 1);
    TScratchDir dir;
    const TChunked entry = MakeChunked(DATAFORMAT_ZLIB, contents, [](TEntryPlan& f) {
        f.Chunk(0).Mode = TChunkMode::Stored;
        f.Chunk(1).Mode = TChunkMode::Stored;
        f.EditChunks = [](std::vector<TChunkHeader>& chunks) {
            chunks[0] = {1200, 1200, 0, 0};
            chunks[1] = {300, 300, 0, 1200};
        };
    });
    EXPECT_EQ(entry.Read(dir), AsString(contents));
}

TEST(Chunks, HugeChunkSizeNeedsNoHugeBuffer)
{
    const TBytes contents = SampleBytes(3000, 4);
    TScratchDir dir;
    const TChunked entry = MakeChunked(DATAFORMAT_LZO, contents, [](TEntryPlan& f) {
        f.Chunked(4000).ForceChunkSize = 0xFFFFFFF0;
    });
    EXPECT_EQ(entry.Read(dir), AsString(contents));
}

TEST(Chunks, DamagedTablesFailCleanly)
{
    struct Case {
        const char* what;
        std::function<void(TEntryPlan&)> edit;
        std::string message;  // %u: the entry offset
    };
    const Case cases[] = {
        {"compressed chunk larger than the chunk size",
         [](TEntryPlan& f) { f.EditChunks = [](auto& c) { c[0].m_CompressedSize = ChunkSize + 1; }; },
         "CompressedSize is bigger than buffer!"},
        {"sizes adding up to more than m_Size",
         [](TEntryPlan& f) { f.EditChunks = [](auto& c) { c[2].m_UncompressedSize += 1; }; },
         "Chunk sizes of entry %u add up to more than its size"},
        {"sizes adding up to less than m_Size",
         [](TEntryPlan& f) { f.ForceSize = ChunkSize * 3 + 1; f.ForceChunkSize = ChunkSize + 1; },
         "Size missmatch."},
        {"huge m_Size with one small chunk",
         [](TEntryPlan& f) { f.NoCrc().ForceSize = 0xFFFFFFF0; f.ForceChunkSize = 0xFFFFFFF0; },
         "Size missmatch."},
        {"more extra bytes than the chunk holds",
         [](TEntryPlan& f) { f.EditChunks = [](auto& c) { c[1].m_ExtraBytes = c[1].m_UncompressedSize + 1; }; },
         "Chunk 1 of entry %u has more extra bytes than its size"},
        {"chunk that cannot decode to its size",
         [](TEntryPlan& f) { f.EditChunks = [](auto& c) { c[0].m_CompressedSize = 0; }; },
         "Chunk 0 of entry %u: 1000 bytes are more than its 0 compressed bytes can hold"},
        {"chunk offset far past the end",
         [](TEntryPlan& f) { f.EditChunks = [](auto& c) { c[1].m_ChunkOffset = 0x7FFFFFFF; }; },
         "Chunk 1 of entry %u reaches past the end of the file"},
        {"chunk offset wrapping past 4 GiB",
         [](TEntryPlan& f) { f.EditChunks = [](auto& c) { c[1].m_ChunkOffset = 0xFFFFFFFF; }; },
         "Chunk 1 of entry %u reaches past the end of the file"},
        {"more chunks than the index holds",
         [](TEntryPlan& f) { f.ForceChunkSize = 1; },
         "Chunk table of entry %u reaches outside the index"},
    };
    const TBytes contents = SampleBytes(ChunkSize * 3, 12);
    TScratchDir dir;
    for (uint16_t format : {DATAFORMAT_ZLIB, DATAFORMAT_LZO}) {
        for (const Case& c : cases) {
            TChunked entry = MakeChunked(format, contents, [&](TEntryPlan& f) {
                for (int i = 0; i < 3; ++i)
                    f.Chunk(i).Mode = TChunkMode::Compressed;
                c.edit(f);
            });
            EXPECT_EQ(entry.Read(dir), "error: " + (c.message.find("%u") == std::string::npos
                                                        ? c.message
                                                        : WithOffset(c.message, entry.Offset)))
                << c.what << " " << format;
        }
    }
}

// A chunk whose bytes lie beyond the end of the file is reported, never
// handed over as data: stored part, stream or extra bytes.
TEST(Chunks, ChunkReachingPastTheEndOfTheFile)
{
    const TBytes contents = SampleBytes(ChunkSize * 2, 14);
    for (int part = 0; part < 3; ++part) {
        TVornPlan plan;
        TEntryPlan& file = plan.Root.AddFile("f", contents).Zlib().Chunked(ChunkSize);
        file.Chunk(0).Mode = part == 0 ? TChunkMode::Stored : TChunkMode::Compressed;
        file.Chunk(1).Extra = part == 2 ? 8 : 0;
        file.Chunk(1).Mode = TChunkMode::Compressed;
        TBuiltVorn built = BuildVorn(plan);  // the entry's data is the end of the file
        const TEntryLayout& f = built.At("f");
        TChunkHeader chunk;
        const size_t header = f.ChunkTablePos + (part == 0 ? 0 : sizeof(TChunkHeader));
        std::memcpy(&chunk, &built.Bytes[header], sizeof(chunk));
        // Move the chunk so that its last byte lies one byte past the end.
        const uint32_t length = part == 0 ? chunk.m_UncompressedSize
                                          : chunk.m_CompressedSize + chunk.m_ExtraBytes;
        chunk.m_ChunkOffset = static_cast<uint32_t>(built.Bytes.size() - f.DataPos - length + 1);
        std::memcpy(&built.Bytes[header], &chunk, sizeof(chunk));
        TScratchDir dir;
        const auto vorn = OpenBytes(dir, built.Bytes);
        EXPECT_EQ(ReadEntry(*vorn, f.Offset),
                  "error: Chunk " + std::to_string(part == 0 ? 0 : 1) + " of entry " +
                      std::to_string(f.Offset) + " reaches past the end of the file")
            << part;
    }
}

}  // namespace
