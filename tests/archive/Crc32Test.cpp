// CRC-32 as the archive records it: the standard reflected 0xEDB88320 form.
#include "archive/Crc32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

TEST(Crc32, KnownValues)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {"123456789", 0xCBF43926u},
        {"abc", 0x352441C2u},
        {"", 0u},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
    };
    for (const auto& [text, crc] : cases) {
        EXPECT_EQ(Crc32Of(text, std::strlen(text)), crc) << text;
        uint32_t value = 0x12345678;  // whatever it held before is replaced
        UpdateCRC32(text, std::strlen(text), value, true);
        EXPECT_EQ(value, crc) << text;
    }
}

TEST(Crc32, PiecewiseUpdatesMatchOneCall)
{
    std::vector<uint8_t> data(100000);
    std::mt19937 random(7);
    for (uint8_t& b : data)
        b = static_cast<uint8_t>(random());
    const uint32_t whole = Crc32Of(data.data(), data.size());

    for (size_t split : {size_t{0}, size_t{1}, size_t{4095}, size_t{50000}, data.size()}) {
        uint32_t crc = 0xFFFFFFFFu;
        UpdateCRC32(data.data(), split, crc, false);
        UpdateCRC32(data.data() + split, data.size() - split, crc, false);
        EXPECT_EQ(~crc, whole) << split;
    }
}

TEST(Crc32, EmptyUpdateLeavesTheValue)
{
    uint32_t crc = 0xCAFEBABE;
    UpdateCRC32(nullptr, 0, crc, false);
    EXPECT_EQ(crc, 0xCAFEBABEu);
}

}  // namespace
