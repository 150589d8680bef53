// Display set-up, the palette layout and presentation over the presenter.
#include "gfx/display.h"

#include <cstdio>

#include "gfx/gfx_debug.h"
#include "gfx/primitives.h"
#include "gfx/sheet.h"

namespace vorna {
namespace {

constexpr uint8_t PC_RESERVED_FLAG = 1;
constexpr uint8_t PC_NOCOLLAPSE_FLAG = 4;
constexpr int kCubeFirst = 10;
constexpr int kCubeCount = 236;

struct StaticColour {
    int index;
    uint8_t red, green, blue;
};

// The standard static colours of a 256-colour Windows desktop.
constexpr StaticColour kStandardColours[20] = {
    {0, 0, 0, 0},         {1, 128, 0, 0},       {2, 0, 128, 0},       {3, 128, 128, 0},   {4, 0, 0, 128},
    {5, 128, 0, 128},     {6, 0, 128, 128},     {7, 192, 192, 192},   {8, 192, 220, 192}, {9, 166, 202, 240},
    {246, 255, 251, 240}, {247, 160, 160, 164}, {248, 128, 128, 128}, {249, 255, 0, 0},   {250, 0, 255, 0},
    {251, 255, 255, 0},   {252, 0, 0, 255},     {253, 255, 0, 255},   {254, 0, 255, 255}, {255, 255, 255, 255},
};

// A system palette that was never read (no palette on the desktop, or no window yet) leaves the
// reserved entries all zero; white would then draw as black.
bool ReservedColoursMissing(const PaletteEntry entries[256]) {
    for (const StaticColour& c : kStandardColours) {
        const PaletteEntry& e = entries[c.index];
        if (e.red != 0 || e.green != 0 || e.blue != 0 || e.flags != 0) return false;
    }
    return true;
}

int32_t SetUpFullScreen(Presenter& p, DisplayState& d) {
    if (!p.SetCooperativeLevel(true)) return DisplayCooperativeLevelFailed;
    if (!p.SetDisplayMode(kFrameWidth, kFrameHeight, 8)) return DisplayModeFailed;
    // The flip chain never asks for a memory placement; the one retry repeats the same request.
    if (!p.CreatePrimary(true, false) && (d.SystemMemorySurfaces || !p.CreatePrimary(true, false)))
        return DisplayPrimaryFailed;
    if (!p.GetFlipSurface()) return DisplayFlipSurfaceFailed;
    return DisplayOk;
}

int32_t SetUpWindow(Presenter& p, DisplayState& d) {
    if (!p.SetCooperativeLevel(false)) return DisplayCooperativeLevelFailed;
    if (!p.CreatePrimary(false, !d.SystemMemorySurfaces)) return DisplayPrimaryFailed;
    return DisplayOk;
}

int32_t SetUpDisplay(const DisplayContext& c) {
    DisplayState& d = c.display;
    d.DisplayReady = 0;
    d.deviceCreated = false;
    ReleaseSurface(d.BackBuffer);
    Presenter* p = c.presenter;
    if (p == nullptr || !p->CreateDevice(d.EmulationOnly != 0)) return DisplayCreateFailed;
    d.deviceCreated = true;
    if (!CheckDisplayCaps(c.presenter, c.shell)) return DisplayCapsFailed;
    const int32_t modeCode = d.FullScreenMode ? SetUpFullScreen(*p, d) : SetUpWindow(*p, d);
    if (modeCode != DisplayOk) return modeCode;
    // Our frame lives in system memory whatever the placement switch says, so the video-memory
    // retry of the original has nothing to retry.
    if (!CreateSurface(d.BackBuffer, kFrameWidth, kFrameHeight)) return DisplayBackBufferFailed;
    // The primary surface is never a blit source here, so only the frame's key matters.
    gf_DD_SetSrcKey(d, &d.BackBuffer, 0x000000);
    d.BackBuffer.clip = ClipRect{0, 0, kFrameWidth, kFrameHeight};
    d.BackBuffer.hasClipper = true;
    if (!d.FullScreenMode) {
        if (!p->CreateWindowClipper()) return DisplayWindowClipperFailed;
        if (!p->BindClipperToWindow()) return DisplayClipperBindFailed;
        if (!p->AttachWindowClipper()) return DisplayWindowClipperAttachFailed;
    }
    if (ReservedColoursMissing(d.PaletteEntries)) FillStandardSystemColours(d.PaletteEntries);
    for (int i = 0; i < kCubeCount; ++i) d.PaletteEntries[kCubeFirst + i] = ColourCube(i);
    if (!p->CreatePalette(d.PaletteEntries)) return DisplayPaletteCreateFailed;
    if (!p->AttachPalette()) return DisplayPaletteAttachFailed;
    LoadAllPaletteEntries(c);
    p->ClearPrimary();
    d.DisplayReady = 1;
    return DisplayOk;
}

} // namespace

PaletteEntry ColourCube(int i) {
    return PaletteEntry{static_cast<uint8_t>(((i >> 5) & 7) * 255 / 7), static_cast<uint8_t>(((i >> 2) & 7) * 255 / 7),
                        static_cast<uint8_t>((i & 3) * 85), PC_NOCOLLAPSE_FLAG};
}

void FillStandardSystemColours(PaletteEntry entries[256]) {
    for (const StaticColour& c : kStandardColours) entries[c.index] = PaletteEntry{c.red, c.green, c.blue, 0};
}

bool InitDisplay(const DisplayContext& c) {
    const int32_t code = SetUpDisplay(c);
    char line[64];
    std::snprintf(line, sizeof line, "DirectDraw Init ErrorCode [%d]\n", static_cast<int>(code));
    GfxDebug(c.shell, line);
    return code == DisplayOk;
}

bool CheckDisplayCaps(Presenter* presenter, Shell* shell) {
    if (presenter == nullptr || !presenter->QueryCaps()) return false;
    GfxDebug(shell, "DirectDraw Caps:OK!\n");
    GfxDebug(shell, "DirectDraw Caps FX:OK!\n");
    return true;
}

int PresentFrame(const DisplayContext& c, const ClientArea& client) {
    DisplayState& d = c.display;
    if (!d.DisplayReady) return 0;
    Presenter* p = c.presenter;
    if (p == nullptr || !d.BackBuffer.exists) return 1;
    for (;;) {
        uint8_t* bits = nullptr;
        int32_t pitch = 0;
        int32_t rc = SurfaceLock(d.BackBuffer, &bits, &pitch);
        if (rc == DD_OK) {
            rc = p->Present(bits, pitch, d.PaletteEntries, d.FullScreenMode != 0, client);
            SurfaceUnlock(d.BackBuffer);
        }
        if (rc == DDERR_WASSTILLDRAWING) continue;
        // A lost surface is restored and the frame simply not shown; other errors are ignored.
        if (rc == DDERR_SURFACELOST) RestoreSurfaces(c);
        break;
    }
    p->WaitForVerticalBlank();
    return 1;
}

bool RestoreSurfaces(const DisplayContext& c) {
    DisplayState& d = c.display;
    Presenter* p = c.presenter;
    bool ok = true;
    if (p != nullptr && p->HasPrimary() && !p->RestorePrimary()) ok = false;
    if (d.BackBuffer.exists && SurfaceRestore(d.BackBuffer) != DD_OK) ok = false;
    if (p != nullptr && p->HasPalette() && !p->AttachPalette()) ok = false;
    return ok;
}

int ShutdownDisplay(const DisplayContext& c) {
    DisplayState& d = c.display;
    Presenter* p = c.presenter;
    if (d.deviceCreated && p != nullptr) p->FlipToGdi();
    if (p != nullptr) p->ReleaseAll();
    ReleaseSurface(d.BackBuffer);
    // Surfaces belong to the device: the graphics sheet goes with it.
    if (d.deviceCreated) ReleaseSurface(d.SheetSurface);
    d.deviceCreated = false;
    d.DisplayReady = 0;
    return 1;
}

bool SetPaletteEntry(const DisplayContext& c, int index, uint32_t rgb) {
    if (index < 0 || index > 255) return false;
    PaletteEntry& e = c.display.PaletteEntries[index];
    e = PaletteEntry{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb),
                     PC_RESERVED_FLAG};
    Presenter* p = c.presenter;
    return p != nullptr && p->HasPalette() && p->SetPaletteEntries(index, 1, &e);
}

bool LoadAllPaletteEntries(const DisplayContext& c) {
    Presenter* p = c.presenter;
    return p != nullptr && p->HasPalette() && p->SetPaletteEntries(0, 256, c.display.PaletteEntries);
}

} // namespace vorna
