// Writes the benchmark archives into a directory (once; a stamp file marks
// a finished set):
//   index.kvres       1,000,000 empty file entries in 10,000 folders
//   zlib-whole.kvres, zlib-chunked.kvres, lzo-whole.kvres, lzo-chunked.kvres
//                     the same four 32 MiB entries, whole or in 64 KiB chunks,
//                     each with a .manifest of its streams for the baseline
//   content/          the four entries as plain files, for zip
// Usage: make_bench_archives DIRECTORY
#include "DirectDecode.h"
#include "TextContent.h"
#include "VornWriter.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>

namespace {

constexpr int kEntries = 4;
constexpr uint32_t kEntrySize = 32u << 20;
constexpr uint32_t kChunkSize = 64u << 10;
constexpr int kZlibLevel = 6;
const char* const kStamp = "bench-data-v1";

const char* const kWords[] = {
    "the", "valley", "road", "north", "mine", "gate", "lantern", "silver", "river", "tower",
    "Maren", "Tobin", "guard", "inn", "supper", "winter", "thaw", "cart", "stone", "bridge",
    "quest", "item", "sword", "shield", "potion", "gold", "map", "door", "key", "chest"};

TBytes Content(uint32_t size, uint32_t seed) { return TextContent(size, seed, kWords); }

TBenchManifest ManifestOf(const TBuiltVorn& vorn, const std::string& archive, const TVornPlan& plan) {
    TBenchManifest manifest;
    manifest.Archive = archive;
    for (const TEntryPlan& file : plan.Root.Children) {
        const TEntryLayout& l = vorn.At(file.Name);
        TBenchEntry entry;
        entry.Format = file.Format;
        entry.Size = static_cast<uint32_t>(file.Contents.size());
        entry.Crc = ReadU32(vorn.Bytes, l.RecordPos + VornRecord::FileCRC32);
        if (l.ChunkCount == 0) entry.Streams.push_back({l.DataPos, l.StoredSize, entry.Size, 0});
        for (uint32_t i = 0; i < l.ChunkCount; ++i) {
            TChunkHeader h;
            std::memcpy(&h, &vorn.Bytes[l.ChunkTablePos + sizeof h * i], sizeof h);
            entry.Streams.push_back({l.DataPos + uint64_t{h.m_ChunkOffset}, h.m_CompressedSize,
                                     h.m_UncompressedSize, h.m_ExtraBytes});
        }
        manifest.Entries.push_back(entry);
    }
    return manifest;
}

void WriteIndexArchive(const std::string& dir) {
    TVornPlan plan;
    plan.Header.Title = u"Index benchmark";
    char name[32];
    for (int top = 0; top < 100; ++top) {
        std::snprintf(name, sizeof name, "area%02d", top);
        TEntryPlan& area = plan.Root.AddDir(name);
        for (int sub = 0; sub < 100; ++sub) {
            TEntryPlan* folder = &area;  // the area itself is the 100th folder
            if (sub < 99) {
                std::snprintf(name, sizeof name, "zone%02d", sub);
                folder = &area.AddDir(name);
            }
            for (int f = 0; f < 100; ++f) {
                std::snprintf(name, sizeof name, "obj%05d.dat", f + 100 * sub);
                folder->AddFile(name, TBytes{});
            }
        }
    }
    BuildVorn(plan).Save(dir + "/index.kvres");
}

void WriteDataArchives(const std::string& dir) {
    mkdir((dir + "/content").c_str(), 0755);
    std::vector<TBytes> contents;
    for (int i = 0; i < kEntries; ++i) {
        contents.push_back(Content(kEntrySize, static_cast<uint32_t>(i + 1)));
        SaveBytes(dir + "/content/part" + std::to_string(i) + ".txt", contents.back());
    }
    for (const uint16_t format : {DATAFORMAT_ZLIB, DATAFORMAT_LZO})
        for (const bool chunked : {false, true}) {
            TVornPlan plan;
            for (int i = 0; i < kEntries; ++i) {
                TEntryPlan& file = plan.Root.AddFile("part" + std::to_string(i) + ".txt", contents[i]);
                file.Format = format;
                file.ZlibLevel = kZlibLevel;
                file.ChunkSize = chunked ? kChunkSize : 0;
            }
            const std::string base = dir + "/" + (format == DATAFORMAT_ZLIB ? "zlib" : "lzo") +
                                     (chunked ? "-chunked" : "-whole");
            const TBuiltVorn vorn = BuildVorn(plan);
            vorn.Save(base + ".kvres");
            SaveManifest(base + ".manifest", ManifestOf(vorn, base + ".kvres", plan));
        }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bench_archives DIRECTORY\n");
        return 2;
    }
    const std::string dir = argv[1];
    const std::string stamp = dir + "/" + kStamp;
    if (std::ifstream(stamp)) return 0;
    try {
        mkdir(dir.c_str(), 0755);
        WriteIndexArchive(dir);
        WriteDataArchives(dir);
        SaveBytes(stamp, BytesOf("done\n"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_bench_archives: %s\n", e.what());
        return 1;
    }
    return 0;
}
