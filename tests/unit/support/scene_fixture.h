// A game for the scene tests: keyboard, observer, a cleared frame and a sheet whose pixels tell where they came from.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/game.h"
#include "fakes.h"
#include "input/input.h"
#include "platform/keyboard.h"
#include "scenes/scene_machine.h"

namespace vorna::testing {

// Sheet pixels: the font rows (letters on y 0..15, digits on y 208..223 from x 48) hold values 100..249,
// everything else 1..97, so a frame pixel of 100 or more was drawn by DrawSheetText. No pixel is black,
// so every transfer copies its whole rectangle.
inline uint8_t SheetPixel(int32_t x, int32_t y) {
    const bool letters = y >= 0 && y < 16 && x < 288;
    const bool digits = y >= 208 && y < 224 && x >= 48 && x < 128;
    if (letters || digits) return static_cast<uint8_t>(100 + (x * 5 + y * 3) % 150);
    return static_cast<uint8_t>(1 + (x * 3 + y * 7) % 97);
}

inline bool IsFontPixel(uint8_t value) {
    return value >= 100;
}

// The letter table of the font, written out here so that the tests do not trust the game's own copy.
inline std::pair<int32_t, int32_t> GlyphOf(char c) {
    static const int32_t start[27] = {0,   11,  22,  33,  44,  54,  64,  75,  87,  95,  106, 118, 127, 142,
                                      155, 165, 177, 188, 199, 208, 218, 229, 240, 255, 266, 277, 288};
    if (c >= 'A' && c <= 'Z') return {start[c - 'A'], start[c - 'A' + 1] - start[c - 'A'] - 1};
    return {48 + 8 * (c - '0'), 8};
}

struct SceneGame {
    Game g;
    FakeKeyboard keyboard;
    RecordingObserver observer;

    SceneGame() {
        g.platform.keyboard = &keyboard;
        g.platform.observer = &observer;
        DetectJoystick(g.input, g.platform.joystick); // no joystick: keyboard only
        MakeTestSurface(g.display.BackBuffer, 320, 240, 0);
        // The frame clipper, as the display set-up attaches it: sprites partly outside the frame are clipped.
        g.display.BackBuffer.hasClipper = true;
        g.display.BackBuffer.clip = ClipRect{0, 0, 320, 240};
        InstallSheet();
        g.scene.Scene = SceneBoot;
    }

    // The boot frame loads the real sheet (which a test game does not have): put the test sheet back.
    void InstallSheet() {
        MakeTestSurface(g.display.SheetSurface, 320, 240, 0);
        Surface& sheet = g.display.SheetSurface;
        for (int32_t y = 0; y < 240; ++y)
            for (int32_t x = 0; x < 320; ++x) sheet.pixels[static_cast<size_t>(y) * 320 + x] = SheetPixel(x, y);
        sheet.hasColourKey = true;
        sheet.keyLow = sheet.keyHigh = 0;
    }
    void Boot(std::set<int> keys = {}) {
        Frame(std::move(keys));
        InstallSheet();
    }

    // One running frame as the frame driver makes it: cleared frame, then SceneFrame.
    void Frame(std::set<int> keys = {}) {
        keyboard.down = std::move(keys);
        std::fill(g.display.BackBuffer.pixels.begin(), g.display.BackBuffer.pixels.end(), uint8_t{0});
        SceneFrame(g);
    }
    void Frames(int n, const std::set<int>& keys = {}) {
        for (int i = 0; i < n; ++i) Frame(keys);
    }
    // Runs frames without input until the scene changes; returns how many frames that took (limit: -1).
    int FramesUntilSceneChange(int limit) {
        const uint32_t scene = g.scene.Scene;
        for (int n = 1; n <= limit; ++n) {
            Frame();
            if (g.scene.Scene != scene) return n;
        }
        return -1;
    }
    uint8_t At(int32_t x, int32_t y) const {
        return g.display.BackBuffer.pixels[static_cast<size_t>(y) * 320 + static_cast<size_t>(x)];
    }
    // True when the frame shows the text in the sheet font with its top-left corner at (x, y), glyph for
    // glyph (only the visible rows between 0 and 239 are compared).
    bool ShowsText(const std::string& text, int32_t x, int32_t y) const {
        int32_t pen = x;
        for (char c : text) {
            if (c == ' ') {
                pen += 8;
                continue;
            }
            const auto [sx, w] = GlyphOf(c);
            const int32_t sy = c >= 'A' ? 0 : 208;
            for (int32_t j = 0; j < 16; ++j)
                for (int32_t i = 0; i < w; ++i) {
                    if (y + j < 0 || y + j >= 240 || pen + i < 0 || pen + i >= 320) continue;
                    if (At(pen + i, y + j) != SheetPixel(sx + i, sy + j)) return false;
                }
            pen += w;
        }
        return true;
    }
    // Rows of the frame that hold any font pixel in the columns x0..x1.
    std::vector<int32_t> FontRows(int32_t x0 = 0, int32_t x1 = 319) const {
        std::vector<int32_t> rows;
        for (int32_t y = 0; y < 240; ++y)
            for (int32_t x = x0; x <= x1; ++x)
                if (IsFontPixel(At(x, y))) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    }
    // Sound numbers and music calls heard so far, then forgotten.
    std::vector<int> TakeSounds() { return std::exchange(observer.sounds, {}); }
    std::vector<std::string> TakeMusic() {
        std::vector<std::string> out;
        for (auto [call, argument] : observer.music) {
            if (call == GameObserver::MusicCall::Play) out.push_back("play " + std::to_string(argument));
            if (call == GameObserver::MusicCall::Stop) out.push_back("stop");
            if (call == GameObserver::MusicCall::Tempo) out.push_back("tempo " + std::to_string(argument));
        }
        observer.music.clear();
        return out;
    }
};

} // namespace vorna::testing
