// The page's display: each presented frame goes through the palette onto the canvas, scaled to its size.
#include "backends/web/web_presenter.h"

#include <emscripten.h>

#include <cstring>

#include "app/present_math.h"
#include "backends/web/web_frame.h"
#include "base/surface.h"

namespace vorna {

namespace {

constexpr int32_t kDdOk = 0;

// Hands the finished RGBA picture to the page, which puts it on the canvas unchanged.
EM_JS(void, vorna_put_picture, (const uint32_t* pixels, int32_t width, int32_t height), {
    if (Module.vornaPutPicture) Module.vornaPutPicture(pixels, width, height);
});

} // namespace

void WebPresenter::SetOutputSize(int32_t width, int32_t height, bool letterboxed) {
    letterboxed_ = letterboxed;
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    rgba_.assign(static_cast<size_t>(width_) * height_, 0);
}

bool WebPresenter::SetCooperativeLevel(bool fullScreen) {
    fullScreen_ = fullScreen;
    return device_;
}

bool WebPresenter::CreatePalette(const PaletteEntry entries[256]) {
    if (entries == nullptr || !device_) return false;
    for (int i = 0; i < 256; ++i) lookup_[i] = RgbaPixel(entries[i]);
    paletteCreated_ = true;
    return true;
}

bool WebPresenter::SetPaletteEntries(int start, int count, const PaletteEntry* entries) {
    if (!paletteCreated_ || entries == nullptr || start < 0 || count < 0 || start > 256 || count > 256 - start)
        return false;
    for (int i = 0; i < count; ++i) lookup_[start + i] = RgbaPixel(entries[i]);
    return true;
}

void WebPresenter::ClearPrimary() {
    haveFrame_ = false;
    Draw();
}

int32_t WebPresenter::Present(const uint8_t* pixels, int32_t pitch, const PaletteEntry*, bool, const ClientArea&) {
    if (!primary_ || pixels == nullptr) return DDERR_SURFACELOST;
    for (int y = 0; y < kFrameHeight; ++y)
        std::memcpy(indices_ + y * kFrameWidth, pixels + static_cast<ptrdiff_t>(y) * pitch, kFrameWidth);
    haveFrame_ = true;
    Draw();
    ++shown_;
    return kDdOk;
}

void WebPresenter::Repaint() {
    Draw();
}

void WebPresenter::Draw() {
    if (width_ <= 0 || height_ <= 0) return;
    // Before the first frame (and after a clear) the canvas is black, as the primary surface would be.
    const SizeRect none{0, 0, 0, 0};
    const SizeRect dest = haveFrame_ ? FrameDestination(width_, height_, fullScreen_ || letterboxed_) : none;
    ScaleFrameToRgba(indices_, lookup_, dest, width_, height_, rgba_.data());
    vorna_put_picture(rgba_.data(), width_, height_);
}

void WebPresenter::ReleaseAll() {
    device_ = primary_ = paletteCreated_ = false;
}

} // namespace vorna
