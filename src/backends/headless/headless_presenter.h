// The headless presenter: every set-up step succeeds and a presented frame is only counted.
#pragma once
#include <cstdint>

#include "platform/presenter.h"

namespace vorna {

class HeadlessPresenter : public Presenter {
public:
    bool CreateDevice(bool) override { return device_ = true; }
    bool QueryCaps() override { return true; }
    bool SetCooperativeLevel(bool) override { return true; }
    bool SetDisplayMode(int, int, int) override { return true; }
    bool CreatePrimary(bool, bool) override { return primary_ = true; }
    bool GetFlipSurface() override { return true; }
    bool CreateWindowClipper() override { return true; }
    bool BindClipperToWindow() override { return true; }
    bool AttachWindowClipper() override { return true; }
    bool CreatePalette(const PaletteEntry[256]) override { return palette_ = true; }
    bool AttachPalette() override { return true; }
    bool SetPaletteEntries(int, int, const PaletteEntry*) override { return true; }
    void ClearPrimary() override {}
    int32_t Present(const uint8_t*, int32_t, const PaletteEntry[256], bool, const ClientArea&) override;
    void WaitForVerticalBlank() override {}
    bool RestorePrimary() override { return true; }
    bool HasPrimary() override { return primary_; }
    bool HasPalette() override { return palette_; }
    void FlipToGdi() override {}
    void ReleaseAll() override { device_ = primary_ = palette_ = false; }

    uint64_t PresentCount() const { return presents_; }
    bool HasDevice() const { return device_; }

private:
    bool device_ = false;
    bool primary_ = false;
    bool palette_ = false;
    uint64_t presents_ = 0;
};

} // namespace vorna
