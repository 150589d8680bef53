// The DirectDraw presenter: the display set-up steps, presentation in a window or full screen, restore.
#include "backends/win32/win32_headers.h"

#include "backends/win32/win32_presenter.h"

#include <cstring>
#include <vector>

#include "app/present_math.h"

namespace vorna {
namespace {

constexpr char kFailDisplayVariable[] = "VORNA_FAIL_DISPLAY";

template <typename T> void ReleaseObject(T*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

// A busy blitter is waited for by repeating the same call.
template <typename Call> HRESULT RepeatWhileDrawing(Call call) {
    HRESULT hr;
    do {
        hr = call();
    } while (hr == DDERR_WASSTILLDRAWING);
    return hr;
}

RECT ToRect(const SizeRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

HRESULT WINAPI CollectMode(LPDDSURFACEDESC desc, LPVOID context) {
    auto* modes = static_cast<std::vector<DisplayModeInfo>*>(context);
    modes->push_back(DisplayModeInfo{static_cast<int32_t>(desc->dwWidth), static_cast<int32_t>(desc->dwHeight),
                                     static_cast<int32_t>(desc->ddpfPixelFormat.dwRGBBitCount)});
    return DDENUMRET_OK;
}

} // namespace

Win32Presenter::~Win32Presenter() {
    ReleaseAll();
}

// For the tests only: with VORNA_FAIL_DISPLAY set (to anything) DirectDraw is never created, so the start-up
// failure report can be reached on a machine whose display works.
bool Win32Presenter::CreateDevice(bool emulationOnly) {
    if (GetEnvironmentVariableA(kFailDisplayVariable, nullptr, 0) != 0) return false;
    GUID* driver = emulationOnly ? reinterpret_cast<GUID*>(DDCREATE_EMULATIONONLY) : nullptr;
    return DirectDrawCreate(driver, &dd_, nullptr) == DD_OK;
}

bool Win32Presenter::QueryCaps() {
    if (dd_ == nullptr) return false;
    DDCAPS driver, emulation;
    std::memset(&driver, 0, sizeof driver);
    std::memset(&emulation, 0, sizeof emulation);
    driver.dwSize = sizeof driver;
    emulation.dwSize = sizeof emulation;
    return dd_->GetCaps(&driver, &emulation) == DD_OK;
}

bool Win32Presenter::SetCooperativeLevel(bool fullScreen) {
    if (dd_ == nullptr) return false;
    const DWORD flags = fullScreen ? DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX : DDSCL_NORMAL;
    return dd_->SetCooperativeLevel(window_, flags) == DD_OK;
}

// 320 x 240 x 8 is what the game wants. Current systems often refuse it: then the smallest 8-bit mode
// that holds the frame, or else the desktop's own mode, and the picture is scaled into its middle.
bool Win32Presenter::SetDisplayMode(int width, int height, int bitsPerPixel) {
    if (dd_ == nullptr) return false;
    if (dd_->SetDisplayMode(width, height, bitsPerPixel) == DD_OK) {
        modeChanged_ = true;
        modeWidth_ = width;
        modeHeight_ = height;
        return true;
    }
    std::vector<DisplayModeInfo> modes;
    dd_->EnumDisplayModes(0, nullptr, &modes, CollectMode);
    while (!modes.empty()) {
        const int best = SmallestEightBitMode(modes.data(), static_cast<int>(modes.size()));
        if (best < 0) break;
        const DisplayModeInfo m = modes[static_cast<size_t>(best)];
        if (dd_->SetDisplayMode(m.width, m.height, 8) == DD_OK) {
            modeChanged_ = true;
            modeWidth_ = m.width;
            modeHeight_ = m.height;
            return true;
        }
        modes.erase(modes.begin() + best);
    }
    DDSURFACEDESC desktop;
    std::memset(&desktop, 0, sizeof desktop);
    desktop.dwSize = sizeof desktop;
    if (dd_->GetDisplayMode(&desktop) != DD_OK || desktop.dwWidth < 1 || desktop.dwHeight < 1) return false;
    modeWidth_ = static_cast<int>(desktop.dwWidth);
    modeHeight_ = static_cast<int>(desktop.dwHeight);
    return true;
}

bool Win32Presenter::CreatePrimary(bool fullScreen, bool videoMemory) {
    if (dd_ == nullptr) return false;
    ReleaseObject(frame_);
    ReleaseObject(primary_);
    flip_ = nullptr;
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (fullScreen) {
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    } else {
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | (videoMemory ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);
    }
    if (dd_->CreateSurface(&desc, &primary_, nullptr) != DD_OK) {
        primary_ = nullptr;
        return false;
    }
    DDSURFACEDESC format;
    std::memset(&format, 0, sizeof format);
    format.dwSize = sizeof format;
    if (primary_->GetSurfaceDesc(&format) != DD_OK) return false;
    primaryFormat_ = format.ddpfPixelFormat;
    primaryBits_ = static_cast<int>(format.ddpfPixelFormat.dwRGBBitCount);
    if ((primaryFormat_.dwFlags & DDPF_PALETTEINDEXED8) != 0) primaryBits_ = 8;
    // A desktop without a palette gets the frame converted to its own format (see CopyFrame); an
    // 8-bit surface stretched onto such a desktop shows nothing on some systems.
    if (primaryBits_ != 8 && primaryBits_ != 16 && primaryBits_ != 24 && primaryBits_ != 32) return false;
    if (!fullScreen) {
        modeWidth_ = static_cast<int>(format.dwWidth);
        modeHeight_ = static_cast<int>(format.dwHeight);
    }
    return CreateFrameSurface(videoMemory && !fullScreen);
}

bool Win32Presenter::CreateFrameSurface(bool videoMemory) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = kFrameWidth;
    desc.dwHeight = kFrameHeight;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (videoMemory ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);
    if (dd_->CreateSurface(&desc, &frame_, nullptr) == DD_OK) return true;
    frame_ = nullptr;
    if (!videoMemory) return false;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    if (dd_->CreateSurface(&desc, &frame_, nullptr) == DD_OK) return true;
    frame_ = nullptr;
    return false;
}

bool Win32Presenter::GetFlipSurface() {
    if (primary_ == nullptr) return false;
    DDSCAPS caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    if (primary_->GetAttachedSurface(&caps, &flip_) != DD_OK) {
        flip_ = nullptr;
        return false;
    }
    // The chain owns its back surface; GetAttachedSurface added a reference we do not keep.
    flip_->Release();
    return true;
}

bool Win32Presenter::CreateWindowClipper() {
    if (dd_ == nullptr) return false;
    if (dd_->CreateClipper(0, &clipper_, nullptr) != DD_OK) {
        clipper_ = nullptr;
        return false;
    }
    return true;
}

bool Win32Presenter::BindClipperToWindow() {
    return clipper_ != nullptr && clipper_->SetHWnd(0, window_) == DD_OK;
}

bool Win32Presenter::AttachWindowClipper() {
    return clipper_ != nullptr && primary_ != nullptr && primary_->SetClipper(clipper_) == DD_OK;
}

bool Win32Presenter::CreatePalette(const PaletteEntry entries[256]) {
    if (dd_ == nullptr) return false;
    PALETTEENTRY pe[256];
    for (int i = 0; i < 256; ++i)
        pe[i] = PALETTEENTRY{entries[i].red, entries[i].green, entries[i].blue, entries[i].flags};
    if (dd_->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, pe, &palette_, nullptr) != DD_OK) {
        palette_ = nullptr;
        return false;
    }
    return true;
}

bool Win32Presenter::AttachPalette() {
    if (palette_ == nullptr || primary_ == nullptr) return false;
    // A true-colour primary has no palette to attach: its frames are converted through the entries.
    if (primaryBits_ != 8) return true;
    return primary_->SetPalette(palette_) == DD_OK;
}

bool Win32Presenter::SetPaletteEntries(int start, int count, const PaletteEntry* entries) {
    if (palette_ == nullptr || entries == nullptr || start < 0 || count < 1 || start + count > 256) return false;
    PALETTEENTRY pe[256];
    for (int i = 0; i < count; ++i)
        pe[i] = PALETTEENTRY{entries[i].red, entries[i].green, entries[i].blue, entries[i].flags};
    return palette_->SetEntries(0, static_cast<DWORD>(start), static_cast<DWORD>(count), pe) == DD_OK;
}

void Win32Presenter::ColourFill(IDirectDrawSurface* surface) {
    if (surface == nullptr) return;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0;
    RepeatWhileDrawing([&] { return surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx); });
}

