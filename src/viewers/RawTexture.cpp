#include "viewers/RawTexture.h"

#include <algorithm>
#include <cstring>

namespace {

uint16_t ReadU16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }

}  // namespace

QImage DecodeRawTexture(const uint8_t* data, uint32_t size) {
    if (size < 4 || std::memcmp(data, "ipaR", 4) != 0) throw ERawTextureError("Invalid file!");
    if (size < 8 || std::memcmp(data + 4, "8888", 4) != 0)
        throw ERawTextureError("Unsupported Pixelformat!");
    if (size < kRawHeaderSize) throw ERawTextureError("Invalid file!");
    if (ReadU16(data + 10) == 0) throw ERawTextureError("No surface present!");

    const int width = ReadU16(data + 12);
    const int height = ReadU16(data + 14);
    if (width == 0 || height == 0) throw ERawTextureError("Empty picture!");
    const uint64_t rowBytes = uint64_t(width) * 4;
    if (rowBytes * height > size - kRawHeaderSize)
        throw ERawTextureError("Texture data is shorter than its header says!");

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) throw ERawTextureError("Out of memory for the picture!");
    // Stored rows run bottom-up; each pixel is B, G, R, A with the alpha ignored.
    const uint8_t* pixels = data + kRawHeaderSize;
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = pixels + rowBytes * (height - 1 - y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, source += 4)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}

QSize ImageWindowClientSize(const QSize& picture) {
    return {std::max(150, picture.width() + 10), std::max(150, picture.height() + 10)};
}
