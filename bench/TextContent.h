// Text-like benchmark data: words drawn from `words` by a seeded xorshift,
// with a number now and then and a line break about every ninth word. It
// compresses about three to one, like game scripts and tables.
#pragma once

#include "VornWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

template <size_t WordCount>
TBytes TextContent(uint32_t size, uint64_t seed, const char* const (&words)[WordCount]) {
    TBytes out;
    out.reserve(size);
    uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
    while (out.size() < size) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const char* word = words[state % WordCount];
        out.insert(out.end(), word, word + std::strlen(word));
        if ((state >> 8) % 11 == 0) {
            const std::string number = " " + std::to_string((state >> 16) % 100000);
            out.insert(out.end(), number.begin(), number.end());
        }
        out.push_back((state >> 32) % 9 == 0 ? '\n' : ' ');
    }
    out.resize(size);
    return out;
}
