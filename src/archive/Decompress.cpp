// ReadFileData and Decompress: turning a file entry's stored bytes back into
// its contents, with every read checked against the index and the file.
#include "VornFile.h"

#include "Crc32.h"
#include "VornError.h"
#include "VornFunctions.h"

#include <lzo/lzo1x.h>
#include <zlib.h>

#include <cstring>
#include <new>

namespace {

constexpr const char* CompressionHeaderOutside =
    "Compression header of entry %u reaches outside the index";
constexpr const char* ChunkTableOutside = "Chunk table of entry %u reaches outside the index";

// The most bytes `compressed` stored bytes of `format` can decode to. Deflate's
// longest match (258 bytes) costs at least two bits, hence zlib's 1032:1. An
// LZO1X instruction of n bytes yields at most 255 * n bytes (a long match adds
// 255 to its length per zero byte), so 256:1 is safe.
uint64_t DecodeLimit(uint16_t format, uint32_t compressed)
{
    return format == DATAFORMAT_ZLIB ? uint64_t{compressed} * 1032 : uint64_t{compressed} * 256;
}

// A block that is not zero-filled; null for 0 bytes.
std::unique_ptr<uint8_t[]> AllocateBlock(uint64_t size)
{
    if (size == 0)
        return nullptr;
    try {
        return std::unique_ptr<uint8_t[]>(new uint8_t[size]);
    } catch (const std::bad_alloc&) {
        throw EVornError("Out of memory");
    }
}

TChunkHeader LoadChunkHeader(const uint8_t* index, uint64_t position)
{
    TChunkHeader header;
    std::memcpy(&header, index + position, sizeof(header));
    return header;
}

bool IsStoredChunk(const TChunkHeader& chunk)
{
    return chunk.m_CompressedSize == chunk.m_UncompressedSize;
}

EVornError ChunkPastEnd(uint32_t chunk, uint32_t entry)
{
    return EVornError(
        FormatMessage("Chunk %u of entry %u reaches past the end of the file", chunk, entry));
}

}  // namespace

// The chunk table of an entry, checked whole before anything is allocated.
struct TVornFile::TChunkPlan {
    uint64_t TableStart = 0;  // index position of the first chunk header
    uint32_t Count = 0;
    uint32_t Decoded = 0;       // sum of the chunks' decoded sizes, at most m_Size
    uint32_t LargestInput = 0;  // largest compressed chunk: the input buffer size
};

uint32_t TVornFile::ReadFileData(uint32_t fileOffset, TDataBuffer& buffer)
{
    buffer.Data.reset();
    buffer.Size = 0;

    if (IsDirectory(fileOffset))
        throw EVornError(FormatMessage("%d is not a valid FileEntry offset.",
                                       static_cast<int32_t>(fileOffset)));
    const uint16_t format = GetFormat(fileOffset);
    if (format > DATAFORMAT_LZO)
        throw EVornError(FormatMessage("Format %s (%d) is not supported",
                                       FormatToStr(format).c_str(), format));

    const uint32_t size = GetSize(fileOffset);
    const uint32_t crc = GetCRC32(fileOffset);
    // 64-bit positions: a damaged start cannot wrap around to valid bytes.
    const uint64_t position =
        uint64_t{FHeader.m_DataOffset} + EntryField32(fileOffset, VornRecord::FileDataStart);

    TDataBuffer result;
    uint32_t decoded;
    if (format == DATAFORMAT_RAW) {
        decoded = ReadStored(position, size, result);
    } else {
        const uint64_t header = AfterNameField(fileOffset);
        CheckIndexRange(header, sizeof(TCompressionHeader), CompressionHeaderOutside, fileOffset);
        TCompressionHeader compression;
        std::memcpy(&compression, FIndex.get() + header, sizeof(compression));
        decoded = compression.m_ChunkSize == 0
                      ? ReadStream(fileOffset, format, position, size,
                                   compression.m_CompressedSize, result)
                      : ReadChunked(fileOffset, format, position, size, compression.m_ChunkSize,
                                    result);
    }

    if (crc != 0 && Crc32Of(result.Data.get(), decoded) != crc)
        throw EVornError("CRC-32 differs from header");
    if (decoded != size)
        throw EVornError("Size missmatch.");

    buffer.Data = std::move(result.Data);
    buffer.Size = decoded;
    return decoded;
}

