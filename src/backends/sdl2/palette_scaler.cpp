// Scales the 320 × 240 palette indices straight into 32-bit pixels of any size, in one pass.
#include "backends/sdl2/palette_scaler.h"

#include <cstddef>
#include <cstring>
#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace vorna {

namespace {

constexpr int kPairBytes = 8; // two 32-bit pixels

// The picture goes to memory that the display server reads next, not this processor: written past the
// cache, it neither evicts the game's own data nor waits to read each line before overwriting it.
inline void StorePair(uint8_t* to, uint64_t pair) {
#if defined(__SSE2__) && defined(__x86_64__)
    _mm_stream_si64(reinterpret_cast<long long*>(to), static_cast<long long>(pair));
#else
    std::memcpy(to, &pair, sizeof pair);
#endif
}

inline void FinishStores() {
#if defined(__SSE2__) && defined(__x86_64__)
    _mm_sfence();
#endif
}

} // namespace

void PaletteScaler::Scale(const uint8_t* indices, int sourceWidth, int sourceHeight, const uint32_t lookup[256],
                          uint8_t* out, int pitch, int width, int height) {
    convertedRows_ = 0;
    if (indices == nullptr || out == nullptr || sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0)
        return;
    if (columnsFor_ != width || columnsFrom_ != sourceWidth) {
        columns_.resize(static_cast<size_t>(width));
        for (int x = 0; x < width; ++x)
            columns_[static_cast<size_t>(x)] = static_cast<int>(static_cast<int64_t>(x) * sourceWidth / width);
        columnsFor_ = width;
        columnsFrom_ = sourceWidth;
    }
    const size_t rowBytes = static_cast<size_t>(width) * sizeof(uint32_t);
    const bool doubled = width == 2 * sourceWidth;
    int y = 0;
    while (y < height) {
        const int sourceY = static_cast<int>(static_cast<int64_t>(y) * sourceHeight / height);
        // The destination rows that show this source row: converted once, the rest copied.
        int rows = 1;
        while (y + rows < height && static_cast<int64_t>(y + rows) * sourceHeight / height == sourceY) ++rows;
        uint8_t* first = out + static_cast<ptrdiff_t>(y) * pitch;
        // Restricted: the byte-sized indices could otherwise alias every pixel written and be read again.
        const uint8_t* __restrict from = indices + static_cast<ptrdiff_t>(sourceY) * sourceWidth;
        if (doubled && rows == 2) {
            // The usual window: each source pixel as one 64-bit pair, written to both rows at once.
            uint8_t* top = first;
            uint8_t* bottom = first + pitch;
            for (int x = 0; x < sourceWidth; ++x) {
                const uint64_t pixel = lookup[from[x]];
                const uint64_t pair = pixel | (pixel << 32);
                StorePair(top + x * kPairBytes, pair);
                StorePair(bottom + x * kPairBytes, pair);
            }
        } else {
            uint32_t* __restrict row = reinterpret_cast<uint32_t*>(first);
            const int* column = columns_.data();
            for (int x = 0; x < width; ++x) row[x] = lookup[from[column[x]]];
            for (int r = 1; r < rows; ++r) std::memcpy(first + static_cast<ptrdiff_t>(r) * pitch, first, rowBytes);
        }
        ++convertedRows_;
        y += rows;
    }
    FinishStores();
}

} // namespace vorna
