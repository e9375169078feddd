// Decoding whole entries: stored, zlib and LZO streams, the checks after
// decoding, and Decompress on its own.
#include "ArchiveTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// One file (plus a stored neighbour after it, so its stream is not the last
// bytes of the file), changed by `edit`, opened and read.
std::string ReadOne(uint16_t format, const TBytes& contents,
                    const std::function<void(TEntryPlan&)>& edit = {},
                    const std::function<void(TBuiltVorn&)>& patch = {})
{
    TVornPlan plan;
    TEntryPlan& file = plan.Root.AddFile("f", contents);
    file.Format = format;
    if (edit)
        edit(file);
    plan.Root.AddFile("after", "0123456789");
    TBuiltVorn built = BuildVorn(plan);
    if (patch)
        patch(built);
    TScratchDir dir;
    const auto vorn = OpenBytes(dir, built.Bytes);
    return ReadEntry(*vorn, built.OffsetOf("f"));
}

const uint16_t AllFormats[] = {DATAFORMAT_RAW, DATAFORMAT_ZLIB, DATAFORMAT_LZO};

TEST(Decode, WholeEntriesOfEveryFormatRoundTrip)
{
    for (uint16_t format : AllFormats) {
        for (size_t size : {size_t{0}, size_t{1}, size_t{1000}, size_t{200000}}) {
            const TBytes contents = SampleBytes(size, static_cast<uint32_t>(size));
            EXPECT_EQ(ReadOne(format, contents), AsString(contents)) << format << " " << size;
            EXPECT_EQ(ReadOne(format, contents, [](TEntryPlan& f) { f.NoCrc(); }), AsString(contents))
                << format << " " << size << " without CRC";
        }
    }
}

TEST(Decode, StreamsAtTheLimitOfCompressionStillDecode)
{
    const TBytes zeros(8 << 20, 0);
    for (uint16_t format : {DATAFORMAT_ZLIB, DATAFORMAT_LZO})
        EXPECT_EQ(ReadOne(format, zeros, [](TEntryPlan& f) { f.ZlibLevel = 9; }), AsString(zeros));
}

TEST(Decode, StoredEntryMayEndExactlyAtTheEndOfTheFile)
{
    TVornPlan plan;
    plan.Root.AddFile("last", "the last bytes");
    TBuiltVorn built = BuildVorn(plan);
    ASSERT_EQ(built.At("last").DataPos + 14, built.Bytes.size());
    TScratchDir dir;
    auto vorn = OpenBytes(dir, built.Bytes);
    EXPECT_EQ(ReadEntry(*vorn, built.OffsetOf("last")), "the last bytes");

    PatchU32(built.Bytes, built.At("last").RecordPos + VornRecord::FileSize, 15);
    vorn = OpenBytes(dir, built.Bytes);
    EXPECT_EQ(ReadEntry(*vorn, built.OffsetOf("last")), "error: vorn too small");
}

TEST(Decode, EmptyStoredEntry)
{
    EXPECT_EQ(ReadOne(DATAFORMAT_RAW, {}, [](TEntryPlan& f) { f.NoCrc(); }), "");
    EXPECT_EQ(ReadOne(DATAFORMAT_RAW, {}, [](TEntryPlan& f) { f.ForceCrc = 1; }),
              "error: CRC-32 differs from header");
}

// A zlib stream that ends before m_Size: without a CRC the rest is zeros,
// never bytes nobody wrote; with a CRC it fails.
TEST(Decode, ZlibStreamEndingEarly)
{
    const TBytes contents = SampleBytes(3000, 9);
    std::string expected = AsString(contents) + std::string(100, '\0');
    EXPECT_EQ(ReadOne(DATAFORMAT_ZLIB, contents, [](TEntryPlan& f) { f.NoCrc().ForceSize = 3100; }),
              expected);
    EXPECT_EQ(ReadOne(DATAFORMAT_ZLIB, contents, [](TEntryPlan& f) { f.ForceSize = 3100; }),
              "error: CRC-32 differs from header");
}

