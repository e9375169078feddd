// The hex viewer's line layout and scroll range as pure functions.
#include "viewers/HexDump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Line(const std::vector<uint8_t>& bytes, uint32_t row) {
    return FormatHexLine(bytes.data(), uint32_t(bytes.size()), row);
}

}  // namespace

TEST(HexDumpLine, TwentyBytesFillOneRowThenFourThenOffsetsOnly) {
    std::vector<uint8_t> bytes;
    for (char c = 'A'; c <= 'T'; ++c) bytes.push_back(uint8_t(c));

    EXPECT_EQ(Line(bytes, 0),
              "00000000  41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Line(bytes, 1), "00000010  51 52 53 54 " + std::string(36, ' ') + " QRST" +
                                  std::string(12, ' '));
    EXPECT_EQ(Line(bytes, 2), "00000020" + std::string(67, ' '));
    EXPECT_EQ(Line(bytes, 0x0FFFFFFF).substr(0, 8), "FFFFFFF0");
    for (uint32_t row : {0u, 1u, 2u, 500u}) EXPECT_EQ(Line(bytes, row).size(), 75u) << row;
}

TEST(HexDumpLine, ShowsOnlySpaceToClosingBraceAsThemselves) {
    const struct {
        uint8_t byte;
        char shown;
    } cases[] = {{0x41, 'A'}, {0x7D, '}'}, {0x7E, '.'}, {0x7F, '.'}, {0x09, '.'},
                 {0xE9, '.'}, {0x20, ' '}, {0x1F, '.'}, {0x00, '.'}, {0x21, '!'}};
    for (const auto& c : cases) {
        EXPECT_EQ(HexDisplayChar(c.byte), c.shown) << int(c.byte);
        EXPECT_EQ(Line({c.byte}, 0)[kCharColumn], c.shown) << int(c.byte);
    }
}

TEST(HexDumpLine, BytesLineUpWithTheHeaderColumns) {
    std::vector<uint8_t> bytes;
    for (int k = 0; k < 16; ++k) bytes.push_back(uint8_t(0xA0 + k));
    const std::string line = Line(bytes, 0);
    const std::string header = kHexHeader;
    ASSERT_EQ(header.size(), 75u);
    const char digits[] = "0123456789ABCDEF";
    for (int k = 0; k < 16; ++k) {
        const std::string expected = {'A', digits[k], ' '};
        EXPECT_EQ(line.substr(10 + 3 * k, 3), expected) << k;
        EXPECT_EQ(line[59 + k], '.') << k;
        // Each header digit stands over the second digit of its byte.
        EXPECT_EQ(header[11 + 3 * k], digits[k]) << k;
    }
    EXPECT_EQ(header.substr(0, 7), "Address");
    EXPECT_EQ(header.substr(59), "-- ASCII Data --");
}

TEST(HexDumpScroll, RangeFollowsFullRowsAgainstVisibleRows) {
    const struct {
        uint32_t size;
        int rows;
        int maximum;
        bool enabled;
    } cases[] = {
        {528, 33, 1, true},     // 33 full rows: the empty row after them can be reached
        {527, 33, 0, false},    // everything fits
        {0, 33, 0, false},      // empty entry
        {16, 1, 1, true},
        {1u << 30, 35, (1 << 26) - 35 + 1, true},
    };
    for (const auto& c : cases) {
        const THexScrollRange range = ComputeHexScrollRange(c.size, c.rows);
        EXPECT_EQ(range.Maximum, c.maximum) << c.size;
        EXPECT_EQ(range.PageStep, c.rows) << c.size;
        EXPECT_EQ(range.Enabled, c.enabled) << c.size;
    }
}
