// The graphics sheet: our own reader of the 8-bit DIB, and the colour-key routines.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/display_state.h"
#include "platform/files.h"

namespace vorna {

constexpr uint32_t CLR_INVALID_COLOUR = 0xFFFFFFFFu;

// A decoded 8-bit bottom-up DIB: pixel indices top row first, and its own colour table.
struct DibImage {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t colours[256] = {}; // 0x00RRGGBB
    std::vector<uint8_t> pixels;
};

// Accepts exactly the 8-bit, uncompressed, bottom-up DIBs with a 40-byte header (with or without a
// file header); anything else is refused. Never reads outside the given bytes.
bool DecodeDib(const uint8_t* data, size_t size, DibImage& out);

// Loads a named bitmap (resource first, then a file of that name) into a new surface, mapping its
// colours to the nearest display palette entries. Width and height 0 mean the bitmap's own size.
// Needs the display device (surfaces belong to it). Returns false (surface left missing) on failure.
bool gf_DD_LoadBitmap(const DisplayState& display, Resources* resources, FileSystem* files, Surface& out,
                      const char* name, int32_t width, int32_t height);
// The display's palette decides which index a colour lands on.
uint32_t gf_DD_FindPixelValue(const DisplayState& display, Surface* surface, uint32_t rgb);
void gf_DD_SetSrcKey(const DisplayState& display, Surface* surface, uint32_t rgb);

} // namespace vorna