TEST(Decode, FailuresCarryTheirMessages)
{
    const TBytes contents = SampleBytes(4000, 5);
    using Edit = std::function<void(TEntryPlan&)>;
    using Patch = std::function<void(TBuiltVorn&)>;
    auto stream = [](TBuiltVorn& b) { return b.At("f").DataPos; };
    struct Case {
        const char* what;
        uint16_t format;
        Edit edit;
        Patch patch;
        std::string message;
    };
    const Case cases[] = {
        {"format 3", DATAFORMAT_ZLIB, [](TEntryPlan& f) { f.ForceFormat = 3; }, {},
         "Format Unknown (3) is not supported"},
        {"format 65535", DATAFORMAT_RAW, [](TEntryPlan& f) { f.ForceFormat = 65535; }, {},
         "Format Unknown (65535) is not supported"},
        {"stored data past the end", DATAFORMAT_RAW, [](TEntryPlan& f) { f.ForceDataStart = 0x10000; }, {},
         "vorn too small"},
        {"data start wrapping past 4 GiB", DATAFORMAT_RAW, {},
         [](TBuiltVorn& b) {  // in 32 bits this would point at the real data again
             PatchU32(b.Bytes, b.At("f").RecordPos + VornRecord::FileDataStart,
                      0u - b.Header.m_DataOffset);  // 32-bit sum: file position 0
         },
         "vorn too small"},
        {"stream past the end", DATAFORMAT_ZLIB, [](TEntryPlan& f) { f.ForceCompressedSize = 0x100000; }, {},
         "vorn too small"},
        {"zlib header damaged", DATAFORMAT_ZLIB, {}, [&](TBuiltVorn& b) { b.Bytes[stream(b)] = 0; },
         "error"},
        {"zlib stream cut short", DATAFORMAT_ZLIB, [](TEntryPlan& f) { f.ForceCompressedSize = 100; }, {},
         "ZLib error: target buffer may be too small"},
        {"zlib stream longer than m_Size", DATAFORMAT_ZLIB, [](TEntryPlan& f) { f.NoCrc().ForceSize = 3999; }, {},
         "ZLib error: target buffer may be too small"},
        {"lzo with one more input byte", DATAFORMAT_LZO, {},
         [](TBuiltVorn& b) {
             const TEntryLayout& f = b.At("f");
             PatchU32(b.Bytes, f.CompressionHeaderPos, f.StoredSize + 1);
         },
         "lzo decompression error"},
        {"lzo stream cut short", DATAFORMAT_LZO, [](TEntryPlan& f) { f.ForceCompressedSize = 100; }, {},
         "lzo decompression error"},
        {"lzo stream longer than m_Size", DATAFORMAT_LZO, [](TEntryPlan& f) { f.NoCrc().ForceSize = 3999; }, {},
         "lzo decompression error"},
        {"lzo stream shorter than m_Size", DATAFORMAT_LZO, [](TEntryPlan& f) { f.NoCrc().ForceSize = 4001; }, {},
         "Size missmatch."},
        {"CRC checked before size", DATAFORMAT_LZO, [](TEntryPlan& f) { f.ForceSize = 4001; f.ForceCrc = 7; }, {},
         "CRC-32 differs from header"},
        {"wrong CRC", DATAFORMAT_RAW, [](TEntryPlan& f) { f.ForceCrc = 0x12345678; }, {},
         "CRC-32 differs from header"},
        {"damaged stored byte", DATAFORMAT_RAW, {}, [&](TBuiltVorn& b) { b.Bytes[stream(b) + 10] ^= 1; },
         "CRC-32 differs from header"},
        {"zlib m_Size beyond 1032:1", DATAFORMAT_ZLIB, [](TEntryPlan& f) { f.ForceSize = 0xFFFFFFFF; }, {},
         "Size 4294967295 of entry %u is more than its %c compressed bytes can hold"},
        {"lzo m_Size beyond 256:1", DATAFORMAT_LZO, [](TEntryPlan& f) { f.ForceSize = 0x7FFFFFFF; }, {},
         "Size 2147483647 of entry %u is more than its %c compressed bytes can hold"},
    };
    for (const Case& c : cases) {
        TVornPlan plan;
        TEntryPlan& file = plan.Root.AddFile("f", contents);
        file.Format = c.format;
        if (c.edit)
            c.edit(file);
        plan.Root.AddFile("after", "0123456789");
        TBuiltVorn built = BuildVorn(plan);
        if (c.patch)
            c.patch(built);
        // Fill in the entry offset and stored size for the parametrised texts.
        std::string message = c.message;
        if (auto at = message.find("%u"); at != std::string::npos)
            message.replace(at, 2, std::to_string(built.OffsetOf("f")));
        if (auto at = message.find("%c"); at != std::string::npos)
            message.replace(at, 2, std::to_string(built.At("f").StoredSize));
        TScratchDir dir;
        const auto vorn = OpenBytes(dir, built.Bytes);
        EXPECT_EQ(ReadEntry(*vorn, built.OffsetOf("f")), "error: " + message) << c.what;
        // The archive stays usable after the failure.
        EXPECT_EQ(ReadEntry(*vorn, built.OffsetOf("after")), "0123456789") << c.what;
    }
}

