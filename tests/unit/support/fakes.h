// Test doubles for the platform interfaces: virtual clock and message queue, keys, joystick, shell, presenter.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "base/game.h"

namespace vorna::testing {

// A millisecond clock that moves only when told to (or when the fake pump waits).
class FakeClock : public Clock {
public:
    uint32_t now = 0;
    uint32_t NowMs() override { return now; }
    void Advance(uint32_t ms) { now += ms; }
};

// A message queue of scripted messages. Waiting with a time-out advances the fake clock by that time;
// waiting for ever runs onWaitForever (or ends the loop with quit code -2 when none is set). A loop that
// spins instead of waiting runs into peekLimit and is ended with quit code -1.
class FakePump : public MessagePump {
public:
    explicit FakePump(FakeClock& clock) : clock_(clock) {}

    struct Message {
        bool quit = false;
        int code = 0;
        std::function<void()> action;
    };

    int peeks = 0;
    int peekLimit = 100000;
    std::vector<uint32_t> waits;
    std::function<void()> onWaitForever;

    void Post(std::function<void()> action) { queue_.push_back({false, 0, std::move(action)}); }
    void PostQuit(int code) { queue_.push_back({true, code, {}}); }

    bool Peek() override {
        if (++peeks > peekLimit && queue_.empty()) PostQuit(-1);
        return !queue_.empty();
    }
    bool GetAndDispatch(int& quitCode) override {
        if (queue_.empty()) return true;
        Message m = std::move(queue_.front());
        queue_.pop_front();
        if (m.quit) {
            quitCode = m.code;
            return false;
        }
        if (m.action) m.action();
        return true;
    }
    void WaitForMessage(uint32_t timeoutMs) override {
        waits.push_back(timeoutMs);
        if (!queue_.empty()) return;
        if (timeoutMs != kWaitForever) {
            clock_.Advance(timeoutMs);
        } else if (onWaitForever) {
            onWaitForever();
        } else {
            PostQuit(-2);
        }
    }

private:
    FakeClock& clock_;
    std::deque<Message> queue_;
};

class FakeKeyboard : public Keyboard {
public:
    std::set<int> down;
    std::vector<int> polled; // every key asked for, in order
    bool IsKeyDown(int virtualKey) override {
        polled.push_back(virtualKey);
        return down.count(virtualKey) != 0;
    }
};

// One joystick with the usual 0..65535 axes unless told otherwise.
class FakeJoystick : public Joystick {
public:
    uint32_t devices = 1;
    bool capsOk = true;
    JoystickCaps caps{0, 65535, 0, 65535, 0, 65535, 0, 65535};
    bool positionOk = true;
    JoystickPosition position{32767, 32767, 32767, 32767, 0};

    uint32_t GetNumDevs() override { return devices; }
    bool GetDevCaps(unsigned, JoystickCaps& out) override {
        if (!capsOk) return false;
        out = caps;
        return true;
    }
    bool GetPosition(unsigned, JoystickPosition& out) override {
        if (!positionOk) return false;
        out = position;
        return true;
    }
};

class RecordingShell : public Shell {
public:
    struct Box {
        std::string text, caption;
        unsigned style;
    };
    std::vector<Box> boxes;
    std::vector<std::string> debugLines;
    int answer = IDOK_ANSWER;
    int MessageBox(const char* text, const char* caption, unsigned style) override {
        boxes.push_back({text, caption, style});
        return answer;
    }
    void DebugOutput(const char* text) override { debugLines.push_back(text); }
};

// A display device on which every step succeeds (or the one named in failStep fails).
class FakePresenter : public Presenter {
public:
    std::string failStep;
    int presents = 0;
    bool created = false, primary = false, palette = false;

    bool Step(const char* name) { return failStep != name; }
    bool CreateDevice(bool) override { return created = Step("CreateDevice"); }
    bool QueryCaps() override { return Step("QueryCaps"); }
    bool SetCooperativeLevel(bool) override { return Step("SetCooperativeLevel"); }
    bool SetDisplayMode(int, int, int) override { return Step("SetDisplayMode"); }
    bool CreatePrimary(bool, bool) override { return primary = Step("CreatePrimary"); }
    bool GetFlipSurface() override { return Step("GetFlipSurface"); }
    bool CreateWindowClipper() override { return Step("CreateWindowClipper"); }
    bool BindClipperToWindow() override { return Step("BindClipperToWindow"); }
    bool AttachWindowClipper() override { return Step("AttachWindowClipper"); }
    bool CreatePalette(const PaletteEntry*) override { return palette = Step("CreatePalette"); }
    bool AttachPalette() override { return Step("AttachPalette"); }
    bool SetPaletteEntries(int, int, const PaletteEntry*) override { return Step("SetPaletteEntries"); }
    void ClearPrimary() override {}
    int32_t Present(const uint8_t*, int32_t, const PaletteEntry*, bool, const ClientArea&) override {
        ++presents;
        return 0;
    }
    void WaitForVerticalBlank() override {}
    bool RestorePrimary() override { return true; }
    bool HasPrimary() override { return primary; }
    bool HasPalette() override { return palette; }
    void FlipToGdi() override {}
    void ReleaseAll() override { created = primary = palette = false; }
};

// Hears every sound and music request and each finished frame; the on... hooks run inside the calls.
class RecordingObserver : public GameObserver {
public:
    std::vector<int> sounds;
    std::vector<std::pair<MusicCall, int>> music;
    int frames = 0;
    std::function<void()> onFrame;
    std::function<void(int)> onSound;
    void SoundRequested(int number) override {
        sounds.push_back(number);
        if (onSound) onSound(number);
    }
    void MusicCalled(MusicCall call, int argument) override { music.emplace_back(call, argument); }
    void FrameFinished() override {
        ++frames;
        if (onFrame) onFrame();
    }
};

// A plain 8-bit surface filled with one colour, without going through the display set-up.
inline void MakeTestSurface(Surface& s, int32_t width, int32_t height, uint8_t fill) {
    s = Surface{};
    s.exists = true;
    s.width = width;
    s.height = height;
    s.pitch = width;
    s.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

} // namespace vorna::testing