uint32_t TVornFile::ReadStored(uint64_t position, uint32_t size, TDataBuffer& result)
{
    if (FFileSize < position + size)
        throw EVornError("vorn too small");
    result.Data = AllocateBlock(size);
    result.Size = size;
    // The decoded count is what the read delivered; a short read fails the checks.
    return static_cast<uint32_t>(ReadAt(position, result.Data.get(), size));
}

uint32_t TVornFile::ReadStream(uint32_t offset, uint16_t format, uint64_t position,
                               uint32_t size, uint32_t compressedSize, TDataBuffer& result)
{
    if (FFileSize < position + compressedSize)
        throw EVornError("vorn too small");
    if (size > DecodeLimit(format, compressedSize))
        throw EVornError(
            FormatMessage("Size %u of entry %u is more than its %u compressed bytes can hold",
                          size, offset, compressedSize));

    result.Data = AllocateBlock(size);
    result.Size = size;
    const std::unique_ptr<uint8_t[]> input = AllocateBlock(compressedSize);
    if (ReadAt(position, input.get(), compressedSize) != compressedSize)
        throw EVornError("vorn too small");

    uint32_t produced = 0;
    const uint32_t reported =
        Decompress(format, result.Data.get(), input.get(), compressedSize, size, &produced);
    // A zlib stream that ends early reports the full size; never hand out
    // bytes it did not write.
    if (produced < size)
        std::memset(result.Data.get() + produced, 0, size - produced);
    return reported;
}

TVornFile::TChunkPlan TVornFile::PlanChunks(uint32_t offset, uint16_t format, uint64_t position,
                                            uint32_t size, uint32_t chunkSize) const
{
    TChunkPlan plan;
    plan.TableStart = AfterNameField(offset) + sizeof(TCompressionHeader);
    const uint64_t count = size / chunkSize + (size % chunkSize != 0 ? 1 : 0);
    CheckIndexRange(plan.TableStart, count * sizeof(TChunkHeader), ChunkTableOutside, offset);
    plan.Count = static_cast<uint32_t>(count);

    uint64_t decoded = 0;
    for (uint32_t i = 0; i < plan.Count; ++i) {
        const TChunkHeader chunk =
            LoadChunkHeader(FIndex.get(), plan.TableStart + uint64_t{i} * sizeof(TChunkHeader));
        uint64_t extent = uint64_t{chunk.m_ChunkOffset} + chunk.m_UncompressedSize;
        if (!IsStoredChunk(chunk)) {
            if (chunk.m_CompressedSize > chunkSize)
                throw EVornError("CompressedSize is bigger than buffer!");
            if (chunk.m_ExtraBytes > chunk.m_UncompressedSize)
                throw EVornError(FormatMessage(
                    "Chunk %u of entry %u has more extra bytes than its size", i, offset));
            const uint32_t streamBytes = chunk.m_UncompressedSize - chunk.m_ExtraBytes;
            if (streamBytes > DecodeLimit(format, chunk.m_CompressedSize))
                throw EVornError(FormatMessage(
                    "Chunk %u of entry %u: %u bytes are more than its %u compressed bytes can hold",
                    i, offset, streamBytes, chunk.m_CompressedSize));
            extent = uint64_t{chunk.m_ChunkOffset} + chunk.m_CompressedSize + chunk.m_ExtraBytes;
            if (chunk.m_CompressedSize > plan.LargestInput)
                plan.LargestInput = chunk.m_CompressedSize;
        }
        if (position + extent > FFileSize)
            throw ChunkPastEnd(i, offset);
        decoded += chunk.m_UncompressedSize;
        if (decoded > size)
            throw EVornError(
                FormatMessage("Chunk sizes of entry %u add up to more than its size", offset));
    }
    plan.Decoded = static_cast<uint32_t>(decoded);
    return plan;
}