TEST(Decode, DirectoryOffsetIsNoFileEntry)
{
    TVornPlan plan;
    plan.Root.Add("art/a.txt", "x");
    TBuiltVorn built = BuildVorn(plan);
    TScratchDir dir;
    auto vorn = OpenBytes(dir, built.Bytes);
    const uint32_t art = built.OffsetOf("art");
    EXPECT_EQ(ReadEntry(*vorn, art), "error: " + std::to_string(art) + " is not a valid FileEntry offset.");

    // A file set that starts before the index makes nearly every offset a
    // directory; the message shows the offset as a signed number.
    PatchU32(built.Bytes, offsetof(TVornHeader, m_FileSetOffset), 0);
    vorn = OpenBytes(dir, built.Bytes);
    EXPECT_EQ(ReadEntry(*vorn, 0xFFFFF000), "error: -4096 is not a valid FileEntry offset.");
}

TEST(Decode, FailureEmptiesTheCallersBuffer)
{
    TVornPlan plan;
    plan.Root.AddFile("bad", "x").ForceCrc = 1;
    TBuiltVorn built = BuildVorn(plan);
    TScratchDir dir;
    const auto vorn = OpenBytes(dir, built.Bytes);
    TDataBuffer buffer;
    buffer.Data.reset(new uint8_t[4]);
    buffer.Size = 4;
    EXPECT_THROW(vorn->ReadFileData(built.OffsetOf("bad"), buffer), EVornError);
    EXPECT_EQ(buffer.Data, nullptr);
    EXPECT_EQ(buffer.Size, 0u);
}

TEST(Decompress, ReportsWhatEachFormatDefines)
{
    const TBytes contents = SampleBytes(1000, 4);
    const TBytes zlib = ZlibCompress(contents.data(), contents.size(), 6);
    const TBytes lzo = LzoCompress(contents.data(), contents.size());
    std::vector<uint8_t> out(1200, 0xAA);
    uint32_t produced = 0;

    // zlib reports the capacity, LZO what it produced; both say what they wrote.
    EXPECT_EQ(TVornFile::Decompress(DATAFORMAT_ZLIB, out.data(), zlib.data(),
                                    static_cast<uint32_t>(zlib.size()), 1200, &produced), 1200u);
    EXPECT_EQ(produced, 1000u);
    EXPECT_EQ(std::memcmp(out.data(), contents.data(), 1000), 0);
    EXPECT_EQ(TVornFile::Decompress(DATAFORMAT_LZO, out.data(), lzo.data(),
                                    static_cast<uint32_t>(lzo.size()), 1200, &produced), 1000u);
    EXPECT_EQ(produced, 1000u);
    EXPECT_EQ(out[1000], 0xAA);  // nothing written past the stream

    EXPECT_EQ(MessageOf([&] { TVornFile::Decompress(DATAFORMAT_RAW, out.data(), zlib.data(), 1, 1); }),
              "DATAFORMAT_RAW should have been handled earlier!");
    EXPECT_EQ(TVornFile::Decompress(3, out.data(), zlib.data(), 1, 1), 0u);
    EXPECT_EQ(MessageOf([&] { TVornFile::Decompress(DATAFORMAT_ZLIB, nullptr, zlib.data(),
                                                   static_cast<uint32_t>(zlib.size()), 0); }),
              "ZLib error: target buffer may be too small");
    EXPECT_EQ(MessageOf([&] { TVornFile::Decompress(DATAFORMAT_LZO, out.data(), nullptr, 0, 10); }),
              "lzo decompression error");
}

}  // namespace
