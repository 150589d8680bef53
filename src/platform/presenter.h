// The display device: the DirectDraw set-up steps the core drives, and presentation of the finished frame.
#pragma once
#include <cstdint>

namespace vorna {

// The one frame size the game draws; every backend scales from it.
constexpr int32_t kFrameWidth = 320;
constexpr int32_t kFrameHeight = 240;

struct PaletteEntry {
    uint8_t red, green, blue, flags;
};

// Where the frame goes on the desktop: the main window's client area in screen coordinates.
struct ClientArea {
    int32_t x, y, width, height;
};

// Each step mirrors one DirectDraw call of the display set-up; a false result makes the
// core report that step's code. Present returns a DirectDraw-style result
// (DD_OK, DDERR_WASSTILLDRAWING, DDERR_SURFACELOST or another error).
class Presenter {
public:
    virtual ~Presenter() = default;
    virtual bool CreateDevice(bool emulationOnly) = 0;     // DirectDrawCreate
    virtual bool QueryCaps() = 0;                          // IDirectDraw::GetCaps
    virtual bool SetCooperativeLevel(bool fullScreen) = 0; // DDSCL_FULLSCREEN|EXCLUSIVE|ALLOWMODEX or DDSCL_NORMAL
    virtual bool SetDisplayMode(int width, int height, int bitsPerPixel) = 0;
    // Primary surface (with a one-surface flip chain in full screen). videoMemory asks for DDSCAPS_VIDEOMEMORY.
    virtual bool CreatePrimary(bool fullScreen, bool videoMemory) = 0;
    virtual bool GetFlipSurface() = 0; // full screen only
    virtual bool CreateWindowClipper() = 0;
    virtual bool BindClipperToWindow() = 0;
    virtual bool AttachWindowClipper() = 0;
    virtual bool CreatePalette(const PaletteEntry entries[256]) = 0;
    virtual bool AttachPalette() = 0; // IDirectDrawSurface::SetPalette on the primary
    virtual bool SetPaletteEntries(int start, int count, const PaletteEntry* entries) = 0;
    virtual void ClearPrimary() = 0; // colour 0 on the visible surface(s)
    // Shows a kFrameWidth x kFrameHeight frame of 8-bit indices through the 256-entry palette.
    virtual int32_t Present(const uint8_t* pixels, int32_t pitch, const PaletteEntry palette[256], bool fullScreen,
                            const ClientArea& client) = 0;
    virtual void WaitForVerticalBlank() = 0;
    virtual bool RestorePrimary() = 0; // true when restored (or nothing to restore)
    virtual bool HasPrimary() = 0;
    virtual bool HasPalette() = 0;
    virtual void FlipToGdi() = 0;
    // Releases clippers, primary, palette and the device (each only if it exists).
    virtual void ReleaseAll() = 0;
};

} // namespace vorna
