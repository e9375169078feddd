// Builds Vorn archives for tests, benchmarks and the sample archive. It writes
// the format by itself and never uses the reader.
//
// Usage:
//
//   TVornPlan plan;
//   plan.Header.Title = u"Test";
//   plan.Root.AddFile("readme.txt", "hello");                  // stored
//   TEntryPlan& maps = plan.Root.AddDir("maps");
//   maps.AddFile("a.dat", bytes).Zlib(9).Chunked(65536);
//   maps.AddFile("b.dat", bytes).Lzo().Chunked(4096).Chunk(0).Extra = 4;
//   plan.Root.Add("art/ui/logo.bmp", bmp);                     // makes art, art/ui
//
//   TBuiltVorn vorn = BuildVorn(plan);
//   const TEntryLayout& e = vorn.At("maps/a.dat");             // path below root
//   PatchU32(vorn.Bytes, e.RecordPos + VornRecord::FileSize, 7);
//   vorn.Save(path);                                           // or use vorn.Bytes
//
// Children are kept in a std::list, so a reference returned by Add* stays
// valid while siblings are added. Names are raw bytes (any byte may appear).
// Damage: either the Force*/Edit* hooks below, applied while building, or
// patches of the built bytes at the positions TBuiltVorn reports. The fixed
// header lies at file position 0, so offsetof(TVornHeader, field) is the file
// position of a header field.
#pragma once

#include "archive/VornFileDef.h"

#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

TBytes BytesOf(const std::string& text);

// FILETIME of a wall-clock time, without any time-zone conversion.
uint64_t FileTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
constexpr uint64_t DefaultFileTime = 127300464000000000ull;  // 2004-05-26 12:00:00

enum class TChunkMode {
    Auto,        // compressed, or stored when compression does not make it smaller
    Compressed,  // always a compressed stream (throws if its size equals the chunk's)
    Stored,      // stored unchanged: m_CompressedSize == m_UncompressedSize
};

struct TChunkPlan {
    TChunkMode Mode = TChunkMode::Auto;
    uint32_t Extra = 0;  // last bytes kept raw after the stream (m_ExtraBytes)
};

struct TEntryPlan {
    bool IsDir = false;
    std::string Name;
    uint64_t FileTime = DefaultFileTime;

    // Directories.
    std::list<TEntryPlan> Children;
    std::optional<uint32_t> ForceChildCount;      // m_ChildCount as written
    // Replace the child list: entry paths below the root ("" is the root),
    // resolved after layout; e.g. {"a"} inside "a/b" makes a loop.
    std::optional<std::vector<std::string>> ForceChildPaths;
    std::optional<std::vector<uint32_t>> ForceChildOffsets;

    // Files.
    TBytes Contents;
    uint16_t Format = DATAFORMAT_RAW;
    int ZlibLevel = 6;
    uint32_t ChunkSize = 0;                // 0: one stream
    std::vector<TChunkPlan> Chunks;        // per chunk; missing ones are Auto, 0 extra
    uint16_t Flags = 0;
    bool RecordCrc = true;                 // false: m_CRC32 = 0
    bool RawCompressionHeader = true;      // a stored entry also carries the 8 bytes

    // Overrides of written values (both kinds of entry where it applies).
    std::optional<uint32_t> ForceParent;
    std::optional<uint32_t> ForceSize;
    std::optional<uint32_t> ForceDataStart;
    std::optional<uint32_t> ForceCrc;
    std::optional<uint16_t> ForceFormat;
    std::optional<uint32_t> ForceCompressedSize;
    std::optional<uint32_t> ForceChunkSize;
    // Called with the computed chunk headers before they are written; it may
    // change, add or remove headers (the record grows or shrinks with it).
    std::function<void(std::vector<TChunkHeader>&)> EditChunks;

    // Tree building. Add* return the new entry.
    TEntryPlan& AddDir(const std::string& name);
    TEntryPlan& AddFile(const std::string& name, TBytes contents);
    TEntryPlan& AddFile(const std::string& name, const std::string& contents);
    // "a/b/c.txt": finds or makes the directories a and a/b, adds the file.
    TEntryPlan& Add(const std::string& path, TBytes contents);
    TEntryPlan& Add(const std::string& path, const std::string& contents);
    // Finds or makes the directory at "a/b".
    TEntryPlan& Dir(const std::string& path);

