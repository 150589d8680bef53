// The library-free PNG encoder of the Windows build: libpng reads its files back pixel for pixel.
#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "programs/headless_runner/png_dump.h"

using namespace vorna;

namespace {

bool DecodeRgb(const std::vector<uint8_t>& file, png_uint_32& width, png_uint_32& height, std::vector<uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
    width = image.width;
    height = image.height;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    const bool ok = png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

} // namespace

// A 320 x 240 frame spans several 64 KiB stored blocks; the block seams and the checksums must be right.
TEST(StoredPng, FullFrameAcrossSeveralBlocksDecodes) {
    const int w = 320, h = 240;
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 31 + (i >> 9));
    const std::vector<uint8_t> file = EncodeStoredRgbPng(rgb.data(), w, h);
    png_uint_32 dw = 0, dh = 0;
    std::vector<uint8_t> back;
    ASSERT_TRUE(DecodeRgb(file, dw, dh, back));
    EXPECT_EQ(dw, 320u);
    EXPECT_EQ(dh, 240u);
    EXPECT_EQ(back, rgb);
}

TEST(StoredPng, TinyAndEmptyPictures) {
    const uint8_t one[3] = {1, 2, 3};
    png_uint_32 dw = 0, dh = 0;
    std::vector<uint8_t> back;
    ASSERT_TRUE(DecodeRgb(EncodeStoredRgbPng(one, 1, 1), dw, dh, back));
    EXPECT_EQ(back, std::vector<uint8_t>(one, one + 3));
    EXPECT_TRUE(EncodeStoredRgbPng(one, 0, 1).empty());
    EXPECT_TRUE(EncodeStoredRgbPng(nullptr, 1, 1).empty());
}
