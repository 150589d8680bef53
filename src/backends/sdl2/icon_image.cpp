// Reads the program icon (an .ico file image) into 32-bit pixels for the window manager.
#include "backends/sdl2/icon_image.h"

#include <cstdlib>

namespace vorna {

namespace {

uint32_t U16(const uint8_t* p) {
    return static_cast<uint32_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

bool DecodeEntry(const uint8_t* d, size_t size, IconImage& out) {
    if (size < 40 || U32(d) < 40 || U32(d) > size) return false;
    const int32_t width = static_cast<int32_t>(U32(d + 4));
    const int32_t doubled = static_cast<int32_t>(U32(d + 8));
    const uint32_t bits = U16(d + 14);
    const uint32_t compression = U32(d + 16);
    if (width <= 0 || width > 256 || doubled <= 0 || doubled > 512 || compression != 0) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    const int32_t height = doubled / 2;
    if (height <= 0) return false;
    size_t colours = 0;
    if (bits <= 8) {
        const uint32_t used = U32(d + 32);
        colours = used != 0 && used <= (1u << bits) ? used : (1u << bits);
    }
    const size_t paletteAt = U32(d);
    const size_t pixelsAt = paletteAt + colours * 4;
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t maskAt = pixelsAt + stride * static_cast<size_t>(height);
    if (maskAt > size) return false;
    const bool haveMask = maskAt + maskStride * static_cast<size_t>(height) <= size;

    out.width = width;
    out.height = height;
    out.argb.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    bool anyAlpha = false;
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* line = d + pixelsAt + stride * static_cast<size_t>(height - 1 - row); // bottom-up
        for (int32_t x = 0; x < width; ++x) {
            uint32_t b = 0, g = 0, r = 0, a = 255;
            if (bits <= 8) {
                const size_t bitPos = static_cast<size_t>(x) * bits;
                const uint32_t index = (line[bitPos / 8] >> (8 - bits - bitPos % 8)) & ((1u << bits) - 1);
                if (index < colours) {
                    const uint8_t* c = d + paletteAt + index * 4;
                    b = c[0], g = c[1], r = c[2];
                }
            } else {
                const uint8_t* p = line + static_cast<size_t>(x) * (bits / 8);
                b = p[0], g = p[1], r = p[2];
                if (bits == 32) {
                    a = p[3];
                    anyAlpha = anyAlpha || a != 0;
                }
            }
            out.argb[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    // Without an alpha channel of its own the AND mask says which pixels are transparent.
    if (haveMask && !(bits == 32 && anyAlpha)) {
        for (int32_t row = 0; row < height; ++row) {
            const uint8_t* line = d + maskAt + maskStride * static_cast<size_t>(height - 1 - row);
            for (int32_t x = 0; x < width; ++x) {
                uint32_t& p = out.argb[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(x)];
                const bool transparent = (line[x / 8] >> (7 - x % 8)) & 1;
                p = transparent ? (p & 0x00FFFFFFu) : (p | 0xFF000000u);
            }
        }
    }
    return true;
}

} // namespace

bool DecodeIcon(const uint8_t* data, size_t size, int wantSize, IconImage& out) {
    if (data == nullptr || size < 6 || U16(data) != 0 || U16(data + 2) != 1) return false;
    const size_t count = U16(data + 4);
    if (count == 0 || 6 + count * 16 > size) return false;
    int best = -1;
    int bestScore = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = data + 6 + i * 16;
        const int w = e[0] == 0 ? 256 : e[0];
        const size_t length = U32(e + 8);
        const size_t offset = U32(e + 12);
        if (offset >= size || length > size - offset || length < 8) continue;
        if (data[offset] == 0x89 && data[offset + 1] == 'P') continue; // PNG entry
        // Exact size first, then larger ones (scaled down by the window manager), then smaller.
        const int score = w == wantSize ? 100000 : (w > wantSize ? 50000 - w : w);
        if (best < 0 || score > bestScore) {
            best = static_cast<int>(i);
            bestScore = score;
        }
    }
    if (best < 0) return false;
    const uint8_t* e = data + 6 + static_cast<size_t>(best) * 16;
    return DecodeEntry(data + U32(e + 12), U32(e + 8), out);
}

} // namespace vorna
