// PNG dumps: a frame written through the palette reads back with libpng pixel for pixel.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "programs/headless_runner/png_dump.h"

using namespace vorna;

namespace {

struct Decoded {
    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0;
    std::vector<uint8_t> rgb;
};

bool ReadPng(const std::string& path, Decoded& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    out.width = image.width;
    out.height = image.height;
    out.colourType = image.format;
    image.format = PNG_FORMAT_RGB;
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    bool ok = png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

std::string TempPath(const char* name) {
    return ::testing::TempDir() + name;
}

} // namespace

TEST(HeadlessPng, FrameRoundTripsThroughThePalette) {
    PaletteEntry pal[256];
    for (int i = 0; i < 256; ++i)
        pal[i] = PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7), 0};
    const int pitch = 328;
    std::vector<uint8_t> pixels(pitch * 240, 0xEE);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) pixels[y * pitch + x] = static_cast<uint8_t>(x + 3 * y);
    const std::string path = TempPath("vorna-roundtrip.png");
    std::string error;
    ASSERT_TRUE(WriteIndexedFramePng(path, pixels.data(), 320, 240, pitch, pal, error)) << error;

    Decoded d;
    ASSERT_TRUE(ReadPng(path, d));
    EXPECT_EQ(d.width, 320u);
    EXPECT_EQ(d.height, 240u);
    EXPECT_EQ(d.colourType, PNG_FORMAT_RGB);
    ASSERT_EQ(d.rgb.size(), 320u * 240u * 3u);
    int wrong = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const PaletteEntry& e = pal[static_cast<uint8_t>(x + 3 * y)];
            const uint8_t* p = &d.rgb[(y * 320 + x) * 3];
            if (p[0] != e.red || p[1] != e.green || p[2] != e.blue) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
    std::remove(path.c_str());
}

TEST(HeadlessPng, AnUnwritablePathIsAnErrorNotACrash) {
    PaletteEntry pal[256] = {};
    std::vector<uint8_t> pixels(320 * 240, 0);
    std::string error;
    EXPECT_FALSE(WriteIndexedFramePng("/nonexistent-dir/x.png", pixels.data(), 320, 240, 320, pal, error));
    EXPECT_NE(error.find("/nonexistent-dir/x.png"), std::string::npos);
    EXPECT_FALSE(WriteIndexedFramePng(TempPath("y.png"), nullptr, 320, 240, 320, pal, error));
    EXPECT_FALSE(WriteIndexedFramePng(TempPath("y.png"), pixels.data(), 320, 240, 100, pal, error));
}
