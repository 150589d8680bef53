// The blitter's fast row kernels against the plain per-pixel rule, over many random copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "gfx/surface_ops.h"

using namespace vorna;

namespace {

uint8_t& Px(Surface& s, int x, int y) {
    return s.pixels[static_cast<size_t>(y) * s.pitch + x];
}

// The rule itself: destination pixel (x, y) of the visible part reads source pixel
// (left + i * sw / dw, top + j * sh / dh) and is left alone when that value lies within the key.
void ReferenceBlt(Surface& dst, const ClipRect& whole, Surface& src, const ClipRect& from, bool useKey) {
    ClipRect visible = whole;
    if (dst.hasClipper) {
        visible.left = std::max({whole.left, dst.clip.left, 0});
        visible.top = std::max({whole.top, dst.clip.top, 0});
        visible.right = std::min({whole.right, dst.clip.right, dst.width});
        visible.bottom = std::min({whole.bottom, dst.clip.bottom, dst.height});
    }
    const bool keyed = useKey && src.hasColourKey && src.keyLow <= 255 && src.keyLow <= src.keyHigh;
    const int64_t dw = whole.right - whole.left, dh = whole.bottom - whole.top;
    const int64_t sw = from.right - from.left, sh = from.bottom - from.top;
    for (int y = visible.top; y < visible.bottom; ++y)
        for (int x = visible.left; x < visible.right; ++x) {
            const int sx = from.left + static_cast<int>((x - whole.left) * sw / dw);
            const int sy = from.top + static_cast<int>((y - whole.top) * sh / dh);
            const uint8_t v = Px(src, sx, sy);
            if (keyed && v >= src.keyLow && v <= src.keyHigh) continue;
            Px(dst, x, y) = v;
        }
}

} // namespace

TEST(GfxBlitReference, RandomCopiesMatchThePixelRuleExactly) {
    std::mt19937 random(2024);
    auto pick = [&](int low, int high) {
        return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
    };
    for (int round = 0; round < 3000; ++round) {
        Surface src, dst;
        ASSERT_TRUE(CreateSurface(src, pick(1, 90), pick(1, 40)));
        ASSERT_TRUE(CreateSurface(dst, pick(1, 150), pick(1, 70)));
        // Few distinct values, so that keys are frequent and runs of them long and short.
        const int spread = pick(1, 6);
        for (auto& v : src.pixels) v = static_cast<uint8_t>(random() % spread * 51);
        for (auto& v : dst.pixels) v = static_cast<uint8_t>(random());
        src.hasColourKey = random() % 8 != 0;
        src.keyLow = static_cast<uint32_t>(random() % spread * 51);
        src.keyHigh = random() % 4 == 0 ? src.keyLow + 60 : src.keyLow;
        if (random() % 16 == 0) src.keyLow = src.keyHigh = 0xFFFFFFFFu;

        ClipRect from;
        from.left = pick(0, src.width - 1);
        from.top = pick(0, src.height - 1);
        from.right = pick(from.left + 1, src.width);
        from.bottom = pick(from.top + 1, src.height);
        const int sw = from.right - from.left, sh = from.bottom - from.top;
        // 1:1 half the time, else a stretch or shrink of up to four times.
        const bool same = random() % 2 == 0;
        const int dw = same ? sw : pick(1, std::min(4 * sw, 140));
        const int dh = same ? sh : pick(1, std::min(4 * sh, 64));
        ClipRect to;
        dst.hasClipper = random() % 2 == 0;
        if (dst.hasClipper) {
            dst.clip = ClipRect{pick(-5, dst.width / 2), pick(-5, dst.height / 2), pick(dst.width / 2, dst.width + 5),
                                pick(dst.height / 2, dst.height + 5)};
            to.left = pick(-dw, dst.width);
            to.top = pick(-dh, dst.height);
        } else {
            if (dw > dst.width || dh > dst.height) continue;
            to.left = pick(0, dst.width - dw);
            to.top = pick(0, dst.height - dh);
        }
        to.right = to.left + dw;
        to.bottom = to.top + dh;
        const bool useKey = random() % 6 != 0;

        Surface expected = dst;
        ReferenceBlt(expected, to, src, from, useKey);
        ASSERT_EQ(SurfaceBlt(dst, &to, src, &from, useKey), DD_OK);
        ASSERT_EQ(dst.pixels, expected.pixels)
            << "round " << round << ": source " << from.left << "," << from.top << " " << sw << "x" << sh << " to "
            << to.left << "," << to.top << " " << dw << "x" << dh << (dst.hasClipper ? " clipped" : "")
            << (useKey ? " keyed" : "");
    }
}
