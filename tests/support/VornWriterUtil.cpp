// Byte patching, compression, times and the PE wrapper of the test writer.
#include "VornWriter.h"

#include <lzo/lzo1x.h>
#include <zlib.h>

#include <cstring>
#include <fstream>
#include <stdexcept>

TBytes BytesOf(const std::string& text) { return TBytes(text.begin(), text.end()); }

uint64_t FileTimeOf(int year, int month, int day, int hour, int minute, int second) {
    // Days from 1601-01-01 to the date, by the proleptic Gregorian calendar.
    auto daysFromCivil = [](int y, int m, int d) -> int64_t {
        y -= m <= 2;
        const int64_t era = (y >= 0 ? y : y - 399) / 400;
        const int64_t yoe = y - era * 400;
        const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe;
    };
    const int64_t days = daysFromCivil(year, month, day) - daysFromCivil(1601, 1, 1);
    const int64_t seconds = days * 86400 + hour * 3600 + minute * 60 + second;
    return static_cast<uint64_t>(seconds) * 10000000ull;
}

TBytes ZlibCompress(const uint8_t* data, size_t size, int level) {
    uLongf outSize = compressBound(static_cast<uLong>(size));
    TBytes out(outSize);
    if (compress2(out.data(), &outSize, data, static_cast<uLong>(size), level) != Z_OK)
        throw std::runtime_error("zlib compression failed");
    out.resize(outSize);
    return out;
}

TBytes LzoCompress(const uint8_t* data, size_t size) {
    static const bool initialised = lzo_init() == LZO_E_OK;
    if (!initialised) throw std::runtime_error("lzo_init failed");
    std::vector<uint8_t> work(LZO1X_1_MEM_COMPRESS);
    TBytes out(size + size / 16 + 64 + 3);
    lzo_uint outSize = 0;
    if (lzo1x_1_compress(data, size, out.data(), &outSize, work.data()) != LZO_E_OK)
        throw std::runtime_error("lzo compression failed");
    out.resize(outSize);
    return out;
}

static void CheckRange(const TBytes& bytes, size_t pos, size_t count) {
    if (pos > bytes.size() || bytes.size() - pos < count)
        throw std::out_of_range("patch outside the archive bytes");
}

void PatchU8(TBytes& bytes, size_t pos, uint8_t value) {
    CheckRange(bytes, pos, 1);
    bytes[pos] = value;
}

void PatchU16(TBytes& bytes, size_t pos, uint16_t value) {
    CheckRange(bytes, pos, 2);
    for (int i = 0; i < 2; ++i) bytes[pos + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PatchU32(TBytes& bytes, size_t pos, uint32_t value) {
    CheckRange(bytes, pos, 4);
    for (int i = 0; i < 4; ++i) bytes[pos + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PatchU64(TBytes& bytes, size_t pos, uint64_t value) {
    CheckRange(bytes, pos, 8);
    for (int i = 0; i < 8; ++i) bytes[pos + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t ReadU32(const TBytes& bytes, size_t pos) {
    CheckRange(bytes, pos, 4);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[pos + i];
    return value;
}

void SaveBytes(const std::string& fileName, const TBytes& bytes) {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + fileName);
}

TBytes BuildPeWrapped(const std::vector<std::string>& sectionNames,
                      std::optional<uint16_t> declaredCount, const TBytes& payload) {
    constexpr size_t kPeHeader = 64, kSectionTable = 312, kSectionRecord = 40;
    const size_t tableEnd = kSectionTable + kSectionRecord * sectionNames.size();
    const size_t payloadPos = (tableEnd + 511) / 512 * 512;
    TBytes bytes(std::max<size_t>(payloadPos + payload.size(), VORN_HEADER_SIZE), 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    PatchU32(bytes, 60, kPeHeader);                       // e_lfanew
    std::memcpy(&bytes[kPeHeader], "PE\0\0", 4);
    PatchU16(bytes, 68, 0x014C);                          // i386
    PatchU16(bytes, 70, declaredCount.value_or(static_cast<uint16_t>(sectionNames.size())));
    PatchU16(bytes, 84, 224);                             // optional header size
    PatchU16(bytes, 86, 0x0102);                          // executable, 32-bit
    PatchU16(bytes, 88, 0x010B);                          // PE32 optional header
    for (size_t i = 0; i < sectionNames.size(); ++i) {
        const size_t record = kSectionTable + kSectionRecord * i;
        std::memcpy(&bytes[record], sectionNames[i].data(), std::min<size_t>(8, sectionNames[i].size()));
        PatchU32(bytes, record + 8, static_cast<uint32_t>(payload.size()));   // virtual size
        PatchU32(bytes, record + 12, static_cast<uint32_t>(0x1000 * (i + 1)));
        PatchU32(bytes, record + 16, static_cast<uint32_t>(payload.size()));  // raw size
        PatchU32(bytes, record + 20, static_cast<uint32_t>(payloadPos));
        PatchU32(bytes, record + 36, 0x40000040);         // initialised, readable
    }
    std::copy(payload.begin(), payload.end(), bytes.begin() + payloadPos);
    return bytes;
}
