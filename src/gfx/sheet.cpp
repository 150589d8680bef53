// The graphics sheet: our own reader of the 8-bit DIB, and the colour-key routines.
#include "gfx/sheet.h"

namespace vorna {

bool DecodeDib(const uint8_t*, size_t, DibImage&) { return false; }
bool gf_DD_LoadBitmap(Game&, Surface&, const char*, int32_t, int32_t) { return false; }
uint32_t gf_DD_FindPixelValue(Game&, Surface*, uint32_t) { return 0xFFFFFFFFu; }
void gf_DD_SetSrcKey(Game&, Surface*, uint32_t) {}

} // namespace vorna
