// The portable half of the application shell: command line, tick loop and frame driver.
#include "app/shell.h"

#include "app/failure_report.h"
#include "gfx/display.h"
#include "gfx/primitives.h"
#include "input/input.h"
#include "music/music_player.h"
#include "scenes/scene_machine.h"
#include "sound/sound_effects.h"

namespace vorna {

namespace {

// A tick needs more than this many milliseconds since the previous tick ended.
constexpr uint32_t kTickGateMs = 12;
// Slow motion (/S): ticks skipped between two frame-driver runs.
constexpr int32_t kSlowMotionSkip = 20;

char ToUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

int ParseCommandLine(Game& g, const char* text) {
    g.display.EmulationOnly = 1;
    g.display.FullScreenMode = 0;
    g.display.SystemMemorySurfaces = 1;
    g.app.LastTickTime = 0;
    g.app.FrameSkipPeriod = 0;
    g.app.FrameSkipCountdown = 0;
    if (text == nullptr) return 1;

    const char* p = text;
    while (*p != '\0') {
        if (*p != '/') {
            ++p;
            continue;
        }
        ++p; // the '/' itself; a recognised letter is consumed below, anything else is scanned as text
        switch (ToUpper(*p)) {
        case 'E':
            g.display.EmulationOnly = 0;
            break;
        case 'F':
            g.display.FullScreenMode = 1;
            break;
        case 'M':
            g.display.SystemMemorySurfaces = 0;
            break;
        case 'S':
            g.app.FrameSkipPeriod = kSlowMotionSkip;
            g.app.FrameSkipCountdown = 0;
            break;
        default:
            continue;
        }
        ++p;
    }
    return 1;
}

int InitAppState(Game& g) {
    g.app.InitFailureFlags = 0;
    g.app.AppPhase = PhaseStartup;
    g.scene.Scene = SceneBoot;
    return 1;
}

// The tick rule is the game's own: a tick only when no message waits, the application is active and more
// than 12 ms have passed since the previous tick ended. Where the loop would otherwise poll, it waits for
// a message (for ever while inactive, else until the gate opens), so an idle game leaves the CPU alone.
int MessageLoop(Game& g) {
    MessagePump* pump = g.platform.pump;
    Clock* clock = g.platform.clock;
    if (pump == nullptr || clock == nullptr) return 0;

    AppState& app = g.app;
    app.LastTickTime = clock->NowMs();
    for (;;) {
        if (pump->Peek()) {
            int quitCode = 0;
            if (!pump->GetAndDispatch(quitCode)) return quitCode;
            continue;
        }
        if (app.AppActive == 0) {
            pump->WaitForMessage(kWaitForever);
            continue;
        }
        const uint32_t elapsed = clock->NowMs() - app.LastTickTime;
        if (elapsed <= kTickGateMs) {
            pump->WaitForMessage(kTickGateMs + 1 - elapsed);
            continue;
        }
        app.FrameCounter += 1;
        if (app.FrameSkipPeriod != 0) {
            if (app.FrameSkipCountdown > 0) {
                app.FrameSkipCountdown -= 1;
                app.LastTickTime = clock->NowMs();
                continue;
            }
            app.FrameSkipCountdown = app.FrameSkipPeriod;
        }
        FrameDriver(g);
        // Taken after the frame: the gate measures from the end of the previous frame.
        app.LastTickTime = clock->NowMs();
    }
}

int FrameDriver(Game& g) {
    AppState& app = g.app;
    switch (app.AppPhase) {
    case PhaseStartup:
        if (!InitDisplay(DisplayOf(g))) {
            app.InitFailureFlags = InitFailedDisplay;
            app.AppPhase = PhaseFailed;
            break;
        }
        if (!DetectJoystick(g.input, g.platform.joystick)) {
            app.InitFailureFlags = InitFailedJoystick;
            app.AppPhase = PhaseFailed;
        }
        // Sound and music are optional: without them the game runs silent.
        InitSound(g.sound, g.platform.sound);
        OpenMusic(MusicOf(g));
        if (app.AppPhase == PhaseStartup) app.AppPhase = PhaseRunning;
        break;
    case PhaseRunning:
        gf_DD_ScrFill(DisplayOf(g), BackBufferOf(g.display), 0);
        SceneFrame(g);
        if (g.platform.observer != nullptr) g.platform.observer->FrameFinished();
        PresentFrame(DisplayOf(g), ClientAreaOf(g.window));
        break;
    case PhaseShutdown:
        CloseMusic(MusicOf(g));
        ShutdownDisplay(DisplayOf(g));
        ShutdownSound(g.sound, g.platform.sound);
        app.AppPhase = PhaseStopped;
        break;
    case PhaseFailed:
        ShowFailureReport(g);
        app.AppPhase = PhaseShutdown;
        break;
    default:
        break; // PhaseStopped and unknown values: nothing
    }
    return 1;
}

int RequestShutdown(Game& g) {
    g.app.AppPhase = PhaseShutdown;
    FrameDriver(g);
    return 1;
}

} // namespace vorna