    // Chainable file settings.
    TEntryPlan& Raw();
    TEntryPlan& Zlib(int level = 6);
    TEntryPlan& Lzo();
    TEntryPlan& Chunked(uint32_t chunkSize);
    TEntryPlan& Time(uint64_t fileTime);
    TEntryPlan& WithFlags(uint16_t flags);
    TEntryPlan& NoCrc();
    TChunkPlan& Chunk(size_t index);       // grows Chunks as needed
};

struct THeaderPlan {
    uint32_t HeaderVersion = 0x00010000;   // "1.0"
    uint16_t ProductVersion[6] = {1, 0, 0, 0, 0, 0};
    uint16_t MinimumVersion[6] = {1, 0, 0, 0, 0, 0};
    uint32_t Priority = 0;
    uint32_t Flags = 0;
    char CreatorId[4] = {0, 0, 0, 0};
    TGuid Guid{};
    uint32_t IndexCRC32 = 0;
    uint32_t DataCRC32 = 0;
    TSystemTime UtcBuildTime{2004, 5, 3, 26, 10, 0, 0, 0};
    std::u16string Copyright, BuildInfo, Title, Author;  // cut to the field size
    std::u16string Description;
};

struct TVornPlan {
    TVornPlan() { Root.IsDir = true; }
    THeaderPlan Header;
    TEntryPlan Root;                     // a directory, named "" unless set
    bool IndexAfterData = false;         // data area first, index last
    uint32_t JunkBeforeFiles = 0;        // bytes of 0xCC ahead of each file entry
    std::optional<uint32_t> ForceDirCount;
    // Called with the finished header (positions filled in) before it is written.
    std::function<void(TVornHeader&)> EditHeader;
};

// Where one entry lies in the built archive. Positions are file positions.
struct TEntryLayout {
    std::string Path;                  // names below the root joined by "/"; "" root
    bool IsDir = false;
    uint32_t Offset = 0;               // entry offset
    uint32_t RecordPos = 0;            // first byte of the record
    uint32_t NamePos = 0;              // the name field's count word
    uint32_t ChildListPos = 0;         // directories
    uint32_t CompressionHeaderPos = 0; // files with one, else 0
    uint32_t ChunkTablePos = 0;        // chunked files, else 0
    uint32_t ChunkCount = 0;           // headers written
    uint32_t DataPos = 0;              // m_DataOffset + m_DataStart
    uint32_t StoredSize = 0;           // bytes written to the data area
    uint32_t RecordSize = 0;
};

struct TBuiltVorn {
    TBytes Bytes;
    TVornHeader Header{};              // as written
    uint32_t DescriptionPos = 0;
    uint32_t IndexPos = 0;             // m_DirSetOffset
    uint32_t FileSetPos = 0;           // m_FileSetOffset
    uint32_t DataPos = 0;              // m_DataOffset
    std::vector<TEntryLayout> Entries; // depth-first, root first

    // The nth entry with this path (several when names repeat); throws
    // std::out_of_range when there is none.
    const TEntryLayout& At(const std::string& path, size_t nth = 0) const;
    uint32_t OffsetOf(const std::string& path) const { return At(path).Offset; }
    void Save(const std::string& fileName) const;
};

TBuiltVorn BuildVorn(const TVornPlan& plan);

// A PE-wrapped file: "MZ", the section count at 70 (`declaredCount`, or the
// number of names) and 40-byte section records from 312, followed by `payload`.
TBytes BuildPeWrapped(const std::vector<std::string>& sectionNames,
                      std::optional<uint16_t> declaredCount = std::nullopt,
                      const TBytes& payload = {});

// Compression as the writer does it, for tests and benchmarks that need the
// streams themselves.
TBytes ZlibCompress(const uint8_t* data, size_t size, int level);
TBytes LzoCompress(const uint8_t* data, size_t size);

void PatchU8(TBytes& bytes, size_t pos, uint8_t value);
void PatchU16(TBytes& bytes, size_t pos, uint16_t value);
void PatchU32(TBytes& bytes, size_t pos, uint32_t value);
void PatchU64(TBytes& bytes, size_t pos, uint64_t value);
uint32_t ReadU32(const TBytes& bytes, size_t pos);
void SaveBytes(const std::string& fileName, const TBytes& bytes);
