// The DirectDraw presenter: the display set-up steps, presentation in a window or full screen, restore.
#pragma once
#include "backends/win32/win32_headers.h"

#include "platform/presenter.h"

namespace vorna {

class Win32Presenter : public Presenter {
public:
    ~Win32Presenter() override;
    void SetWindow(HWND window) { window_ = window; }

    bool CreateDevice(bool emulationOnly) override;
    bool QueryCaps() override;
    bool SetCooperativeLevel(bool fullScreen) override;
    bool SetDisplayMode(int width, int height, int bitsPerPixel) override;
    bool CreatePrimary(bool fullScreen, bool videoMemory) override;
    bool GetFlipSurface() override;
    bool CreateWindowClipper() override;
    bool BindClipperToWindow() override;
    bool AttachWindowClipper() override;
    bool CreatePalette(const PaletteEntry entries[256]) override;
    bool AttachPalette() override;
    bool SetPaletteEntries(int start, int count, const PaletteEntry* entries) override;
    void ClearPrimary() override;
    int32_t Present(const uint8_t* pixels, int32_t pitch, const PaletteEntry palette[256], bool fullScreen,
                    const ClientArea& client) override;
    void WaitForVerticalBlank() override;
    bool RestorePrimary() override;
    bool HasPrimary() override { return primary_ != nullptr; }
    bool HasPalette() override { return palette_ != nullptr; }
    void FlipToGdi() override;
    void ReleaseAll() override;

    // What the set-up chose, for tests and the debug output.
    bool PalettizedPrimary() const { return primaryBits_ == 8; }
    int ModeWidth() const { return modeWidth_; }
    int ModeHeight() const { return modeHeight_; }

private:
    bool CreateFrameSurface(bool videoMemory);
    HRESULT CopyFrame(const uint8_t* pixels, int32_t pitch, const PaletteEntry palette[256]);
    void ColourFill(IDirectDrawSurface* surface);

    HWND window_ = nullptr;
    IDirectDraw* dd_ = nullptr;
    IDirectDrawSurface* primary_ = nullptr;
    IDirectDrawSurface* flip_ = nullptr;  // belongs to the primary's chain, never released on its own
    IDirectDrawSurface* frame_ = nullptr; // the 320 x 240 frame in the primary's pixel format
    IDirectDrawClipper* clipper_ = nullptr;
    IDirectDrawPalette* palette_ = nullptr;
    bool modeChanged_ = false;
    int modeWidth_ = 0, modeHeight_ = 0; // full screen: the mode in use
    int primaryBits_ = 0;
    DDPIXELFORMAT primaryFormat_ = {};
};

} // namespace vorna
