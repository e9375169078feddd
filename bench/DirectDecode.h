// The baseline the archive reader is measured against: the same compressed
// streams read with pread() and decoded with zlib and LZO directly, with the
// CRC computed by zlib. A manifest (written by make_bench_archives from the
// writer's layout) says where the streams lie, so no reader code is involved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TBenchStream {
    uint64_t Pos = 0;           // file position of the stored bytes
    uint32_t Compressed = 0;    // == Uncompressed: stored unchanged
    uint32_t Uncompressed = 0;
    uint32_t Extra = 0;         // raw bytes after the stream
};

struct TBenchEntry {
    uint16_t Format = 0;
    uint32_t Size = 0;
    uint32_t Crc = 0;
    std::vector<TBenchStream> Streams;
};

struct TBenchManifest {
    std::string Archive;
    std::vector<TBenchEntry> Entries;
};

void SaveManifest(const std::string& fileName, const TBenchManifest& manifest);
TBenchManifest LoadManifest(const std::string& fileName);

// Decodes every entry and checks its CRC; returns the decoded bytes.
// Throws std::runtime_error on any mismatch.
uint64_t DirectDecodeAll(const TBenchManifest& manifest);

// Sum of the entries' decoded sizes.
uint64_t ContentBytes(const TBenchManifest& manifest);
