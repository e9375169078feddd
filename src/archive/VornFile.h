// TVornFile: one open Vorn archive. Open() validates the header and loads
// the whole index into memory; every query then answers from that block by
// entry offset. ReadFileData() is the one operation that reads the file again.
//
// Damaged archives: every query checks its reads against the index block and
// raises EVornError instead of reading outside it; the data decoder checks
// every read against the end of the file.
#pragma once

#include "VornFileDef.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// A decoded entry: exactly Size bytes, owned by whoever holds it.
// Data may be null when Size is 0.
struct TDataBuffer {
    std::unique_ptr<uint8_t[]> Data;
    uint32_t Size = 0;
};

class TVornFile {
public:
    // Opens and validates an archive; raises EVornError with the opening
    // steps' messages. A failed open leaves nothing behind.
    static std::unique_ptr<TVornFile> Open(const std::string& fileName);
    ~TVornFile();

    TVornFile(const TVornFile&) = delete;
    TVornFile& operator=(const TVornFile&) = delete;

    // Directory set.
    uint32_t GetRootOffset() const;
    uint32_t GetDirCount() const;
    uint32_t GetDirOffset(uint32_t index) const;

    // Entry queries. Offsets are entry offsets from the start of the index.
    // A record that reaches outside the index raises EVornError.
    bool IsDirectory(uint32_t offset) const;
    uint32_t GetChildCount(uint32_t dirOffset) const;
    // Stores the child's offset in `child`; returns the next child index,
    // or 0 after the last child.
    uint32_t GetChild(uint32_t dirOffset, uint32_t childIndex, uint32_t& child) const;
    uint32_t GetParentOffset(uint32_t offset) const;
    // The whole child list of a directory after one bounds check: `count`
    // offsets of 4 little-endian bytes. For passes over every child, where
    // GetChild's per-call checks would dominate.
    const uint8_t* GetChildList(uint32_t dirOffset, uint32_t& count) const;
    std::string GetName(uint32_t offset) const;          // raw 8-bit bytes
    // Ancestor names, each followed by a backslash ("\art\maps\"); raises
    // EVornError when the parent fields form a loop.
    std::string GetPath(uint32_t offset) const;
    uint64_t GetFileTime(uint32_t offset) const;         // FILETIME
    uint32_t GetSize(uint32_t fileOffset) const;
    // The 32-bit value after the name field; a stored entry whose record ends
    // at the end of the index without one gives its size.
    uint32_t GetCompressedSize(uint32_t fileOffset) const;
    uint32_t GetCRC32(uint32_t fileOffset) const;
    uint16_t GetFormat(uint32_t fileOffset) const;
    uint16_t GetFileFlags(uint32_t fileOffset) const;

    // Decodes a file entry into `buffer` (replacing what it held) and returns
    // the decoded count. On failure raises EVornError and leaves `buffer` empty.
    uint32_t ReadFileData(uint32_t fileOffset, TDataBuffer& buffer);

    // Decodes `inCount` bytes of format `format` into `out` (capacity bytes).
    // Returns the count the format reports: the capacity for zlib, the bytes
    // produced for LZO. `produced` (when given) receives the bytes actually
    // written, for both formats.
    static uint32_t Decompress(uint16_t format, uint8_t* out, const uint8_t* in,
                               uint32_t inCount, uint32_t capacity,
                               uint32_t* produced = nullptr);

    // Header texts, up to the first zero code unit.
    std::u16string GetTitle() const;
    std::u16string GetCopyright() const;
    std::u16string GetAuthor() const;
    std::u16string GetBuildInfo() const;

    const TVornHeader& Header() const { return FHeader; }
    const std::string& FileName() const { return FFileName; }
    const std::u16string& Description() const { return FDescription; }
    uint64_t FileSize() const { return FFileSize; }
    uint32_t IndexSize() const { return FIndexSize; }

private:
    struct TChunkPlan;

    TVornFile() = default;

    // Index access. Each raises EVornError (`pattern` formatted with `subject`)
    // unless the bytes [position, position + count) lie inside the index.
    void CheckIndexRange(uint64_t position, uint64_t count, const char* pattern,
                         uint32_t subject) const;
    uint32_t ReadIndex32(uint64_t position, const char* pattern, uint32_t subject) const;
    uint16_t ReadIndex16(uint64_t position, const char* pattern, uint32_t subject) const;
    uint32_t EntryField32(uint32_t offset, uint32_t field) const;
    uint16_t EntryField16(uint32_t offset, uint32_t field) const;
    // Start of the entry's name field (the 16-bit count) and its character count.
    uint32_t NameFieldOffset(uint32_t offset) const;
    uint16_t NameLength(uint32_t offset) const;
    // Index position right after the entry's name field.
    uint64_t AfterNameField(uint32_t offset) const;

    // True when the PE section table holds a section called `name`.
    bool FindPESection(const char* name);

    // File access: reads up to `count` bytes at `position`, returns the bytes read.
    size_t ReadAt(uint64_t position, uint8_t* out, size_t count);

    // Decoding steps of ReadFileData.
    uint32_t ReadStored(uint64_t position, uint32_t size, TDataBuffer& result);
    uint32_t ReadStream(uint32_t offset, uint16_t format, uint64_t position, uint32_t size,
                        uint32_t compressedSize, TDataBuffer& result);
    uint32_t ReadChunked(uint32_t offset, uint16_t format, uint64_t position, uint32_t size,
                         uint32_t chunkSize, TDataBuffer& result);
    TChunkPlan PlanChunks(uint32_t offset, uint16_t format, uint64_t position, uint32_t size,
                          uint32_t chunkSize) const;

    TVornHeader FHeader{};
    std::FILE* FFile = nullptr;
    uint64_t FFileSize = 0;
    std::unique_ptr<uint8_t[]> FIndex;  // not zero-filled: read straight from the file
    uint32_t FIndexSize = 0;
    std::string FFileName;
    std::u16string FDescription;
};