void Win32Presenter::ClearPrimary() {
    if (flip_ != nullptr) {
        for (int i = 0; i < 2; ++i) {
            ColourFill(flip_);
            ColourFill(primary_);
        }
    } else {
        ColourFill(primary_);
    }
    ColourFill(frame_);
}

HRESULT Win32Presenter::CopyFrame(const uint8_t* pixels, int32_t pitch, const PaletteEntry palette[256]) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    HRESULT hr =
        RepeatWhileDrawing([&] { return frame_->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr); });
    if (hr != DD_OK) return hr;
    uint8_t* out = static_cast<uint8_t*>(desc.lpSurface);
    const int32_t outPitch = desc.lPitch;
    if (primaryBits_ == 8) {
        for (int y = 0; y < kFrameHeight; ++y) std::memcpy(out + y * outPitch, pixels + y * pitch, kFrameWidth);
    } else {
        uint32_t lookup[256];
        for (int i = 0; i < 256; ++i)
            lookup[i] =
                PackPixel(palette[i], primaryFormat_.dwRBitMask, primaryFormat_.dwGBitMask, primaryFormat_.dwBBitMask);
        const int bytes = primaryBits_ / 8;
        for (int y = 0; y < kFrameHeight; ++y) {
            const uint8_t* src = pixels + y * pitch;
            uint8_t* row = out + y * outPitch;
            for (int x = 0; x < kFrameWidth; ++x) {
                const uint32_t v = lookup[src[x]];
                if (bytes == 4) {
                    std::memcpy(row + 4 * x, &v, 4);
                } else if (bytes == 2) {
                    const uint16_t v16 = static_cast<uint16_t>(v);
                    std::memcpy(row + 2 * x, &v16, 2);
                } else {
                    row[3 * x] = static_cast<uint8_t>(v);
                    row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
                    row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
                }
            }
        }
    }
    frame_->Unlock(nullptr);
    return DD_OK;
}

