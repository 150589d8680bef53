// Presentation arithmetic of the Windows program: desktop clipping, letterboxing, full-screen mode choice, pixels.
#include <gtest/gtest.h>

#include "app/present_math.h"

using namespace vorna;

namespace {
const SizeRect kFrame{0, 0, 320, 240};
const SizeRect kDesktop{0, 0, 1024, 768};
} // namespace

TEST(PresentMath, WindowInsideTheDesktopIsUnchanged) {
    SizeRect d, s;
    ASSERT_TRUE(ClipStretchedBlit(SizeRect{100, 50, 740, 530}, kFrame, kDesktop, d, s));
    EXPECT_EQ(d.left, 100);
    EXPECT_EQ(d.right, 740);
    EXPECT_EQ(s.left, 0);
    EXPECT_EQ(s.right, 320);
    EXPECT_EQ(s.bottom, 240);
}

// A window hanging over the left and bottom edges shows its visible part, scaled as before.
TEST(PresentMath, WindowPartlyOffTheDesktopKeepsItsVisiblePart) {
    SizeRect d, s;
    ASSERT_TRUE(ClipStretchedBlit(SizeRect{-100, 600, 540, 1080}, kFrame, kDesktop, d, s));
    EXPECT_EQ(d.left, 0);
    EXPECT_EQ(d.top, 600);
    EXPECT_EQ(d.right, 540);
    EXPECT_EQ(d.bottom, 768);
    EXPECT_EQ(s.left, 50); // 100 of 640 pixels are hidden: 50 of 320 frame columns
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.right, 320);
    EXPECT_EQ(s.bottom, 84); // 168 of 480 rows visible: 84 frame rows
    // An odd cut rounds the source outwards, never losing a partly visible frame pixel.
    ASSERT_TRUE(ClipStretchedBlit(SizeRect{-101, 0, 539, 480}, kFrame, kDesktop, d, s));
    EXPECT_EQ(s.left, 50);
}

TEST(PresentMath, WindowEntirelyOffTheDesktopOrEmptyPresentsNothing) {
    SizeRect d, s;
    EXPECT_FALSE(ClipStretchedBlit(SizeRect{1024, 0, 1664, 480}, kFrame, kDesktop, d, s));
    EXPECT_FALSE(ClipStretchedBlit(SizeRect{-700, 0, -60, 480}, kFrame, kDesktop, d, s));
    EXPECT_FALSE(ClipStretchedBlit(SizeRect{10, 10, 10, 490}, kFrame, kDesktop, d, s));
    // A second monitor left of the first: negative coordinates are part of the desktop.
    ASSERT_TRUE(ClipStretchedBlit(SizeRect{-700, 0, -60, 480}, kFrame, SizeRect{-1280, 0, 1024, 768}, d, s));
    EXPECT_EQ(s.right, 320);
}

TEST(PresentMath, LetterboxIsTheLargestCentredFourToThree) {
    const SizeRect wide = LetterboxRect(1920, 1080);
    EXPECT_EQ(wide.left, 240);
    EXPECT_EQ(wide.right, 1680);
    EXPECT_EQ(wide.top, 0);
    EXPECT_EQ(wide.bottom, 1080);
    const SizeRect exact = LetterboxRect(640, 480);
    EXPECT_EQ(exact.left, 0);
    EXPECT_EQ(exact.right, 640);
    const SizeRect tall = LetterboxRect(1280, 1024);
    EXPECT_EQ(tall.top, 32);
    EXPECT_EQ(tall.bottom, 992);
    const SizeRect none = LetterboxRect(0, 0);
    EXPECT_EQ(none.right, 0);
}

// Both desktop programs place the frame by this one rule.
TEST(PresentMath, WindowStretchesOverTheWholeClientAreaFullScreenLetterboxes) {
    const SizeRect wide = FrameDestination(640, 240, false); // uneven stretch in a window
    EXPECT_EQ(wide.left, 0);
    EXPECT_EQ(wide.right, 640);
    EXPECT_EQ(wide.bottom, 240);
    const SizeRect none = FrameDestination(-5, 0, false);
    EXPECT_EQ(none.right, 0);
    EXPECT_EQ(none.bottom, 0);
    const SizeRect boxed = FrameDestination(1920, 1080, true);
    EXPECT_EQ(boxed.left, 240);
    EXPECT_EQ(boxed.right, 1680);
    const SizeRect odd = FrameDestination(1601, 960, true); // the odd pixel goes to the right bar
    EXPECT_EQ(odd.left, 160);
    EXPECT_EQ(odd.right, 1440);
    const SizeRect huge = FrameDestination(2000000000, 3, true); // no overflow on absurd sizes
    EXPECT_EQ(huge.right - huge.left, 4);
    EXPECT_EQ(huge.bottom, 3);
}

TEST(PresentMath, FallbackModeIsTheSmallestEightBitModeThatHoldsTheFrame) {
    const DisplayModeInfo modes[] = {{1024, 768, 8}, {320, 200, 8}, {640, 480, 32}, {640, 480, 8}, {800, 600, 8}};
    EXPECT_EQ(SmallestEightBitMode(modes, 5), 3);
    const DisplayModeInfo deep[] = {{640, 480, 16}, {320, 240, 32}};
    EXPECT_EQ(SmallestEightBitMode(deep, 2), -1);
    EXPECT_EQ(SmallestEightBitMode(nullptr, 3), -1);
}

TEST(PresentMath, PixelsArePackedIntoTheDesktopChannels) {
    const PaletteEntry e{255, 128, 0, 4};
    EXPECT_EQ(PackPixel(e, 0xFF0000u, 0x00FF00u, 0x0000FFu), 0xFF8000u);
    EXPECT_EQ(PackPixel(e, 0xF800u, 0x07E0u, 0x001Fu), (31u << 11) | (32u << 5)); // 5-6-5
    EXPECT_EQ(PackPixel(PaletteEntry{255, 255, 255, 0}, 0x7C00u, 0x03E0u, 0x001Fu), 0x7FFFu);
    EXPECT_EQ(PackPixel(e, 0, 0, 0), 0u);
}
