// The page's picture: the frame's indices through the palette into RGBA pixels, scaled by nearest neighbour.
#include "backends/web/web_frame.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vorna {

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000u;
constexpr uint32_t kOpaqueAlpha = 0xFF000000u;

} // namespace

uint32_t RgbaPixel(const PaletteEntry& e) {
    return kOpaqueAlpha | (static_cast<uint32_t>(e.blue) << 16) | (static_cast<uint32_t>(e.green) << 8) | e.red;
}

void ScaleFrameToRgba(const uint8_t* indices, const uint32_t lookup[256], const SizeRect& dest, int32_t outWidth,
                      int32_t outHeight, uint32_t* out) {
    if (outWidth <= 0 || outHeight <= 0 || out == nullptr) return;
    std::fill(out, out + static_cast<size_t>(outWidth) * outHeight, kOpaqueBlack);
    const int32_t width = dest.right - dest.left;
    const int32_t height = dest.bottom - dest.top;
    if (width <= 0 || height <= 0 || indices == nullptr || lookup == nullptr) return;
    const int32_t firstX = std::max(dest.left, 0), endX = std::min(dest.right, outWidth);
    const int32_t firstY = std::max(dest.top, 0), endY = std::min(dest.bottom, outHeight);
    if (firstX >= endX || firstY >= endY) return;
    // The source column of every output column is the same on each row: worked out once per picture.
    std::vector<int32_t> column(static_cast<size_t>(endX - firstX));
    for (int32_t x = firstX; x < endX; ++x)
        column[x - firstX] = static_cast<int32_t>((static_cast<int64_t>(x - dest.left) * kFrameWidth) / width);
    for (int32_t y = firstY; y < endY; ++y) {
        const int32_t sourceRow = static_cast<int32_t>((static_cast<int64_t>(y - dest.top) * kFrameHeight) / height);
        const uint8_t* src = indices + static_cast<ptrdiff_t>(sourceRow) * kFrameWidth;
        uint32_t* dst = out + static_cast<ptrdiff_t>(y) * outWidth;
        for (int32_t x = firstX; x < endX; ++x) dst[x] = lookup[src[column[x - firstX]]];
    }
}

} // namespace vorna
