// Arithmetic of presentation on a real desktop: clipping a stretched blit, letterboxing, mode choice, pixel packing.
#include "app/present_math.h"

namespace vorna {
namespace {

int32_t Max(int32_t a, int32_t b) {
    return a > b ? a : b;
}
int32_t Min(int32_t a, int32_t b) {
    return a < b ? a : b;
}

// floor(a * b / c) and ceil(a * b / c) for a, b >= 0 and c > 0, in 64 bits.
int32_t ScaleDown(int32_t a, int32_t b, int32_t c) {
    return static_cast<int32_t>(static_cast<int64_t>(a) * b / c);
}
int32_t ScaleUp(int32_t a, int32_t b, int32_t c) {
    return static_cast<int32_t>((static_cast<int64_t>(a) * b + c - 1) / c);
}

// Scales one channel (0..255) into the bits of its mask.
uint32_t Channel(uint8_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) ++shift;
    const uint32_t max = mask >> shift;
    return ((static_cast<uint32_t>(value) * max + 127u) / 255u) << shift;
}

} // namespace

bool ClipStretchedBlit(const SizeRect& dst, const SizeRect& src, const SizeRect& bounds, SizeRect& dstOut,
                       SizeRect& srcOut) {
    const int32_t dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    const int32_t sw = src.right - src.left, sh = src.bottom - src.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return false;
    dstOut = SizeRect{Max(dst.left, bounds.left), Max(dst.top, bounds.top), Min(dst.right, bounds.right),
                      Min(dst.bottom, bounds.bottom)};
    if (dstOut.left >= dstOut.right || dstOut.top >= dstOut.bottom) return false;
    srcOut = SizeRect{
        src.left + ScaleDown(dstOut.left - dst.left, sw, dw), src.top + ScaleDown(dstOut.top - dst.top, sh, dh),
        src.left + ScaleUp(dstOut.right - dst.left, sw, dw), src.top + ScaleUp(dstOut.bottom - dst.top, sh, dh)};
    return true;
}

SizeRect LetterboxRect(int32_t areaWidth, int32_t areaHeight) {
    if (areaWidth <= 0 || areaHeight <= 0) return SizeRect{0, 0, 0, 0};
    int32_t w = areaWidth, h = ScaleDown(areaWidth, 3, 4);
    if (h > areaHeight) {
        h = areaHeight;
        w = ScaleDown(areaHeight, 4, 3);
    }
    const int32_t x = (areaWidth - w) / 2, y = (areaHeight - h) / 2;
    return SizeRect{x, y, x + w, y + h};
}

SizeRect FrameDestination(int32_t outputWidth, int32_t outputHeight, bool fullScreen) {
    if (fullScreen) return LetterboxRect(outputWidth, outputHeight);
    return SizeRect{0, 0, Max(outputWidth, 0), Max(outputHeight, 0)};
}

int SmallestEightBitMode(const DisplayModeInfo* modes, int count) {
    int best = -1;
    for (int i = 0; modes != nullptr && i < count; ++i) {
        const DisplayModeInfo& m = modes[i];
        if (m.bits != 8 || m.width < kFrameWidth || m.height < kFrameHeight) continue;
        if (best < 0) {
            best = i;
            continue;
        }
        const int64_t area = static_cast<int64_t>(m.width) * m.height;
        const int64_t bestArea = static_cast<int64_t>(modes[best].width) * modes[best].height;
        if (area < bestArea || (area == bestArea && m.width < modes[best].width)) best = i;
    }
    return best;
}

uint32_t PackPixel(const PaletteEntry& e, uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
    return Channel(e.red, redMask) | Channel(e.green, greenMask) | Channel(e.blue, blueMask);
}

} // namespace vorna
