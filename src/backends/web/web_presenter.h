// The page's display: each presented frame goes through the palette onto the canvas, scaled to its size.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/presenter.h"

namespace vorna {

class WebPresenter : public Presenter {
public:
    // The canvas's size in pixels; the next frame (and a repaint) is drawn at it. A page in full screen
    // letterboxes the frame as the game's own full screen does.
    void SetOutputSize(int32_t width, int32_t height, bool letterboxed);
    // Draws the last frame again, at the current output size (after a size change).
    void Repaint();
    uint64_t FramesShown() const { return shown_; }

    bool CreateDevice(bool) override { return device_ = true; }
    bool QueryCaps() override { return device_; }
    bool SetCooperativeLevel(bool fullScreen) override;
    bool SetDisplayMode(int, int, int) override { return device_; }
    bool CreatePrimary(bool, bool) override { return primary_ = device_; }
    bool GetFlipSurface() override { return primary_; }
    bool CreateWindowClipper() override { return true; }
    bool BindClipperToWindow() override { return true; }
    bool AttachWindowClipper() override { return true; }
    bool CreatePalette(const PaletteEntry entries[256]) override;
    bool AttachPalette() override { return paletteCreated_; }
    bool SetPaletteEntries(int start, int count, const PaletteEntry* entries) override;
    void ClearPrimary() override;
    int32_t Present(const uint8_t* pixels, int32_t pitch, const PaletteEntry palette[256], bool fullScreen,
                    const ClientArea& client) override;
    void WaitForVerticalBlank() override {}
    bool RestorePrimary() override { return true; }
    bool HasPrimary() override { return primary_; }
    bool HasPalette() override { return paletteCreated_; }
    void FlipToGdi() override {}
    void ReleaseAll() override;

private:
    void Draw();

    bool device_ = false;
    bool primary_ = false;
    bool paletteCreated_ = false;
    bool fullScreen_ = false;
    bool letterboxed_ = false;
    bool haveFrame_ = false;
    int32_t width_ = 0, height_ = 0;
    uint32_t lookup_[256] = {};
    uint8_t indices_[kFrameWidth * kFrameHeight] = {};
    std::vector<uint32_t> rgba_;
    uint64_t shown_ = 0;
};

} // namespace vorna