int32_t Win32Presenter::Present(const uint8_t* pixels, int32_t pitch, const PaletteEntry palette[256], bool fullScreen,
                                const ClientArea& client) {
    if (primary_ == nullptr || frame_ == nullptr || pixels == nullptr) return DDERR_GENERIC;
    HRESULT hr = CopyFrame(pixels, pitch, palette);
    if (hr != DD_OK) return hr;
    RECT src{0, 0, kFrameWidth, kFrameHeight};
    if (fullScreen) {
        if (flip_ == nullptr) return DDERR_GENERIC;
        if (modeWidth_ == kFrameWidth && modeHeight_ == kFrameHeight && primaryBits_ == 8) {
            hr = RepeatWhileDrawing([&] { return flip_->BltFast(0, 0, frame_, &src, DDBLTFAST_WAIT); });
        } else {
            RECT dst = ToRect(LetterboxRect(modeWidth_, modeHeight_));
            hr = RepeatWhileDrawing([&] { return flip_->Blt(&dst, frame_, &src, DDBLT_WAIT, nullptr); });
        }
        // A lost surface is restored by the caller; the flip still follows, as after any other error.
        const HRESULT flipped = RepeatWhileDrawing([&] { return primary_->Flip(nullptr, 0); });
        if (hr == DD_OK) hr = flipped;
        return hr;
    }
    // Part of a window may lie beyond the desktop, where the primary surface refuses the whole blit:
    // only the visible part is presented.
    const SizeRect wanted{client.x, client.y, client.x + client.width, client.y + client.height};
    const SizeRect desktop{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                           GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                           GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    SizeRect dstPart, srcPart;
    if (!ClipStretchedBlit(wanted, SizeRect{0, 0, kFrameWidth, kFrameHeight}, desktop, dstPart, srcPart)) return DD_OK;
    RECT dst = ToRect(dstPart);
    src = ToRect(srcPart);
    return RepeatWhileDrawing([&] { return primary_->Blt(&dst, frame_, &src, DDBLT_WAIT, nullptr); });
}

void Win32Presenter::WaitForVerticalBlank() {
    if (dd_ != nullptr) dd_->WaitForVerticalBlank(DDWAITVB_BLOCKEND, nullptr);
}

bool Win32Presenter::RestorePrimary() {
    bool ok = true;
    if (primary_ != nullptr && primary_->Restore() != DD_OK) ok = false;
    if (frame_ != nullptr && frame_->Restore() != DD_OK) ok = false;
    return ok;
}

void Win32Presenter::FlipToGdi() {
    if (dd_ != nullptr) dd_->FlipToGDISurface();
}

void Win32Presenter::ReleaseAll() {
    if (primary_ != nullptr && clipper_ != nullptr) primary_->SetClipper(nullptr);
    ReleaseObject(clipper_);
    ReleaseObject(frame_);
    flip_ = nullptr;
    ReleaseObject(primary_);
    ReleaseObject(palette_);
    if (dd_ != nullptr && modeChanged_) dd_->RestoreDisplayMode();
    modeChanged_ = false;
    ReleaseObject(dd_);
    primaryBits_ = 0;
}

} // namespace vorna
