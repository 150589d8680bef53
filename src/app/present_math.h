// Arithmetic of presentation on a real desktop: clipping a stretched blit, letterboxing, mode choice, pixel packing.
#pragma once
#include <cstdint>

#include "app/window_metrics.h"
#include "platform/presenter.h"

namespace vorna {

// The part of dst inside bounds, with the part of the stretched src that lands there (rounded outwards
// by less than one source pixel). False when nothing of dst is inside bounds or a rectangle is empty.
bool ClipStretchedBlit(const SizeRect& dst, const SizeRect& src, const SizeRect& bounds, SizeRect& dstOut,
                       SizeRect& srcOut);

// The largest 4:3 rectangle centred in an area of the given size.
SizeRect LetterboxRect(int32_t areaWidth, int32_t areaHeight);

// Where the frame goes in an output of the given size: the whole area in a window (the stretch may be
// uneven), the letterbox in full screen.
SizeRect FrameDestination(int32_t outputWidth, int32_t outputHeight, bool fullScreen);

struct DisplayModeInfo {
    int32_t width, height, bits;
};

// The mode to use when 320 x 240 x 8 is refused: the smallest 8-bit mode that holds the frame
// (by area, then width); -1 when there is none.
int SmallestEightBitMode(const DisplayModeInfo* modes, int count);

// A palette entry as a pixel of a true-colour format given by its channel masks.
uint32_t PackPixel(const PaletteEntry& e, uint32_t redMask, uint32_t greenMask, uint32_t blueMask);

} // namespace vorna
