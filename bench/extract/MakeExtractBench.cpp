// Writes the extraction benchmark data into a directory (once; a stamp file
// marks a finished set):
//   big-whole.kvres, big-chunked.kvres   one 200 MB zlib entry, whole or in
//                                        64 KiB chunks, each with a .manifest
//                                        of its streams for the baseline
//   many.kvres                           20,000 files of 8 KiB in 200 folders, zlib
//   many/                                the same files as a plain tree, for zip
// Usage: make_extract_bench DIRECTORY
#include "DirectDecode.h"
#include "TextContent.h"
#include "VornWriter.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

constexpr uint32_t kBigSize = 200u * 1000 * 1000;
constexpr uint32_t kChunkSize = 64u << 10;
constexpr int kFolders = 200;
constexpr int kFilesPerFolder = 100;
constexpr uint32_t kSmallSize = 8u << 10;
constexpr int kZlibLevel = 6;
const char* const kStamp = "extract-bench-v1";

const char* const kWords[] = {
    "the", "valley", "road", "north", "mine", "gate", "lantern", "silver", "river", "tower",
    "guard", "inn", "supper", "winter", "thaw", "cart", "stone", "bridge", "quest", "gold"};

TBytes Content(uint32_t size, uint64_t seed) { return TextContent(size, seed, kWords); }

TBenchManifest ManifestOf(const TBuiltVorn& vorn, const std::string& archive, uint32_t size)
{
    const TEntryLayout& l = vorn.At("big.txt");
    TBenchEntry entry;
    entry.Format = DATAFORMAT_ZLIB;
    entry.Size = size;
    entry.Crc = ReadU32(vorn.Bytes, l.RecordPos + VornRecord::FileCRC32);
    if (l.ChunkCount == 0)
        entry.Streams.push_back({l.DataPos, l.StoredSize, size, 0});
    for (uint32_t i = 0; i < l.ChunkCount; ++i) {
        TChunkHeader h;
        std::memcpy(&h, &vorn.Bytes[l.ChunkTablePos + sizeof h * i], sizeof h);
        entry.Streams.push_back({l.DataPos + uint64_t{h.m_ChunkOffset}, h.m_CompressedSize,
                                 h.m_UncompressedSize, h.m_ExtraBytes});
    }
    return TBenchManifest{archive, {entry}};
}

void WriteBig(const std::string& dir)
{
    const TBytes content = Content(kBigSize, 7);
    for (const bool chunked : {false, true}) {
        TVornPlan plan;
        plan.Root.AddFile("big.txt", content).Zlib(kZlibLevel).Chunked(chunked ? kChunkSize : 0);
        const std::string base = dir + (chunked ? "/big-chunked" : "/big-whole");
        const TBuiltVorn vorn = BuildVorn(plan);
        vorn.Save(base + ".kvres");
        SaveManifest(base + ".manifest", ManifestOf(vorn, base + ".kvres", kBigSize));
    }
}

void WriteMany(const std::string& dir)
{
    TVornPlan plan;
    mkdir((dir + "/many").c_str(), 0755);
    char name[32];
    for (int f = 0; f < kFolders; ++f) {
        std::snprintf(name, sizeof name, "folder%03d", f);
        const std::string folder = name;
        mkdir((dir + "/many/" + folder).c_str(), 0755);
        TEntryPlan& dirPlan = plan.Root.AddDir(folder);
        for (int i = 0; i < kFilesPerFolder; ++i) {
            std::snprintf(name, sizeof name, "file%05d.txt", f * kFilesPerFolder + i);
            TBytes content = Content(kSmallSize, uint64_t(f) * 1000 + i + 100);
            SaveBytes(dir + "/many/" + folder + "/" + name, content);
            dirPlan.AddFile(name, std::move(content)).Zlib(kZlibLevel);
        }
    }
    BuildVorn(plan).Save(dir + "/many.kvres");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_extract_bench DIRECTORY\n");
        return 2;
    }
    const std::string dir = argv[1];
    const std::string stamp = dir + "/" + kStamp;
    if (std::FILE* f = std::fopen(stamp.c_str(), "r")) {
        std::fclose(f);
        return 0;
    }
    try {
        mkdir(dir.c_str(), 0755);
        WriteBig(dir);
        WriteMany(dir);
        SaveBytes(stamp, TBytes{});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_extract_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
