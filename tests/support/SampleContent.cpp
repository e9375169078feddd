// Pictures and binary data for the sample archive.
#include "SampleContent.h"

#include <algorithm>
#include <cmath>

namespace {

void Put16(TBytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(TBytes& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

uint8_t Noise(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<uint8_t>(h ^ (h >> 16));
}

TBytes MakeBitmap(int width, int height, const TPixelFunction& pixel) {
    const uint32_t rowSize = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowSize * static_cast<uint32_t>(height);
    TBytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + pixelBytes);  // file size
    Put32(out, 0);                     // reserved
    Put32(out, 14 + 40);               // offset of the pixels
    Put32(out, 40);                    // BITMAPINFOHEADER
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // positive: bottom-up
    Put16(out, 1);                     // planes
    Put16(out, 24);                    // bits per pixel
    Put32(out, 0);                     // BI_RGB
    Put32(out, pixelBytes);
    Put32(out, 2835);                  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int row = height - 1; row >= 0; --row) {
        const size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            const uint32_t bgra = pixel(x, row, width, height);
            out.push_back(static_cast<uint8_t>(bgra));
            out.push_back(static_cast<uint8_t>(bgra >> 8));
            out.push_back(static_cast<uint8_t>(bgra >> 16));
        }
        out.resize(start + rowSize, 0);
    }
    return out;
}

TBytes MakeRawTexture(int width, int height, int surfaces, const TPixelFunction& pixel) {
    TBytes out = {'i', 'p', 'a', 'R', '8', '8', '8', '8'};
    Put16(out, 1);  // not read by the viewer
    Put16(out, static_cast<uint32_t>(surfaces));
    Put16(out, static_cast<uint32_t>(width));
    Put16(out, static_cast<uint32_t>(height));
    for (int s = 0; s < surfaces; ++s) {
        const int w = std::max(1, width >> s), h = std::max(1, height >> s);
        // First stored row is the bottom row of the picture.
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x) Put32(out, pixel(x, y, w, h));
    }
    return out;
}

TBytes MakeHeightMap(int width, int height) {
    TBytes out = {'H', 'M', 'A', 'P'};
    Put32(out, 2);  // version
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double hills = 96 + 60 * std::sin(x * 0.07) * std::cos(y * 0.05) + 30 * std::sin((x + y) * 0.021);
            out.push_back(static_cast<uint8_t>(std::clamp(hills + (Noise(x, y, 7) & 7), 0.0, 255.0)));
        }
    return out;
}