uint32_t TVornFile::ReadChunked(uint32_t offset, uint16_t format, uint64_t position,
                                uint32_t size, uint32_t chunkSize, TDataBuffer& result)
{
    const TChunkPlan plan = PlanChunks(offset, format, position, size, chunkSize);

    // Chunks that add up to less than m_Size fail the checks after decoding, so
    // the buffer only needs room for what the chunks produce.
    result.Data = AllocateBlock(plan.Decoded);
    result.Size = plan.Decoded;
    const std::unique_ptr<uint8_t[]> input = AllocateBlock(plan.LargestInput);

    uint8_t* out = result.Data.get();
    for (uint32_t i = 0; i < plan.Count; ++i) {
        const TChunkHeader chunk =
            LoadChunkHeader(FIndex.get(), plan.TableStart + uint64_t{i} * sizeof(TChunkHeader));
        const uint64_t start = position + chunk.m_ChunkOffset;
        if (IsStoredChunk(chunk)) {
            if (ReadAt(start, out, chunk.m_UncompressedSize) != chunk.m_UncompressedSize)
                throw ChunkPastEnd(i, offset);
            out += chunk.m_UncompressedSize;
            continue;
        }
        if (ReadAt(start, input.get(), chunk.m_CompressedSize) != chunk.m_CompressedSize)
            throw ChunkPastEnd(i, offset);
        uint32_t produced = 0;
        Decompress(format, out, input.get(), chunk.m_CompressedSize, chunk.m_UncompressedSize,
                   &produced);
        const uint32_t streamBytes = chunk.m_UncompressedSize - chunk.m_ExtraBytes;
        if (produced < streamBytes)
            std::memset(out + produced, 0, streamBytes - produced);
        out += streamBytes;
        if (ReadAt(start + chunk.m_CompressedSize, out, chunk.m_ExtraBytes) != chunk.m_ExtraBytes)
            throw ChunkPastEnd(i, offset);
        out += chunk.m_ExtraBytes;
    }
    return static_cast<uint32_t>(out - result.Data.get());
}

uint32_t TVornFile::Decompress(uint16_t format, uint8_t* out, const uint8_t* in,
                               uint32_t inCount, uint32_t capacity, uint32_t* produced)
{
    // Both libraries want real pointers even for empty blocks.
    uint8_t empty = 0;
    if (!out)
        out = &empty;
    if (!in)
        in = &empty;
    if (produced)
        *produced = 0;

    switch (format) {
    case DATAFORMAT_RAW:
        throw EVornError("DATAFORMAT_RAW should have been handled earlier!");

    case DATAFORMAT_ZLIB: {
        z_stream stream{};
        if (inflateInit(&stream) != Z_OK)
            throw EVornError("error");
        stream.next_in = const_cast<Bytef*>(in);
        stream.avail_in = inCount;
        stream.next_out = out;
        stream.avail_out = capacity;
        const int rc = inflate(&stream, Z_FINISH);
        const uint32_t written = capacity - stream.avail_out;
        inflateEnd(&stream);
        if (rc == Z_STREAM_END) {
            if (produced)
                *produced = written;
            return capacity;
        }
        if (rc == Z_OK || rc == Z_BUF_ERROR)
            throw EVornError("ZLib error: target buffer may be too small");
        throw EVornError("error");
    }

    case DATAFORMAT_LZO: {
        static const int lzoReady = lzo_init();
        if (lzoReady != LZO_E_OK)
            throw EVornError("lzo decompression error");
        lzo_uint written = capacity;
        if (lzo1x_decompress_safe(in, inCount, out, &written, nullptr) != LZO_E_OK)
            throw EVornError("lzo decompression error");
        if (produced)
            *produced = static_cast<uint32_t>(written);
        return static_cast<uint32_t>(written);
    }

    default:
        return 0;
    }
}
