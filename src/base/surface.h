// The core's own 8-bit surfaces, mimicking the DirectDraw surface behaviour the drawing family relies on.
#pragma once
#include <cstdint>
#include <vector>

namespace vorna {

// DirectDraw-style results, as the drawing family and presentation interpret them.
// The Windows build's ddraw.h defines these as macros with the same values.
#ifndef DD_OK
constexpr int32_t DD_OK = 0;
#endif
#ifndef DDERR_WASSTILLDRAWING
constexpr int32_t DDERR_WASSTILLDRAWING = static_cast<int32_t>(0x8876021Cu);
#endif
#ifndef DDERR_SURFACELOST
constexpr int32_t DDERR_SURFACELOST = static_cast<int32_t>(0x887601C2u);
#endif
#ifndef DDERR_SURFACEBUSY
constexpr int32_t DDERR_SURFACEBUSY = static_cast<int32_t>(0x887601AEu);
#endif
#ifndef DDERR_INVALIDRECT
constexpr int32_t DDERR_INVALIDRECT = static_cast<int32_t>(0x88760096u);
#endif
#ifndef DDERR_INVALIDOBJECT
constexpr int32_t DDERR_INVALIDOBJECT = static_cast<int32_t>(0x88760082u);
#endif
#ifndef DDERR_GENERIC
constexpr int32_t DDERR_GENERIC = static_cast<int32_t>(0x80004005u);
#endif

// A rectangle as the drawing family takes it: origin and size.
struct ScreenRect {
    int32_t x, y, width, height;
};

struct ClipRect {
    int32_t left, top, right, bottom; // right and bottom exclusive
};

struct Surface {
    bool exists = false;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0; // row length in bytes, a multiple of four as DirectDraw reports it
    std::vector<uint8_t> pixels;
    // Source colour key (DDCKEY_SRCBLT), low and high value.
    bool hasColourKey = false;
    uint32_t keyLow = 0;
    uint32_t keyHigh = 0;
    // The clipper attached to the surface, if any (its single clip rectangle).
    bool hasClipper = false;
    ClipRect clip{0, 0, 0, 0};
    // Lost until restored; a locked surface refuses blits and further locks.
    bool lost = false;
    bool locked = false;
    // Fault injection for tests: the next injectBusy calls report DDERR_WASSTILLDRAWING,
    // injectLost makes the next call find the surface lost (until SurfaceRestore), and
    // injectCreateFailure makes the next CreateSurface on it fail. They survive a release.
    int32_t injectBusy = 0;
    bool injectLost = false;
    bool injectCreateFailure = false;
};

} // namespace vorna
