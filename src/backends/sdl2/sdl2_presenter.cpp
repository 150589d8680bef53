// The SDL2 display: the palette lookup into one RGB888 streaming texture, stretched to the window or letterboxed.
#include "backends/sdl2/sdl2_presenter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>

#include "app/present_math.h"
#include "backends/sdl2/desktop_layout.h"
#include "base/surface.h"

namespace vorna {

namespace {

constexpr int32_t kDdOk = 0;
constexpr int kBytesPerPixel = 4; // the 32-bit window formats the picture is written into directly

// Where the picture's top-left pixel lies in the window's own (locked) pixels.
uint8_t* PictureOrigin(SDL_Surface* surface, const SDL_Rect& dst) {
    return static_cast<uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(dst.y) * surface->pitch +
           static_cast<ptrdiff_t>(dst.x) * kBytesPerPixel;
}

constexpr unsigned kGlRenderer = 0x1F01; // glGetString(GL_RENDERER)

// Mesa's software rasterisers run the GL renderer's shaders on the CPU: three to four times the cost of
// SDL's own software renderer for the same picture.
bool IsSoftwareGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
    if (name == nullptr) return false;
    const char* text = reinterpret_cast<const char*>(name);
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
        if (std::strstr(text, software) != nullptr) return true;
    return false;
}

// Without a DRM render node no GPU can be reached, so any GL there is a software rasteriser; asking GL
// itself would cost its whole start (about 100 ms) before the first frame.
bool HasRenderNode() {
    DIR* dir = opendir("/dev/dri");
    if (dir == nullptr) return false;
    bool found = false;
    while (const dirent* entry = readdir(dir))
        if (std::strncmp(entry->d_name, "renderD", 7) == 0) found = true;
    closedir(dir);
    return found;
}

uint32_t Rgb888(const PaletteEntry& e) {
    return (static_cast<uint32_t>(e.red) << 16) | (static_cast<uint32_t>(e.green) << 8) | e.blue;
}

} // namespace

bool Sdl2Presenter::CreateDevice(bool) {
    // Emulation or not is DirectDraw's business: SDL picks its own renderer, software when it must.
    if (window_ == nullptr) return false;
    // Unless the user chose a renderer, a GL that only emulates a GPU gives way to the software renderer
    // drawing straight into the window's own framebuffer.
    const bool userChoice = std::getenv("SDL_RENDER_DRIVER") != nullptr;
    if (renderer_ == nullptr && !userChoice && !HasRenderNode()) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ != nullptr && !userChoice && IsSoftwareGl(renderer_)) {
        SDL_DestroyRenderer(renderer_);
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer_ = nullptr;
    }
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    return renderer_ != nullptr;
}

bool Sdl2Presenter::QueryCaps() {
    SDL_RendererInfo info;
    return renderer_ != nullptr && SDL_GetRendererInfo(renderer_, &info) == 0;
}

bool Sdl2Presenter::SetCooperativeLevel(bool fullScreen) {
    fullScreen_ = fullScreen;
    if (!fullScreen) return true;
    // Full screen on the desktop's own mode: the picture is letterboxed instead of changing the mode.
    return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

bool Sdl2Presenter::SetDisplayMode(int, int, int) {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window_), &mode) == 0;
}

bool Sdl2Presenter::MakeTexture(int width, int height) {
    if (texture_ != nullptr && textureWidth_ == width && textureHeight_ == height) return true;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
    textureWidth_ = texture_ != nullptr ? width : 0;
    textureHeight_ = texture_ != nullptr ? height : 0;
    if (texture_ != nullptr) SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
    stale_ = true;
    return texture_ != nullptr;
}

bool Sdl2Presenter::CreatePrimary(bool, bool) {
    if (renderer_ == nullptr) return false;
    SDL_RendererInfo info;
    scaleHere_ = SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    return texture_ != nullptr || MakeTexture(kFrameWidth, kFrameHeight);
}

void Sdl2Presenter::SetLookup(int index, const PaletteEntry& entry) {
    const uint32_t rgb = Rgb888(entry);
    if (lookup_[index] != rgb) {
        stale_ = true;
        windowPictureCurrent_ = false;
    }
    lookup_[index] = rgb;
}

bool Sdl2Presenter::CreatePalette(const PaletteEntry entries[256]) {
    if (entries == nullptr) return false;
    for (int i = 0; i < 256; ++i) SetLookup(i, entries[i]);
    paletteCreated_ = true;
    return true;
}

