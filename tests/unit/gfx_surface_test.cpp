// The core surfaces' blitter: fills, keyed and stretched copies, clipping, refusals and injected faults.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "gfx/surface_ops.h"

using namespace vorna;

namespace {

uint8_t& Px(Surface& s, int x, int y) {
    return s.pixels[static_cast<size_t>(y) * s.pitch + x];
}

Surface Make(int w, int h, uint8_t fill = 0) {
    Surface s;
    EXPECT_TRUE(CreateSurface(s, w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Px(s, x, y) = fill;
    return s;
}

// A source whose pixel (x, y) is 1 + x + 16 * y (never 0), with the key 0 set.
Surface Pattern(int w, int h) {
    Surface s = Make(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Px(s, x, y) = static_cast<uint8_t>(1 + x + 16 * y);
    s.hasColourKey = true;
    s.keyLow = s.keyHigh = 0;
    return s;
}

bool Untouched(Surface& s, uint8_t value) {
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (Px(s, x, y) != value) return false;
    return true;
}

} // namespace

TEST(GfxSurface, CreateGivesAFourBytePitchAndRefusesBadSizes) {
    Surface s;
    ASSERT_TRUE(CreateSurface(s, 47, 3));
    EXPECT_EQ(s.pitch, 48);
    EXPECT_EQ(s.pixels.size(), 48u * 3);
    EXPECT_FALSE(CreateSurface(s, 0, 5));
    EXPECT_FALSE(s.exists);
    EXPECT_FALSE(CreateSurface(s, 5, -1));
    EXPECT_FALSE(CreateSurface(s, kMaxSurfaceSide + 1, 1));
    s.injectCreateFailure = true;
    EXPECT_FALSE(CreateSurface(s, 4, 4));
    EXPECT_TRUE(CreateSurface(s, 4, 4)); // the injected failure happens once
}

TEST(GfxSurface, FillCoversTheRectangleOrTheWholeSurface) {
    Surface s = Make(10, 8);
    const ClipRect r{2, 3, 5, 4};
    ASSERT_EQ(SurfaceFill(s, &r, 0x1207), DD_OK);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(Px(s, x, y), (x >= 2 && x < 5 && y == 3) ? 7 : 0) << x << "," << y;
    ASSERT_EQ(SurfaceFill(s, nullptr, 9), DD_OK);
    EXPECT_TRUE(Untouched(s, 9));
}

TEST(GfxSurface, WithoutAClipperRectanglesOutsideAreRefusedAndNothingIsWritten) {
    Surface s = Make(10, 8);
    const ClipRect outside[] = {{-1, 0, 3, 3}, {0, 0, 11, 3}, {8, 7, 10, 9}, {20, 20, 30, 30}};
    for (const ClipRect& r : outside) EXPECT_EQ(SurfaceFill(s, &r, 5), DDERR_INVALIDRECT);
    const ClipRect empty[] = {{3, 3, 3, 5}, {3, 3, 5, 3}, {5, 5, 2, 7}, {2, 6, 4, 1}};
    for (const ClipRect& r : empty) EXPECT_EQ(SurfaceFill(s, &r, 5), DDERR_INVALIDRECT);
    EXPECT_TRUE(Untouched(s, 0));
}

TEST(GfxSurface, TheClipperLimitsFillsAndNeverLetsAWriteLeaveTheSurface) {
    Surface s = Make(12, 10);
    s.hasClipper = true;
    s.clip = ClipRect{-50, -50, 500, 500}; // a clip list larger than the surface is still bounded by it
    const ClipRect r{-5, 8, 40, 30};
    ASSERT_EQ(SurfaceFill(s, &r, 3), DD_OK);
    EXPECT_EQ(Px(s, 0, 8), 3);
    EXPECT_EQ(Px(s, 11, 9), 3);
    EXPECT_EQ(Px(s, 11, 7), 0);
    EXPECT_EQ(s.pixels.size(), 12u * 10); // nothing grew
    s.clip = ClipRect{2, 2, 6, 6};
    const ClipRect all{0, 0, 12, 10};
    ASSERT_EQ(SurfaceFill(s, &all, 4), DD_OK);
    EXPECT_EQ(Px(s, 2, 2), 4);
    EXPECT_EQ(Px(s, 5, 5), 4);
    EXPECT_EQ(Px(s, 6, 5), 0);
    // Entirely clipped away is no error, and draws nothing.
    const ClipRect away{100, 100, 120, 120};
    EXPECT_EQ(SurfaceFill(s, &away, 9), DD_OK);
    for (uint8_t v : s.pixels) EXPECT_NE(v, 9);
}

TEST(GfxSurface, KeyedOneToOneCopyLeavesKeyPixelsTransparent) {
    Surface src = Pattern(16, 4);
    Px(src, 3, 1) = 0;
    Px(src, 4, 1) = 0;
    Surface dst = Make(20, 10, 200);
    const ClipRect from{2, 1, 10, 3}, to{5, 6, 13, 8};
    ASSERT_EQ(SurfaceBlt(dst, &to, src, &from, true), DD_OK);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 5 && x < 13 && y >= 6 && y < 8;
            const uint8_t want = inside ? Px(src, x - 3, y - 5) : 200;
            EXPECT_EQ(Px(dst, x, y), want == 0 ? 200 : want) << x << "," << y;
        }
    // Without the key flag every value is copied.
    ASSERT_EQ(SurfaceBlt(dst, &to, src, &from, false), DD_OK);
    EXPECT_EQ(Px(dst, 6, 6), 0);
}

TEST(GfxSurface, KeyedRowCopyMatchesThePixelRuleForEveryWidthAndKey) {
    std::mt19937 random(7);
    for (int width = 1; width <= 40; ++width) {
        Surface src = Make(width, 2), dst = Make(width + 3, 2);
        for (auto& v : src.pixels) v = static_cast<uint8_t>(random() % 4 * 60); // many keys in a row
        for (auto& v : dst.pixels) v = static_cast<uint8_t>(random());
        const uint8_t key = static_cast<uint8_t>(random() % 4 * 60);
        src.hasColourKey = true;
        src.keyLow = src.keyHigh = key;
        Surface expected = dst;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < width; ++x)
                if (Px(src, x, y) != key) Px(expected, x + 3, y) = Px(src, x, y);
        const ClipRect to{3, 0, 3 + width, 2};
        ASSERT_EQ(SurfaceBlt(dst, &to, src, nullptr, true), DD_OK);
        EXPECT_EQ(dst.pixels, expected.pixels) << "width " << width;
    }
}

TEST(GfxSurface, KeyRangesAndUnmatchableKeys) {
    Surface src = Pattern(8, 1);
    Surface dst = Make(8, 1, 99);
    src.keyLow = 3;
    src.keyHigh = 5;
    ASSERT_EQ(SurfaceBlt(dst, nullptr, src, nullptr, true), DD_OK);
    const uint8_t want[8] = {1, 2, 99, 99, 99, 6, 7, 8};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(Px(dst, x, 0), want[x]);
    // The key a failed lookup leaves behind (0xFFFFFFFF) matches no 8-bit value.
    Px(src, 0, 0) = 255;
    src.keyLow = src.keyHigh = 0xFFFFFFFFu;
    ASSERT_EQ(SurfaceBlt(dst, nullptr, src, nullptr, true), DD_OK);
    EXPECT_EQ(Px(dst, 0, 0), 255);
    EXPECT_EQ(Px(dst, 3, 0), 4);
}

TEST(GfxSurface, StretchFollowsTheOneNearestNeighbourRule) {
    Surface src = Pattern(13, 11);
    const struct {
        ClipRect from, to;
    } cases[] = {
        {{0, 0, 4, 3}, {1, 1, 9, 7}},     // twice the size
        {{2, 1, 12, 11}, {0, 0, 6, 6}},   // shrink to 61 % (10 -> 6)
        {{1, 2, 4, 9}, {3, 0, 17, 5}},    // wider and flatter at once
        {{0, 0, 13, 11}, {0, 0, 40, 11}}, // width only
    };
    for (const auto& c : cases) {
        Surface dst = Make(40, 12, 250);
        ASSERT_EQ(SurfaceBlt(dst, &c.to, src, &c.from, true), DD_OK);
        const int sw = c.from.right - c.from.left, sh = c.from.bottom - c.from.top;
        const int dw = c.to.right - c.to.left, dh = c.to.bottom - c.to.top;
        for (int j = 0; j < dh; ++j)
            for (int i = 0; i < dw; ++i)
                EXPECT_EQ(Px(dst, c.to.left + i, c.to.top + j),
                          Px(src, c.from.left + i * sw / dw, c.from.top + j * sh / dh))
                    << i << "," << j;
        EXPECT_EQ(Px(dst, c.to.right % 40, c.to.bottom % 12), 250);
    }
}

TEST(GfxSurface, ClippedStretchShowsTheVisiblePartOfTheUnclippedPicture) {
    Surface src = Pattern(7, 5);
    Surface big = Make(60, 60, 250);
    const ClipRect unclipped{10, 10, 31, 26}; // 3x stretch
    ASSERT_EQ(SurfaceBlt(big, &unclipped, src, nullptr, true), DD_OK);
    Surface dst = Make(20, 20, 250);
    dst.hasClipper = true;
    dst.clip = ClipRect{0, 0, 20, 20};
    const ClipRect shifted{-6, 8, 15, 24}; // the same picture moved by (-16, -2)
    ASSERT_EQ(SurfaceBlt(dst, &shifted, src, nullptr, true), DD_OK);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) EXPECT_EQ(Px(dst, x, y), Px(big, x + 16, y + 2)) << x << "," << y;
}

