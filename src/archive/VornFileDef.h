// On-disk records of a Vorn archive and the name tables used to show them.
// All integers are little-endian; the records are read by memcpy on
// little-endian hosts, which is every platform this program targets.
#pragma once

#include <cstdint>

#pragma pack(push, 1)

// Windows SYSTEMTIME layout, as stored in m_UtcBuildTime.
struct TSystemTime {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

// Windows GUID layout: one 32-bit number, two 16-bit numbers, eight bytes.
struct TGuid {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

// The fixed header at file position 0.
struct TVornHeader {
    char m_ProductId[4];            // "Kvrd"
    char m_VornId[4];               // "Vorn"
    uint32_t m_HeaderVersion;       // high 16 bits "." low 16 bits
    uint32_t m_DirSetOffset;        // file position of the index
    uint32_t m_FileSetOffset;       // file position of the file set
    uint32_t m_IndexSize;           // bytes of the index
    uint32_t m_DataOffset;          // file position of the data area
    uint16_t m_ProductVersion[6];
    uint16_t m_MinimumVersion[6];
    uint32_t m_Priority;
    uint32_t m_Flags;
    char m_CreatorId[4];            // all zero for none
    TGuid m_GUID;
    uint32_t m_IndexCRC32;          // shown, never verified
    uint32_t m_DataCRC32;           // shown, never verified
    TSystemTime m_UtcBuildTime;
    char16_t m_Copyright[100];      // zero-padded UTF-16
    char16_t m_BuildInfo[100];
    char16_t m_Title[100];
    char16_t m_Author[40];
    uint16_t m_DescriptionLength;   // UTF-16 code units following the header
};

// Compression header after the name field of a compressed file entry.
struct TCompressionHeader {
    uint32_t m_CompressedSize;
    uint32_t m_ChunkSize;           // 0: one unchunked stream
};

// One chunk header of a chunked compressed file entry.
struct TChunkHeader {
    uint32_t m_UncompressedSize;
    uint32_t m_CompressedSize;
    uint32_t m_ExtraBytes;
    uint32_t m_ChunkOffset;         // relative to m_DataOffset + m_DataStart
};

#pragma pack(pop)

static_assert(sizeof(TSystemTime) == 16, "SYSTEMTIME is 16 bytes");
static_assert(sizeof(TGuid) == 16, "GUID is 16 bytes");
static_assert(sizeof(TVornHeader) == 786, "the fixed header is 786 bytes");
static_assert(sizeof(TCompressionHeader) == 8, "compression header is 8 bytes");
static_assert(sizeof(TChunkHeader) == 16, "chunk header is 16 bytes");

constexpr uint32_t VORN_HEADER_SIZE = sizeof(TVornHeader);

// Data format codes (m_Format).
constexpr uint16_t DATAFORMAT_RAW = 0;
constexpr uint16_t DATAFORMAT_ZLIB = 1;
constexpr uint16_t DATAFORMAT_LZO = 2;

// File flag read by this program: the file list strikes such entries through.
constexpr uint16_t FILEFLAG_STRUCK = 0x8000;

// Field positions inside the index records.
namespace VornRecord {
// Directory entry.
constexpr uint32_t DirParentOffset = 0;
constexpr uint32_t DirChildCount = 4;
constexpr uint32_t DirFileTime = 8;
constexpr uint32_t DirName = 16;
// File entry.
constexpr uint32_t FileParentOffset = 0;
constexpr uint32_t FileSize = 4;
constexpr uint32_t FileDataStart = 8;
constexpr uint32_t FileCRC32 = 12;
constexpr uint32_t FileFileTime = 16;
constexpr uint32_t FileFormat = 24;
constexpr uint32_t FileFlags = 26;
constexpr uint32_t FileName = 28;
}  // namespace VornRecord

// Bytes a name field of `length` characters occupies: count word, characters
// and at least one zero byte, rounded up to a multiple of 4.
constexpr uint32_t NameFieldSize(uint32_t length) { return (length + 3 + 3) & ~3u; }

// Name tables, indexed from 0.
extern const char* const FormatNames[3];     // "Raw", "Zlib", "Lzo"
extern const char* const PriorityNames[5];   // "Factory" ... "User"
extern const char* const FlagNames[32];      // bit number + 1; entry 0 "NONE"
