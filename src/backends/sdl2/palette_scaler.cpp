// Scales the 320 × 240 palette indices straight into 32-bit pixels of any size, in one pass.
#include "backends/sdl2/palette_scaler.h"

#include <cstddef>
#include <cstring>
#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace vorna {

namespace {

constexpr int kPairBytes = 8;                                // one source pixel doubled
constexpr int kStreamBytes = 16;                             // two source pixels doubled, one SSE store
constexpr int kIndicesPerWord = PaletteScaler::kGroupPixels; // palette indices read in one 64-bit load
constexpr int kBitsPerIndex = 8;
constexpr uint64_t kIndexMask = 0xFF;
constexpr int kRunsPerMask = 64; // one bit per run in a 64-bit mask

int LowestSetBit(uint64_t bits) {
    return __builtin_ctzll(bits);
}

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

// One run of source pixels, each as factor × factor destination pixels at its place.
void WriteRun(const uint8_t* from, int count, int factor, const uint32_t lookup[256], uint8_t* at, int pitch) {
    for (int r = 0; r < factor; ++r) {
        uint8_t* row = at + static_cast<ptrdiff_t>(r) * pitch;
        for (int i = 0; i < count; ++i) {
            const uint32_t pixel = lookup[from[i]];
            for (int c = 0; c < factor; ++c)
                std::memcpy(row + (i * factor + c) * sizeof(uint32_t), &pixel, sizeof pixel);
        }
    }
}

#if defined(__SSE2__) && defined(__x86_64__)
// A whole run (kGroupPixels indices in one word) at factor 1 or 2, past the cache: the display server
// read these lines last, and fetching them back before overwriting them cost more than the writing.
void StreamRun(uint64_t indices, int factor, const uint32_t lookup[256], uint8_t* at, int pitch) {
    const auto pixel = [lookup, indices](int n) {
        return static_cast<int>(lookup[(indices >> (n * kBitsPerIndex)) & kIndexMask]);
    };
    if (factor == 1) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(at), _mm_set_epi32(pixel(3), pixel(2), pixel(1), pixel(0)));
        _mm_stream_si128(reinterpret_cast<__m128i*>(at + kStreamBytes),
                         _mm_set_epi32(pixel(7), pixel(6), pixel(5), pixel(4)));
        return;
    }
    for (int pair = 0; pair < PaletteScaler::kGroupPixels / 2; ++pair) {
        const int a = pixel(2 * pair), b = pixel(2 * pair + 1);
        const __m128i pixels = _mm_set_epi32(b, b, a, a);
        _mm_stream_si128(reinterpret_cast<__m128i*>(at + pair * kStreamBytes), pixels);
        _mm_stream_si128(reinterpret_cast<__m128i*>(at + pitch + pair * kStreamBytes), pixels);
    }
}
#endif

// The picture at its own size (the smallest window). Eight indices are read at once: one byte load per
// pixel, not the table lookups, was what bounded the simple loop.
void WriteRow(const uint8_t* __restrict from, int width, const uint32_t lookup[256], uint8_t* to) {
    int x = 0;
#if defined(__SSE2__) && defined(__x86_64__)
    if (reinterpret_cast<uintptr_t>(to) % kStreamBytes == 0) {
        for (; x + kIndicesPerWord <= width; x += kIndicesPerWord) {
            uint64_t indices;
            std::memcpy(&indices, from + x, sizeof indices);
            StreamRun(indices, 1, lookup, to + x * sizeof(uint32_t), 0);
        }
        _mm_sfence();
    }
#endif
    WriteRun(from + x, width - x, 1, lookup, to + x * sizeof(uint32_t), 0);
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

int PaletteScaler::UpdateChanged(const uint8_t* indices, uint8_t* shown, int width, int height, int factor,
                                 const uint32_t lookup[256], uint8_t* out, int pitch, std::vector<PixelRect>& changed) {
    if (indices == nullptr || shown == nullptr || out == nullptr || width <= 0 || height <= 0 || factor < 1) return 0;
    static_assert(kGroupPixels == sizeof(uint64_t), "a run's indices are compared as one word");
    const ptrdiff_t runBytes = static_cast<ptrdiff_t>(kGroupPixels) * factor * sizeof(uint32_t);
#if defined(__SSE2__) && defined(__x86_64__)
    const bool stream =
        factor <= 2 && reinterpret_cast<uintptr_t>(out) % kStreamBytes == 0 && pitch % kStreamBytes == 0;
#endif
    int written = 0;
    PixelRect band{0, 0, 0, 0};
    const auto note = [&](int y, int left, int right) {
        if (band.bottom > band.top && y / kBandRows != band.top / kBandRows) {
            changed.push_back(band);
            band = PixelRect{0, 0, 0, 0};
        }
        if (band.bottom <= band.top) {
            band = PixelRect{left, y, right, y + 1};
            return;
        }
        band.left = left < band.left ? left : band.left;
        band.right = right > band.right ? right : band.right;
        band.bottom = y + 1;
    };
    const int wholeRuns = width / kGroupPixels;
    const int tail = width - wholeRuns * kGroupPixels;
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = indices + static_cast<ptrdiff_t>(y) * width;
        uint8_t* was = shown + static_cast<ptrdiff_t>(y) * width;
        uint8_t* row = out + static_cast<ptrdiff_t>(y) * factor * pitch;
        int left = width, right = 0;
        // The runs are compared a mask at a time without a branch: most rows do not change at all, and a
        // branch per run mispredicted at every edge of what moved.
        for (int first = 0; first < wholeRuns; first += kRunsPerMask) {
            const int runs = wholeRuns - first < kRunsPerMask ? wholeRuns - first : kRunsPerMask;
            uint64_t differ = 0;
            for (int r = 0; r < runs; ++r) {
                uint64_t now, before;
                std::memcpy(&now, from + (first + r) * kGroupPixels, sizeof now);
                std::memcpy(&before, was + (first + r) * kGroupPixels, sizeof before);
                differ |= static_cast<uint64_t>(now != before) << r;
            }
            for (; differ != 0; differ &= differ - 1) {
                const int run = first + LowestSetBit(differ), x = run * kGroupPixels;
                uint8_t* at = row + run * runBytes;
                uint64_t now;
                std::memcpy(&now, from + x, sizeof now);
#if defined(__SSE2__) && defined(__x86_64__)
                if (stream)
                    StreamRun(now, factor, lookup, at, pitch);
                else
#endif
                    WriteRun(from + x, kGroupPixels, factor, lookup, at, pitch);
                std::memcpy(was + x, &now, sizeof now);
                left = x < left ? x : left;
                right = x + kGroupPixels;
                ++written;
            }
        }
        const int x = wholeRuns * kGroupPixels;
        if (tail > 0 && std::memcmp(from + x, was + x, static_cast<size_t>(tail)) != 0) {
            WriteRun(from + x, tail, factor, lookup, row + wholeRuns * runBytes, pitch);
            std::memcpy(was + x, from + x, static_cast<size_t>(tail));
            left = x < left ? x : left;
            right = width;
            ++written;
        }
        if (right > left) note(y, left, right);
    }
    if (band.bottom > band.top) changed.push_back(band);
#if defined(__SSE2__) && defined(__x86_64__)
    _mm_sfence();
#endif
    return written;
}

} // namespace vorna
