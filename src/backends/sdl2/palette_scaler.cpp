// Scales the 320 × 240 palette indices straight into 32-bit pixels of any size, in one pass.
#include "backends/sdl2/palette_scaler.h"

#include <cstddef>
#include <cstring>
#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace vorna {

namespace {

constexpr int kPairBytes = 8;    // one source pixel doubled
constexpr int kStreamBytes = 16; // two source pixels doubled, one SSE store

// The picture goes to memory that the display server reads next, not this processor: written past the
// cache, it neither evicts the game's own data nor waits to read each line before overwriting it.
void WriteDoubledRowPair(const uint8_t* __restrict from, int sourceWidth, const uint32_t lookup[256], uint8_t* top,
                         int pitch) {
    uint8_t* bottom = top + pitch;
    int x = 0;
#if defined(__SSE2__) && defined(__x86_64__)
    if (reinterpret_cast<uintptr_t>(top) % kStreamBytes == 0 && pitch % kStreamBytes == 0) {
        for (; x + 1 < sourceWidth; x += 2) {
            const int a = static_cast<int>(lookup[from[x]]), b = static_cast<int>(lookup[from[x + 1]]);
            const __m128i pixels = _mm_set_epi32(b, b, a, a);
            _mm_stream_si128(reinterpret_cast<__m128i*>(top + x * kPairBytes), pixels);
            _mm_stream_si128(reinterpret_cast<__m128i*>(bottom + x * kPairBytes), pixels);
        }
    }
    for (; x < sourceWidth; ++x) {
        const long long pixel = lookup[from[x]];
        const long long pair =
            static_cast<long long>(static_cast<uint64_t>(pixel) | static_cast<uint64_t>(pixel) << 32);
        _mm_stream_si64(reinterpret_cast<long long*>(top + x * kPairBytes), pair);
        _mm_stream_si64(reinterpret_cast<long long*>(bottom + x * kPairBytes), pair);
    }
    _mm_sfence();
#else
    for (; x < sourceWidth; ++x) {
        const uint64_t pixel = lookup[from[x]];
        const uint64_t pair = pixel | pixel << 32;
        std::memcpy(top + x * kPairBytes, &pair, sizeof pair);
        std::memcpy(bottom + x * kPairBytes, &pair, sizeof pair);
    }
#endif
}

// The picture at its own size, for a display server that scales it itself.
void WriteRow(const uint8_t* __restrict from, int width, const uint32_t lookup[256], uint8_t* to) {
    int x = 0;
#if defined(__SSE2__) && defined(__x86_64__)
    if (reinterpret_cast<uintptr_t>(to) % kStreamBytes == 0) {
        for (; x + 3 < width; x += 4) {
            const __m128i pixels =
                _mm_set_epi32(static_cast<int>(lookup[from[x + 3]]), static_cast<int>(lookup[from[x + 2]]),
                              static_cast<int>(lookup[from[x + 1]]), static_cast<int>(lookup[from[x]]));
            _mm_stream_si128(reinterpret_cast<__m128i*>(to + x * sizeof(uint32_t)), pixels);
        }
        _mm_sfence();
    }
#endif
    for (; x < width; ++x) {
        const uint32_t pixel = lookup[from[x]];
        std::memcpy(to + x * sizeof(uint32_t), &pixel, sizeof pixel);
    }
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
            // The usual window: each source pixel doubled, written to both rows at once.
            WriteDoubledRowPair(from, sourceWidth, lookup, first, pitch);
        } else if (width == sourceWidth && rows == 1) {
            WriteRow(from, sourceWidth, lookup, first);
        } else {
            uint32_t* __restrict row = reinterpret_cast<uint32_t*>(first);
            const int* column = columns_.data();
            for (int x = 0; x < width; ++x) row[x] = lookup[from[column[x]]];
            for (int r = 1; r < rows; ++r) std::memcpy(first + static_cast<ptrdiff_t>(r) * pitch, first, rowBytes);
        }
        ++convertedRows_;
        y += rows;
    }
}

} // namespace vorna