TEST(GfxSurface, SourceRectanglesMustLieInsideTheSource) {
    Surface src = Pattern(8, 8);
    Surface dst = Make(16, 16);
    const ClipRect to{0, 0, 4, 4};
    const ClipRect bad[] = {{-1, 0, 3, 4}, {5, 5, 9, 8}, {0, 0, 0, 4}, {4, 4, 2, 6}};
    for (const ClipRect& r : bad) EXPECT_EQ(SurfaceBlt(dst, &to, src, &r, true), DDERR_INVALIDRECT);
    EXPECT_TRUE(Untouched(dst, 0));
}

TEST(GfxSurface, CopiesWithinOneSurfaceBehaveLikeMemmove) {
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy) {
            Surface s = Pattern(12, 12);
            Surface before = s;
            const ClipRect from{3, 3, 9, 9}, to{3 + dx, 3 + dy, 9 + dx, 9 + dy};
            ASSERT_EQ(SurfaceBlt(s, &to, s, &from, false), DD_OK);
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 6; ++x)
                    ASSERT_EQ(Px(s, 3 + dx + x, 3 + dy + y), Px(before, 3 + x, 3 + y)) << dx << "," << dy;
        }
}

TEST(GfxSurface, InjectedFaultsGiveDirectDrawResults) {
    Surface s = Make(4, 4);
    Surface src = Pattern(4, 4);
    s.injectBusy = 2;
    EXPECT_EQ(SurfaceFill(s, nullptr, 1), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(SurfaceBlt(s, nullptr, src, nullptr, true), DDERR_WASSTILLDRAWING);
    EXPECT_TRUE(Untouched(s, 0));
    EXPECT_EQ(SurfaceFill(s, nullptr, 1), DD_OK);

    s.injectLost = true;
    uint8_t* bits = nullptr;
    int32_t pitch = 0;
    EXPECT_EQ(SurfaceFill(s, nullptr, 2), DDERR_SURFACELOST);
    EXPECT_EQ(SurfaceLock(s, &bits, &pitch), DDERR_SURFACELOST);
    EXPECT_EQ(SurfaceBlt(s, nullptr, src, nullptr, true), DDERR_SURFACELOST);
    src.injectLost = true; // a lost source fails the blit too
    EXPECT_EQ(SurfaceRestore(s), DD_OK);
    EXPECT_EQ(SurfaceBlt(s, nullptr, src, nullptr, true), DDERR_SURFACELOST);
    EXPECT_TRUE(Untouched(s, 1)); // restore keeps the contents of a system-memory surface
    SurfaceRestore(src);

    ASSERT_EQ(SurfaceLock(s, &bits, &pitch), DD_OK);
    EXPECT_EQ(pitch, 4);
    EXPECT_EQ(SurfaceLock(s, &bits, &pitch), DDERR_SURFACEBUSY);
    EXPECT_EQ(SurfaceFill(s, nullptr, 3), DDERR_SURFACEBUSY);
    SurfaceUnlock(s);
    EXPECT_EQ(SurfaceFill(s, nullptr, 3), DD_OK);

    Surface none;
    EXPECT_NE(SurfaceFill(none, nullptr, 1), DD_OK);
    EXPECT_NE(SurfaceLock(none, &bits, &pitch), DD_OK);
}
