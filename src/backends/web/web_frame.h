// The page's picture: the frame's indices through the palette into RGBA pixels, scaled by nearest neighbour.
#pragma once
#include <cstdint>

#include "app/window_metrics.h"
#include "platform/presenter.h"

namespace vorna {

// One palette entry as the bytes R, G, B, 255 of a canvas ImageData pixel, read as a little-endian word.
uint32_t RgbaPixel(const PaletteEntry& e);

// Fills the whole outWidth x outHeight RGBA image: black outside dest, the kFrameWidth x kFrameHeight
// indices inside it, each output pixel taking source column (x * kFrameWidth) / width of dest (rows alike).
// An empty or inverted dest leaves the image black; the parts of dest outside the image are cut off.
void ScaleFrameToRgba(const uint8_t* indices, const uint32_t lookup[256], const SizeRect& dest, int32_t outWidth,
                      int32_t outHeight, uint32_t* out);

} // namespace vorna
