// The hex viewer's text layout, free of any window: one 75-character line per
// 16 bytes and the scroll-bar range for a number of visible rows.
#pragma once

#include <cstdint>
#include <string>

constexpr int kHexBytesPerRow = 16;
constexpr int kHexLineLength = 75;
// Column of the first hex digit of byte k is kHexColumn + 3k; its character
// sits at kCharColumn + k.
constexpr int kHexColumn = 10;
constexpr int kCharColumn = 59;

// The column header, aligned with the lines below it.
extern const char kHexHeader[];

// The character shown for a byte: itself from ' ' to '}', otherwise '.'.
char HexDisplayChar(uint8_t byte);

// Line for row `row` (bytes 16*row to 16*row+15) of `size` bytes at `data`.
// Rows past the end show only their offset.
std::string FormatHexLine(const uint8_t* data, uint32_t size, uint32_t row);

struct THexScrollRange {
    int Maximum = 0;
    int PageStep = 0;
    bool Enabled = false;
};

// Scroll range for `size` bytes with `visibleRows` full rows on screen.
// Positions are row numbers; the maximum lets the last row come into view.
THexScrollRange ComputeHexScrollRange(uint32_t size, int visibleRows);
