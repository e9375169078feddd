// Decoding the game's raw textures ("ipaR", pixel format "8888") into a picture.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <stdexcept>

// A texture that cannot be shown; the message names the failed check.
class ERawTextureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr uint32_t kRawHeaderSize = 16;

// The first surface as an opaque picture, its first stored row at the bottom.
// Raises ERawTextureError: "Invalid file!", "Unsupported Pixelformat!",
// "No surface present!", or for an empty picture or pixels past the data.
// Never reads past `size` bytes.
QImage DecodeRawTexture(const uint8_t* data, uint32_t size);

// Client size of the image window for a picture: 10 pixels larger than the
// picture, at least 150 by 150.
QSize ImageWindowClientSize(const QSize& picture);
