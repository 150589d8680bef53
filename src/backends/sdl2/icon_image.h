// Reads the program icon (an .ico file image) into 32-bit pixels for the window manager.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorna {

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb; // top row first, 0xAARRGGBB
};

// Picks the entry closest to wantSize (preferring the larger) among the uncompressed DIB entries of
// 1, 4, 8, 24 or 32 bits; PNG entries are passed over. False when nothing usable is there. Never reads
// outside the given bytes.
bool DecodeIcon(const uint8_t* data, size_t size, int wantSize, IconImage& out);

} // namespace vorna
