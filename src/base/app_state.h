// State of the application shell: phases, pacing, the window's geometry and the about box animation.
#pragma once
#include <cstdint>

namespace vorna {

enum AppPhaseCode : int32_t {
    PhaseStartup = 1,
    PhaseRunning = 64,
    PhaseShutdown = 128,
    PhaseStopped = 129,
    PhaseFailed = 250,
};

// The bits of InitFailureFlags, one per kind of start-up failure the report can name.
enum InitFailureBit : int32_t {
    InitFailedGeneral = 0x1,
    InitFailedDisplay = 0x2,
    InitFailed3D = 0x4,
    InitFailedSound = 0x8,
    InitFailedJoystick = 0x10, // the report has no line for it: the box shows only the header and closing
    InitFailedMidiStream = 0x20,
    InitFailedFile = 0x100,
    InitFailedMemory = 0x200,
    InitFailedFatal = 0x10000,
};

struct AppState {
    int32_t AppPhase = 0;
    int32_t InitFailureFlags = 0;
    uint32_t FrameCounter = 0;
    uint32_t LastTickTime = 0;
    int32_t FrameSkipPeriod = 0;
    int32_t FrameSkipCountdown = 0;
    int32_t AppActive = 0;
};

// The main window's geometry as the size logic and presentation read it.
struct WindowState {
    int32_t ScreenWidth = 0;
    int32_t ScreenHeight = 0;
    int32_t BorderX = 0;
    int32_t BorderY = 0;
    int32_t ClientX = 0;
    int32_t ClientY = 0;
    int32_t ClientWidth = 640;
    int32_t ClientHeight = 480;
};

// The about box's credit panel animation, kept for the whole process.
struct AboutState {
    int32_t OrbitX = 10;
    int32_t CreditScroll = 0;
    int32_t StarScroll = 0;
};

} // namespace vorna
