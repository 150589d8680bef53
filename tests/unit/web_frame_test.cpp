// The page's picture and gamepad: palette bytes in canvas order, nearest-neighbour scaling, letterbox, axes.
#include <gtest/gtest.h>

#include <vector>

#include "app/present_math.h"
#include "backends/web/web_frame.h"
#include "backends/web/web_input.h"

namespace vorna {
namespace {

constexpr uint32_t kBlack = 0xFF000000u;

// A frame whose index encodes its pixel's column and row, through a lookup that keeps the index readable.
struct MarkedFrame {
    std::vector<uint8_t> indices = std::vector<uint8_t>(kFrameWidth * kFrameHeight);
    uint32_t lookup[256];
    MarkedFrame() {
        for (int i = 0; i < 256; ++i) lookup[i] = 0xFF000000u | static_cast<uint32_t>(i + 1);
        for (int y = 0; y < kFrameHeight; ++y)
            for (int x = 0; x < kFrameWidth; ++x)
                indices[y * kFrameWidth + x] = static_cast<uint8_t>((x * 7 + y * 13) & 255);
    }
    uint32_t At(int x, int y) const { return lookup[indices[y * kFrameWidth + x]]; }
};

TEST(WebFrame, PaletteEntryBecomesCanvasBytesInOrder) {
    const uint32_t pixel = RgbaPixel(PaletteEntry{0x12, 0x34, 0x56, 0x04});
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&pixel);
    // ImageData is R, G, B, A in memory; the palette's flags never reach alpha.
    EXPECT_EQ(bytes[0], 0x12);
    EXPECT_EQ(bytes[1], 0x34);
    EXPECT_EQ(bytes[2], 0x56);
    EXPECT_EQ(bytes[3], 0xFF);
}

TEST(WebFrame, DoubleSizeRepeatsEachPixelTwiceEachWay) {
    MarkedFrame f;
    const int w = 2 * kFrameWidth, h = 2 * kFrameHeight;
    std::vector<uint32_t> out(w * h, 0);
    ScaleFrameToRgba(f.indices.data(), f.lookup, FrameDestination(w, h, false), w, h, out.data());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(out[y * w + x], f.At(x / 2, y / 2)) << x << "," << y;
}

TEST(WebFrame, UnevenStretchUsesTheDesktopsColumnRule) {
    MarkedFrame f;
    const int w = 640, h = 240; // the wide size: doubled across, unscaled down
    std::vector<uint32_t> out(w * h, 0);
    ScaleFrameToRgba(f.indices.data(), f.lookup, SizeRect{0, 0, w, h}, w, h, out.data());
    EXPECT_EQ(out[0], f.At(0, 0));
    EXPECT_EQ(out[1], f.At(0, 0));
    EXPECT_EQ(out[w - 1], f.At(kFrameWidth - 1, 0));
    EXPECT_EQ(out[(h - 1) * w + 3], f.At(1, h - 1));
    // A size that does not divide evenly: 400 columns from 320, source column (x * 320) / 400.
    const int odd = 400;
    std::vector<uint32_t> narrow(odd * kFrameHeight, 0);
    ScaleFrameToRgba(f.indices.data(), f.lookup, SizeRect{0, 0, odd, kFrameHeight}, odd, kFrameHeight, narrow.data());
    for (int x : {0, 4, 5, 199, 399}) EXPECT_EQ(narrow[x], f.At(x * kFrameWidth / odd, 0)) << x;
}

TEST(WebFrame, LetterboxLeavesBlackBarsAndCentresTheFrame) {
    MarkedFrame f;
    const int w = 1000, h = 480; // wider than 4:3: bars left and right
    std::vector<uint32_t> out(w * h, 0);
    const SizeRect dest = FrameDestination(w, h, true);
    ASSERT_EQ(dest.right - dest.left, 640);
    ScaleFrameToRgba(f.indices.data(), f.lookup, dest, w, h, out.data());
    EXPECT_EQ(out[0], kBlack);
    EXPECT_EQ(out[dest.left - 1], kBlack);
    EXPECT_EQ(out[dest.left], f.At(0, 0));
    EXPECT_EQ(out[dest.right - 1], f.At(kFrameWidth - 1, 0));
    EXPECT_EQ(out[(h - 1) * w + dest.right], kBlack);
}

TEST(WebFrame, EmptyOrOutsideDestinationsGiveBlackWithoutWritingPastTheImage) {
    MarkedFrame f;
    const int w = 64, h = 48;
    std::vector<uint32_t> out(w * h + 1, 0x12345678u); // one guard word past the end
    ScaleFrameToRgba(f.indices.data(), f.lookup, SizeRect{10, 10, 10, 30}, w, h, out.data());
    for (int i = 0; i < w * h; ++i) ASSERT_EQ(out[i], kBlack);
    // Larger than the image and starting left of it: only the part inside is drawn, from the right columns.
    ScaleFrameToRgba(f.indices.data(), f.lookup, SizeRect{-320, -240, 320, 240}, w, h, out.data());
    EXPECT_EQ(out[0], f.At(kFrameWidth / 2, kFrameHeight / 2));
    EXPECT_EQ(out[w * h], 0x12345678u);
    ScaleFrameToRgba(f.indices.data(), f.lookup, SizeRect{100, 100, 200, 200}, w, h, out.data());
    EXPECT_EQ(out[w * h - 1], kBlack);
    ScaleFrameToRgba(nullptr, f.lookup, SizeRect{0, 0, w, h}, w, h, out.data());
    EXPECT_EQ(out[5], kBlack);
    EXPECT_EQ(out[w * h], 0x12345678u);
}

TEST(WebGamepad, AxesMapToTheJoystickRangeAndNonsenseIsClamped) {
    EXPECT_EQ(GamepadAxisPosition(-1.0), 0u);
    EXPECT_EQ(GamepadAxisPosition(1.0), 65535u);
    EXPECT_EQ(GamepadAxisPosition(0.0), 32768u);
    EXPECT_EQ(GamepadAxisPosition(-3.5), 0u);
    EXPECT_EQ(GamepadAxisPosition(7.0), 65535u);
    EXPECT_EQ(GamepadAxisPosition(0.0 / 0.0), 0u);
}

} // namespace
} // namespace vorna
