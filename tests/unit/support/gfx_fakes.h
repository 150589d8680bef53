// Test doubles for the graphics tests: a presenter that records its calls and fails on request, a shell
// that keeps the debug lines, and a game with a ready-made frame.
#pragma once
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "base/game.h"
#include "gfx/display.h"
#include "gfx/primitives.h"

namespace vorna::gfx_testing {

class RecordingShell : public Shell {
public:
    std::vector<std::string> lines;
    int MessageBox(const char*, const char*, unsigned) override { return IDOK_ANSWER; }
    void DebugOutput(const char* text) override { lines.emplace_back(text); }
};

class FakePresenter : public Presenter {
public:
    // The name of the step that fails ("CreateDevice", "QueryCaps", ...); empty: none fails.
    std::string failStep;
    int failuresLeft = 1 << 30; // how often failStep fails before it succeeds
    std::vector<std::string> calls;
    std::deque<int32_t> presentResults; // consumed per Present; DD_OK once empty
    int presents = 0, waits = 0, restores = 0, attaches = 0;
    bool primary = false, palette = false, device = false;
    std::vector<uint8_t> lastFrame;
    PaletteEntry lastPalette[256] = {};
    PaletteEntry createdPalette[256] = {};
    ClientArea lastClient{0, 0, 0, 0};
    bool lastFullScreen = false;
    std::vector<std::string> paletteWrites; // "start,count"

    bool Step(const std::string& name) {
        calls.push_back(name);
        if (name == failStep && failuresLeft > 0) {
            --failuresLeft;
            return false;
        }
        return true;
    }
    bool lastEmulationOnly = false;
    bool CreateDevice(bool emulationOnly) override {
        lastEmulationOnly = emulationOnly;
        device = Step("CreateDevice");
        return device;
    }
    bool QueryCaps() override { return Step("QueryCaps"); }
    bool SetCooperativeLevel(bool fullScreen) override {
        return Step(fullScreen ? "SetCooperativeLevel(full)" : "SetCooperativeLevel(window)");
    }
    bool SetDisplayMode(int w, int h, int bpp) override {
        return Step("SetDisplayMode(" + std::to_string(w) + "," + std::to_string(h) + "," + std::to_string(bpp) + ")");
    }
    bool CreatePrimary(bool fullScreen, bool videoMemory) override {
        const bool ok = Step(std::string("CreatePrimary(") + (fullScreen ? "full" : "window") +
                             (videoMemory ? ",video" : "") + ")");
        primary = primary || ok;
        return ok;
    }
    bool GetFlipSurface() override { return Step("GetFlipSurface"); }
    bool CreateWindowClipper() override { return Step("CreateWindowClipper"); }
    bool BindClipperToWindow() override { return Step("BindClipperToWindow"); }
    bool AttachWindowClipper() override { return Step("AttachWindowClipper"); }
    bool CreatePalette(const PaletteEntry entries[256]) override {
        std::memcpy(createdPalette, entries, sizeof createdPalette);
        palette = Step("CreatePalette");
        return palette;
    }
    bool AttachPalette() override {
        ++attaches;
        return Step("AttachPalette");
    }
    bool SetPaletteEntries(int start, int count, const PaletteEntry*) override {
        paletteWrites.push_back(std::to_string(start) + "," + std::to_string(count));
        return Step("SetPaletteEntries");
    }
    void ClearPrimary() override { calls.push_back("ClearPrimary"); }
    int32_t Present(const uint8_t* pixels, int32_t pitch, const PaletteEntry pal[256], bool fullScreen,
                    const ClientArea& client) override {
        ++presents;
        lastFrame.assign(pixels, pixels + static_cast<size_t>(pitch) * 240);
        std::memcpy(lastPalette, pal, sizeof lastPalette);
        lastClient = client;
        lastFullScreen = fullScreen;
        if (presentResults.empty()) return DD_OK;
        const int32_t rc = presentResults.front();
        presentResults.pop_front();
        return rc;
    }
    void WaitForVerticalBlank() override { ++waits; }
    bool RestorePrimary() override {
        ++restores;
        return Step("RestorePrimary");
    }
    bool HasPrimary() override { return primary; }
    bool HasPalette() override { return palette; }
    void FlipToGdi() override { calls.push_back("FlipToGdi"); }
    void ReleaseAll() override {
        calls.push_back("ReleaseAll");
        primary = palette = device = false;
    }
};

// A game whose display is set up on a fake presenter, in window mode unless asked otherwise.
struct GfxFixtureGame {
    Game g;
    FakePresenter presenter;
    RecordingShell shell;
    explicit GfxFixtureGame(bool initDisplay = true) {
        g.platform.presenter = &presenter;
        g.platform.shell = &shell;
        FillStandardSystemColours(g.display.PaletteEntries);
        if (initDisplay) InitDisplay(DisplayOf(g));
        shell.lines.clear();
        presenter.calls.clear();
    }
    Surface& frame() { return g.display.BackBuffer; }
    uint8_t& at(Surface& s, int x, int y) { return s.pixels[static_cast<size_t>(y) * s.pitch + x]; }
    // Counts pixels of a surface holding value.
    int count(Surface& s, uint8_t value) {
        int n = 0;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) n += at(s, x, y) == value;
        return n;
    }
};

} // namespace vorna::gfx_testing
