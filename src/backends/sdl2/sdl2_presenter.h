// The SDL2 display: the palette lookup into one RGB888 streaming texture, stretched to the window or letterboxed.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "backends/sdl2/palette_scaler.h"
#include "platform/presenter.h"

namespace vorna {

class Sdl2Presenter : public Presenter {
public:
    explicit Sdl2Presenter(SDL_Window* window);
    Sdl2Presenter(const Sdl2Presenter&) = delete;
    Sdl2Presenter& operator=(const Sdl2Presenter&) = delete;
    ~Sdl2Presenter() override;

    bool CreateDevice(bool emulationOnly) override;
    bool QueryCaps() override;
    bool SetCooperativeLevel(bool fullScreen) override;
    bool SetDisplayMode(int width, int height, int bitsPerPixel) override;
    bool CreatePrimary(bool fullScreen, bool videoMemory) override;
    bool GetFlipSurface() override { return texture_ != nullptr; }
    // The window's own bounds clip everything drawn into it: nothing to create.
    bool CreateWindowClipper() override { return renderer_ != nullptr; }
    bool BindClipperToWindow() override { return renderer_ != nullptr; }
    bool AttachWindowClipper() override { return texture_ != nullptr; }
    bool CreatePalette(const PaletteEntry entries[256]) override;
    bool AttachPalette() override { return paletteCreated_ && texture_ != nullptr; }
    bool SetPaletteEntries(int start, int count, const PaletteEntry* entries) override;
    void ClearPrimary() override;
    int32_t Present(const uint8_t* pixels, int32_t pitch, const PaletteEntry palette[256], bool fullScreen,
                    const ClientArea& client) override;
    void WaitForVerticalBlank() override;
    bool RestorePrimary() override;
    bool HasPrimary() override { return texture_ != nullptr; }
    bool HasPalette() override { return paletteCreated_; }
    void FlipToGdi() override {}
    void ReleaseAll() override;

    // Shows the last frame again (with any overlay) without touching the game: repaints and open menus.
    void Repaint();
    // Uploads, scales and shows the frame handed over by the last Present, if it is not shown yet. The
    // desktop calls it while the tick loop would otherwise wait, so the display's cost stays off the tick.
    void ShowPendingFrame();
    bool HasPendingFrame() const { return pending_; }
    // For the pacing log: when the tick that is about to run passed its gate (performance counter).
    void NoteTickStart(uint64_t counter) { tickStart_ = counter; }
    // Drawn over the picture at every presentation, never into the game's frame (the popup menu).
    void SetOverlay(std::function<void(SDL_Renderer*)> overlay) { overlay_ = std::move(overlay); }
    SDL_Renderer* Renderer() const { return renderer_; }
    bool FullScreen() const { return fullScreen_; }

private:
    void Draw();
    // Brings the texture up to date for a picture at dst: the frame through the palette, scaled here when
    // the renderer is SDL's software one (its generic stretch costs several times our own) and the window's
    // pixels cannot be written directly.
    bool Upload(const SDL_Rect& dst);
    bool MakeTexture(int width, int height);
    // The software renderer's own target: the picture scaled straight into the window's pixels. False when
    // the window's pixels are not the 32-bit layout the lookup is made for.
    bool DrawIntoWindow(const SDL_Rect& dst, int outputWidth, int outputHeight);
    // The cheapest way where it applies: when the window's pixels still show the last frame at 1× or 2×
    // with nothing over it, only the runs that changed are written and shown. False when it does not apply.
    bool DrawChangesIntoWindow(const SDL_Rect& dst, int outputWidth, int outputHeight);
    void SetLookup(int index, const PaletteEntry& entry);
    void LogPresented();

    SDL_Window* window_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    bool scaleHere_ = false; // the renderer draws on the CPU: hand it the picture at its final size
    PaletteScaler scaler_;
    // The window's pixels (windowSurface_) show windowIndices_ through the current lookup at windowPlace_.
    static constexpr int kMaxFactorForChanges = 2;
    bool windowPictureCurrent_ = false;
    const SDL_Surface* windowSurface_ = nullptr;
    SDL_Rect windowPlace_{0, 0, 0, 0};
    uint8_t windowIndices_[kFrameWidth * kFrameHeight] = {};
    std::vector<PaletteScaler::PixelRect> changedRuns_;
    std::vector<SDL_Rect> changedRects_;
    bool fullScreen_ = false;
    bool paletteCreated_ = false;
    bool haveFrame_ = false;
    bool pending_ = false; // handed over by Present, not shown yet
    bool stale_ = true;    // the texture does not hold the last frame through the current palette
    uint64_t tickStart_ = 0;
    uint64_t tickCost_ = 0; // performance-counter ticks from the gate to the hand-over
    unsigned slowPresentMs_ = 0;
    bool firstLogged_ = false;
    uint32_t lookup_[256] = {};
    uint8_t indices_[kFrameWidth * kFrameHeight] = {}; // the last frame presented
    std::function<void(SDL_Renderer*)> overlay_;
    std::FILE* pacingLog_ = nullptr;
};

} // namespace vorna
