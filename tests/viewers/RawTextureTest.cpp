// Decoding raw textures and sizing the image window, without any window.
#include "viewers/RawTexture.h"

#include "ViewerTestSupport.h"

#include <gtest/gtest.h>

namespace {

QImage Decode(const std::string& bytes) {
    return DecodeRawTexture(reinterpret_cast<const uint8_t*>(bytes.data()), uint32_t(bytes.size()));
}

std::string DecodeError(const std::string& bytes) {
    try {
        Decode(bytes);
    } catch (const ERawTextureError& error) {
        return error.what();
    }
    return "(decoded)";
}

constexpr uint32_t kRed = 0xFFFF0000;   // bytes 00 00 FF FF: blue, green, red, alpha
constexpr uint32_t kBlue = 0xFF0000FF;

}  // namespace

TEST(RawTexture, RefusesBadHeadersAndShortData) {
    std::string badSignature = MakeTexture(1, 2, 2);
    badSignature[0] = 'I';
    std::string badFormat = MakeTexture(1, 2, 2);
    badFormat[7] = '4';
    const std::string full = MakeTexture(1, 4, 4);

    const struct {
        const char* what;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"empty", "", "Invalid file!"},
        {"signature only half there", "ip", "Invalid file!"},
        {"wrong signature", badSignature, "Invalid file!"},
        {"wrong pixel format", badFormat, "Unsupported Pixelformat!"},
        {"header cut short", full.substr(0, 12), "Invalid file!"},
        {"no surface", MakeTexture(0, 2, 2), "No surface present!"},
        {"width 0", MakeTexture(1, 0, 5), "Empty picture!"},
        {"height 0", MakeTexture(1, 5, 0), "Empty picture!"},
        {"one pixel byte missing", full.substr(0, full.size() - 1),
         "Texture data is shorter than its header says!"},
        {"no pixels at all", full.substr(0, 16), "Texture data is shorter than its header says!"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeError(c.bytes), c.message) << c.what;
}

TEST(RawTexture, FirstStoredRowIsTheBottomRowAndAlphaIsIgnored) {
    const QImage image = Decode(MakeTexture(1, 3, 4, kBlue, kRed));
    ASSERT_EQ(image.size(), QSize(3, 4));
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(image.pixel(x, 3), qRgb(255, 0, 0)) << x;
        for (int y = 0; y < 3; ++y) EXPECT_EQ(image.pixel(x, y), qRgb(0, 0, 255)) << x << y;
    }

    const QImage opaque = Decode(MakeTexture(1, 2, 2, 0xFF123456));
    const QImage clear = Decode(MakeTexture(1, 2, 2, 0x00123456));
    EXPECT_EQ(opaque, clear);
    EXPECT_EQ(clear.pixel(1, 1), qRgb(0x12, 0x34, 0x56));
    EXPECT_FALSE(clear.hasAlphaChannel());
}

TEST(RawTexture, ShowsOnlyTheFirstSurface) {
    // Three surfaces: the second and third (green) follow the first (blue).
    std::string bytes = MakeTexture(3, 2, 2, kBlue);
    const std::string green = MakeTexture(1, 2, 2, 0xFF00FF00).substr(16);
    bytes += green + green;
    const QImage image = Decode(bytes);
    EXPECT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 255));
}

TEST(ImageWindowSize, IsTenPixelsLargerThanThePictureAndAtLeast150) {
    const struct {
        QSize picture;
        QSize window;
    } cases[] = {
        {{64, 32}, {150, 150}},
        {{256, 512}, {266, 522}},
        {{140, 141}, {150, 151}},
        {{1, 4000}, {150, 4010}},
    };
    for (const auto& c : cases) EXPECT_EQ(ImageWindowClientSize(c.picture), c.window) << c.picture.width();
}
