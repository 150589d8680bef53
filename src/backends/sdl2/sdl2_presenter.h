// The SDL2 display: the palette lookup into one RGB888 streaming texture, stretched to the window or letterboxed.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <functional>

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
    // Drawn over the picture at every presentation, never into the game's frame (the popup menu).
    void SetOverlay(std::function<void(SDL_Renderer*)> overlay) { overlay_ = std::move(overlay); }
    SDL_Renderer* Renderer() const { return renderer_; }
    bool FullScreen() const { return fullScreen_; }

private:
    void Draw();
    bool Convert();

    SDL_Window* window_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool fullScreen_ = false;
    bool paletteCreated_ = false;
    bool haveFrame_ = false;
    uint32_t lookup_[256] = {};
    uint8_t indices_[320 * 240] = {}; // the last frame presented
    uint64_t nextBlankTicks_ = 0;
    std::function<void(SDL_Renderer*)> overlay_;
    std::FILE* pacingLog_ = nullptr;
};

} // namespace vorna