bool Sdl2Presenter::SetPaletteEntries(int start, int count, const PaletteEntry* entries) {
    if (!paletteCreated_ || entries == nullptr || start < 0 || count < 0 || start > 256 || count > 256 - start)
        return false;
    for (int i = 0; i < count; ++i) SetLookup(start + i, entries[i]);
    return true;
}

void Sdl2Presenter::ClearPrimary() {
    if (renderer_ == nullptr) return;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
    windowPictureCurrent_ = false;
}

int32_t Sdl2Presenter::Present(const uint8_t* pixels, int32_t pitch, const PaletteEntry*, bool, const ClientArea&) {
    if (texture_ == nullptr || pixels == nullptr) return DDERR_SURFACELOST;
    // Only the hand-over happens in the tick: the frame is shown while the loop waits for its next gate,
    // so neither the renderer nor the display can slow the game down.
    for (int y = 0; y < kFrameHeight; ++y) {
        uint8_t* row = indices_ + y * kFrameWidth;
        const uint8_t* from = pixels + static_cast<ptrdiff_t>(y) * pitch;
        if (std::memcmp(row, from, kFrameWidth) == 0) continue;
        std::memcpy(row, from, kFrameWidth);
        stale_ = true;
    }
    if (!haveFrame_) stale_ = true;
    haveFrame_ = true;
    pending_ = true;
    if (tickStart_ != 0) tickCost_ = SDL_GetPerformanceCounter() - tickStart_;
    return kDdOk;
}

void Sdl2Presenter::ShowPendingFrame() {
    if (!pending_) return;
    pending_ = false;
    // For tests and the benchmark: a display that takes long over every present must not slow the game down.
    if (slowPresentMs_ != 0) SDL_Delay(slowPresentMs_);
    // A frame equal to the one on screen (a still picture, a pause) costs neither conversion nor scaling:
    // the screen already shows it.
    if (stale_ && texture_ != nullptr) Draw();
    LogPresented();
}

bool Sdl2Presenter::Upload(const SDL_Rect& dst) {
    const int width = scaleHere_ ? dst.w : kFrameWidth;
    const int height = scaleHere_ ? dst.h : kFrameHeight;
    if (width <= 0 || height <= 0 || !MakeTexture(width, height)) return false;
    if (!stale_) return true;
    void* locked = nullptr;
    int lockedPitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &locked, &lockedPitch) != 0) return false;
    scaler_.Scale(indices_, kFrameWidth, kFrameHeight, lookup_, static_cast<uint8_t*>(locked), lockedPitch, width,
                  height);
    SDL_UnlockTexture(texture_);
    stale_ = false;
    return true;
}

bool Sdl2Presenter::DrawIntoWindow(const SDL_Rect& dst, int outputWidth, int outputHeight) {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr || surface->w != outputWidth || surface->h != outputHeight ||
        (surface->format->format != SDL_PIXELFORMAT_RGB888 && surface->format->format != SDL_PIXELFORMAT_ARGB8888))
        return false;
    // Whatever the renderer still has queued lands first; the overlay goes on top afterwards.
    SDL_RenderFlush(renderer_);
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    const bool picture = haveFrame_ && dst.w > 0 && dst.h > 0;
    // Black only where the picture leaves room (letterbox bars): a full window of it would be painted over.
    if (!picture || dst.x > 0 || dst.y > 0 || dst.w < outputWidth || dst.h < outputHeight)
        SDL_FillRect(surface, nullptr, 0);
    if (picture) {
        scaler_.Scale(indices_, kFrameWidth, kFrameHeight, lookup_, PictureOrigin(surface, dst), surface->pitch, dst.w,
                      dst.h);
        stale_ = false;
        // With nothing drawn over it, the next frame need only write what changed.
        if (!overlay_) {
            std::memcpy(windowIndices_, indices_, sizeof windowIndices_);
            windowSurface_ = surface;
            windowPlace_ = dst;
            windowPictureCurrent_ = true;
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return true;
}

bool Sdl2Presenter::DrawChangesIntoWindow(const SDL_Rect& dst, int outputWidth, int outputHeight) {
    const int factor = dst.w / kFrameWidth;
    if (!windowPictureCurrent_ || overlay_ || !haveFrame_ || factor < 1 || factor > kMaxFactorForChanges ||
        dst.w != factor * kFrameWidth || dst.h != factor * kFrameHeight || dst.x != windowPlace_.x ||
        dst.y != windowPlace_.y || dst.w != windowPlace_.w || dst.h != windowPlace_.h)
        return false;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr || surface != windowSurface_ || surface->w != outputWidth || surface->h != outputHeight)
        return false;
    SDL_RenderFlush(renderer_); // nothing the renderer still has queued may land over the picture later
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    changedRuns_.clear();
    PaletteScaler::UpdateChanged(indices_, windowIndices_, kFrameWidth, kFrameHeight, factor, lookup_,
                                 PictureOrigin(surface, dst), surface->pitch, changedRuns_);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    changedRects_.clear();
    for (const PaletteScaler::PixelRect& c : changedRuns_)
        changedRects_.push_back(SDL_Rect{dst.x + c.left * factor, dst.y + c.top * factor, (c.right - c.left) * factor,
                                         (c.bottom - c.top) * factor});
    // The window system copies only these rectangles to the screen.
    if (!changedRects_.empty())
        SDL_UpdateWindowSurfaceRects(window_, changedRects_.data(), static_cast<int>(changedRects_.size()));
    stale_ = false;
    return true;
}

