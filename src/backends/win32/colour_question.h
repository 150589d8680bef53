// When the Windows program must offer full screen because its window could not show the picture.
#pragma once

namespace vorna {

// GetDeviceCaps(RASTERCAPS) bit of a desktop that has a palette (a 256-colour mode).
constexpr int kRasterCapsPalette = 0x100;
// From this depth on the window converts each frame to the desktop's own pixels.
constexpr int kTrueColourMinimumBits = 15;

// A palette desktop shows the 8-bit frame as it is and a desktop of 15 bits or more gets it converted;
// only a poorer desktop without a palette needs full screen, and full screen itself asks nothing.
constexpr bool NeedsColourQuestion(int rasterCaps, int bitsPerPixel, bool fullScreen) {
    return !fullScreen && (rasterCaps & kRasterCapsPalette) == 0 && bitsPerPixel < kTrueColourMinimumBits;
}

} // namespace vorna
