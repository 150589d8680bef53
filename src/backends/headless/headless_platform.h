// The whole headless backend in one object: it owns every device and hands them to a Game.
#pragma once
#include "backends/headless/headless_clock.h"
#include "backends/headless/headless_files.h"
#include "backends/headless/headless_input.h"
#include "backends/headless/headless_presenter.h"
#include "backends/headless/headless_pump.h"
#include "backends/headless/headless_shell.h"
#include "backends/headless/headless_sound.h"
#include "base/game.h"

namespace vorna {

class HeadlessBackend {
public:
    HeadlessBackend(Game& g, InputScript script);
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;

    // Fills g.platform with this backend's devices (the observer is left as it is) and
    // gives the game what a window would have given it before the message loop starts.
    void Attach();

    VirtualClock clock;
    ScriptedInput input;
    HeadlessMessagePump pump;
    HeadlessKeyboard keyboard;
    HeadlessJoystick joystick;
    HeadlessPresenter presenter;
    HeadlessSoundDevice sound;
    HeadlessMidiStreamDevice midi;
    HeadlessShell shell;
    EmbeddedResources resources;
    HostFileSystem files;

private:
    Game& game_;
};

} // namespace vorna
