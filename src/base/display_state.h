// State of the display: mode flags, the frame and sheet surfaces and the palette copy.
#pragma once
#include <cstdint>

#include "base/surface.h"
#include "platform/presenter.h"
#include "platform/shell.h"

namespace vorna {

struct DisplayState {
    // Mode flags set by the command line (and by the window when the user accepts full screen).
    int32_t FullScreenMode = 0;
    int32_t EmulationOnly = 1;
    int32_t SystemMemorySurfaces = 1;

    int32_t DisplayReady = 0;
    bool deviceCreated = false; // the DirectDraw object exists (the sheet lives with it)
    Surface BackBuffer;         // the 320 x 240 frame every scene draws into
    Surface SheetSurface;       // the graphics sheet
    PaletteEntry PaletteEntries[256] = {};
};

// What the drawing family and the display routines take instead of the whole game: the display state, the
// presenter that restores the primary and the palette when a surface is found lost, and the shell their
// debug lines go to. Both pointers may be null (no presenter, no debug output).
struct DisplayContext {
    DisplayState& display;
    Presenter* presenter;
    Shell* shell;
};

} // namespace vorna
