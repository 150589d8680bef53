// The desktop's one-pass scaling: every size shows the frame as the nearest-neighbour rule scales it.
#include <gtest/gtest.h>

#ifdef VORNA_HAVE_DESKTOP
#include <cstring>
#include <vector>

#include "backends/sdl2/palette_scaler.h"

using namespace vorna;

namespace {

constexpr int kSourceWidth = 320;
constexpr int kSourceHeight = 240;
constexpr uint32_t kGuard = 0xDEADBEEF; // what lies beyond each row's pixels and must stay

struct Scaled {
    std::vector<uint32_t> pixels;
    int stride = 0; // in pixels
    int converted = 0;
};

// A frame in which no two neighbouring pixels, rows or columns look alike, through a lookup that does
// not map an index to itself.
std::vector<uint8_t> Frame() {
    std::vector<uint8_t> frame(kSourceWidth * kSourceHeight);
    for (int y = 0; y < kSourceHeight; ++y)
        for (int x = 0; x < kSourceWidth; ++x) frame[y * kSourceWidth + x] = static_cast<uint8_t>(x * 7 + y * 13);
    return frame;
}

void Lookup(uint32_t (&lookup)[256]) {
    for (uint32_t i = 0; i < 256; ++i) lookup[i] = 0x010203u * i ^ 0x00A5C3E1u;
}

Scaled Scale(PaletteScaler& scaler, int width, int height, int spare = 3) {
    const std::vector<uint8_t> frame = Frame();
    uint32_t lookup[256];
    Lookup(lookup);
    Scaled out;
    out.stride = width + spare;
    out.pixels.assign(static_cast<size_t>(out.stride) * height, kGuard);
    scaler.Scale(frame.data(), kSourceWidth, kSourceHeight, lookup, reinterpret_cast<uint8_t*>(out.pixels.data()),
                 out.stride * 4, width, height);
    out.converted = scaler.ConvertedRows();
    return out;
}

void ExpectNearest(const Scaled& out, int width, int height) {
    const std::vector<uint8_t> frame = Frame();
    uint32_t lookup[256];
    Lookup(lookup);
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int sx = x * kSourceWidth / width, sy = y * kSourceHeight / height;
            if (out.pixels[static_cast<size_t>(y) * out.stride + x] != lookup[frame[sy * kSourceWidth + sx]]) ++wrong;
        }
        for (int x = width; x < out.stride; ++x)
            if (out.pixels[static_cast<size_t>(y) * out.stride + x] != kGuard) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << width << " x " << height;
}

} // namespace

TEST(PaletteScaler, EverySizeTheWindowOffersEqualsTheNearestRule) {
    PaletteScaler scaler;
    // The five sizes of the menu, a dragged window, a letterboxed full screen, and smaller than the frame.
    const int sizes[][2] = {{320, 240}, {480, 360},  {640, 480}, {640, 240}, {320, 480},
                            {737, 411}, {1280, 960}, {100, 75},  {1, 1}};
    for (const auto& size : sizes) ExpectNearest(Scale(scaler, size[0], size[1]), size[0], size[1]);
    // Rows on 16-byte boundaries take the wide stores; rows off them the narrow ones. Both equal the rule.
    for (int spare : {0, 1, 4}) {
        ExpectNearest(Scale(scaler, 640, 480, spare), 640, 480);
        ExpectNearest(Scale(scaler, 320, 240, spare), 320, 240); // the picture the X server scales
    }
}

TEST(PaletteScaler, ConvertsEachSourceRowOnceAndCopiesItsRepeats) {
    PaletteScaler scaler;
    EXPECT_EQ(Scale(scaler, 640, 480).converted, kSourceHeight);
    EXPECT_EQ(Scale(scaler, 320, 480).converted, kSourceHeight);
    EXPECT_EQ(Scale(scaler, 640, 720).converted, kSourceHeight);
    EXPECT_EQ(Scale(scaler, 640, 120).converted, 120);
    // The column table follows a change of size back and forth.
    ExpectNearest(Scale(scaler, 500, 480), 500, 480);
    ExpectNearest(Scale(scaler, 640, 480), 640, 480);
    ExpectNearest(Scale(scaler, 500, 480), 500, 480);
}