void Sdl2Presenter::Draw() {
    if (renderer_ == nullptr) return;
    int w = 0, h = 0;
    // The renderer's output is the client area in pixels, whatever the window manager made of our size.
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    const SizeRect r = FrameDestination(w, h, fullScreen_);
    const SDL_Rect dst{r.left, r.top, r.right - r.left, r.bottom - r.top};
    // SDL's software renderer draws into the window's own pixels: the picture goes straight there, scaled
    // once, instead of into a texture that SDL would then copy again.
    if (scaleHere_ && DrawChangesIntoWindow(dst, w, h)) return;
    windowPictureCurrent_ = false;
    if (!(scaleHere_ && DrawIntoWindow(dst, w, h))) {
        const bool picture = haveFrame_ && texture_ != nullptr && Upload(dst);
        if (!picture || dst.x > 0 || dst.y > 0 || dst.w < w || dst.h < h) {
            SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
            SDL_RenderClear(renderer_);
        }
        if (picture) SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    }
    if (overlay_) overlay_(renderer_);
    SDL_RenderPresent(renderer_);
}

void Sdl2Presenter::Repaint() {
    // Converted again: the palette may have changed since, and a renderer may have dropped the texture.
    // The whole window is shown again, not only what changed.
    pending_ = false;
    stale_ = true;
    windowPictureCurrent_ = false;
    Draw();
}

void Sdl2Presenter::WaitForVerticalBlank() {
    // Never waited for: the game keeps its own pace (the tick gate), whatever the display's refresh rate.
}

void Sdl2Presenter::LogPresented() {
    if (pacingLog_ == nullptr) return;
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    const uint64_t counter = SDL_GetPerformanceCounter();
    // Split so that the counter times a million cannot overflow on a machine that has been up for long.
    const uint64_t us = counter / frequency * 1000000 + counter % frequency * 1000000 / frequency;
    const uint64_t costUs = tickCost_ * 1000000 / frequency;
    std::fprintf(pacingLog_, "%llu %llu\n", static_cast<unsigned long long>(us),
                 static_cast<unsigned long long>(costUs));
    if (!firstLogged_) std::fflush(pacingLog_); // the benchmark watches for the first frame
    firstLogged_ = true;
}

bool Sdl2Presenter::RestorePrimary() {
    // The next picture converts the frame again into whatever texture the renderer still has.
    stale_ = true;
    windowPictureCurrent_ = false;
    return true;
}

Sdl2Presenter::Sdl2Presenter(SDL_Window* window) : window_(window) {
    // For maintainers: VORNA_PACING_LOG=file records when each frame was shown and what its tick cost
    // (microseconds), to check the pacing.
    const char* path = std::getenv("VORNA_PACING_LOG");
    if (path != nullptr && *path != '\0') pacingLog_ = std::fopen(path, "w");
    const char* slow = std::getenv("VORNA_SLOW_PRESENT_MS");
    if (slow != nullptr) slowPresentMs_ = static_cast<unsigned>(std::strtoul(slow, nullptr, 10) % 1000);
}

Sdl2Presenter::~Sdl2Presenter() {
    ReleaseAll();
    if (pacingLog_ != nullptr) std::fclose(pacingLog_);
}

void Sdl2Presenter::ReleaseAll() {
    windowPictureCurrent_ = false;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
    textureWidth_ = textureHeight_ = 0;
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    paletteCreated_ = false;
    haveFrame_ = false;
    pending_ = false;
    stale_ = true;
}

} // namespace vorna