TEST(PaletteScaler, AnUpdateWritesOnlyTheRunsThatChangedAndNamesTheirBands) {
    // A width that leaves a short run at each row's end, and a height that ends in a short band.
    constexpr int kWidth = 21, kHeight = 19, kSpare = 2;
    constexpr int kRunsPerRow = (kWidth + PaletteScaler::kGroupPixels - 1) / PaletteScaler::kGroupPixels;
    using Rect = PaletteScaler::PixelRect;
    uint32_t lookup[256];
    Lookup(lookup);
    for (int factor : {1, 2}) {
        SCOPED_TRACE(factor);
        const int stride = kWidth * factor + kSpare; // in pixels
        std::vector<uint8_t> frame(kWidth * kHeight);
        for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(i * 11);
        std::vector<uint8_t> shown = frame;
        std::vector<uint32_t> out(static_cast<size_t>(stride) * kHeight * factor, kGuard);
        std::vector<Rect> bands;
        const auto update = [&] {
            bands.clear();
            return PaletteScaler::UpdateChanged(frame.data(), shown.data(), kWidth, kHeight, factor, lookup,
                                                reinterpret_cast<uint8_t*>(out.data()), stride * 4, bands);
        };
        // What is already shown is not written again, and nothing needs showing.
        EXPECT_EQ(update(), 0);
        EXPECT_TRUE(bands.empty());

        frame[0] ^= 1;                // first run of row 0
        frame[kWidth + 9] ^= 1;       // second run of row 1: the same band
        frame[17 * kWidth + 20] ^= 1; // the short last run of row 17, in the last band
        frame[17 * kWidth + 19] ^= 1; // the same run again
        EXPECT_EQ(update(), 3);
        EXPECT_EQ(shown, frame);
        ASSERT_EQ(bands.size(), 2u);
        EXPECT_EQ((std::vector<int>{bands[0].left, bands[0].top, bands[0].right, bands[0].bottom}),
                  (std::vector<int>{0, 0, 16, 2}));
        EXPECT_EQ((std::vector<int>{bands[1].left, bands[1].top, bands[1].right, bands[1].bottom}),
                  (std::vector<int>{16, 17, 21, 18}));
        int written = 0, wrong = 0, guards = 0;
        for (int y = 0; y < kHeight * factor; ++y) {
            for (int x = 0; x < kWidth * factor; ++x) {
                const uint32_t got = out[static_cast<size_t>(y) * stride + x];
                if (got == kGuard) continue;
                ++written;
                if (got != lookup[frame[(y / factor) * kWidth + x / factor]]) ++wrong;
            }
            for (int x = kWidth * factor; x < stride; ++x) guards += out[static_cast<size_t>(y) * stride + x] != kGuard;
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(guards, 0);
        EXPECT_EQ(written, (2 * PaletteScaler::kGroupPixels + kWidth % PaletteScaler::kGroupPixels) * factor * factor);

        // Once every pixel differs, every run is written, each band spans the width, and the picture
        // equals the nearest rule.
        for (auto& v : frame) v = static_cast<uint8_t>(v + 1);
        EXPECT_EQ(update(), kRunsPerRow * kHeight);
        ASSERT_EQ(bands.size(), 3u);
        EXPECT_EQ(bands[2].top, 2 * PaletteScaler::kBandRows);
        EXPECT_EQ(bands[2].bottom, kHeight);
        for (const Rect& band : bands) EXPECT_EQ(band.right - band.left, kWidth);
        wrong = 0;
        for (int y = 0; y < kHeight * factor; ++y)
            for (int x = 0; x < kWidth * factor; ++x)
                wrong += out[static_cast<size_t>(y) * stride + x] != lookup[frame[(y / factor) * kWidth + x / factor]];
        EXPECT_EQ(wrong, 0);
    }
}

TEST(PaletteScaler, RowsWiderThanOneMaskOfRunsLoseNoRun) {
    // Runs are compared 64 to a mask: the runs either side of that edge, and the short tail, all count.
    constexpr int kGroup = PaletteScaler::kGroupPixels;
    constexpr int kWidth = 70 * kGroup + 3, kHeight = 2;
    uint32_t lookup[256];
    Lookup(lookup);
    std::vector<uint8_t> frame(kWidth * kHeight, 7), shown = frame;
    std::vector<uint32_t> out(frame.size(), kGuard);
    for (int run : {0, 63, 64, 69}) frame[kWidth + run * kGroup + 5] = 9;
    frame[2 * kWidth - 1] = 9;
    std::vector<PaletteScaler::PixelRect> bands;
    EXPECT_EQ(PaletteScaler::UpdateChanged(frame.data(), shown.data(), kWidth, kHeight, 1, lookup,
                                           reinterpret_cast<uint8_t*>(out.data()), kWidth * 4, bands),
              5);
    EXPECT_EQ(shown, frame);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ((std::vector<int>{bands[0].left, bands[0].top, bands[0].right, bands[0].bottom}),
              (std::vector<int>{0, 1, kWidth, 2}));
    int written = 0, wrong = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i] == kGuard) continue;
        ++written;
        wrong += out[i] != lookup[frame[i]];
    }
    EXPECT_EQ(written, 4 * kGroup + 3);
    EXPECT_EQ(wrong, 0);
}

TEST(PaletteScaler, NothingToDrawWritesNothing) {
    PaletteScaler scaler;
    uint32_t lookup[256] = {};
    uint32_t pixel = kGuard;
    const std::vector<uint8_t> frame = Frame();
    scaler.Scale(frame.data(), kSourceWidth, kSourceHeight, lookup, reinterpret_cast<uint8_t*>(&pixel), 4, 0, 1);
    scaler.Scale(nullptr, kSourceWidth, kSourceHeight, lookup, reinterpret_cast<uint8_t*>(&pixel), 4, 1, 1);
    scaler.Scale(frame.data(), 0, kSourceHeight, lookup, reinterpret_cast<uint8_t*>(&pixel), 4, 1, 1);
    EXPECT_EQ(pixel, kGuard);
    EXPECT_EQ(scaler.ConvertedRows(), 0);
}
#endif
