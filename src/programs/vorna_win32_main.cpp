// vorna.exe: the native Windows program, the game's core on the Win32, DirectDraw, DirectSound and winmm backend.
#include "backends/win32/win32_headers.h"

#include <memory>

#include "app/desktop_rules.h"
#include "app/shell.h"
#include "backends/win32/win32_about.h"
#include "backends/win32/win32_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    using namespace vorna;
    // One copy at a time: a second start brings the first to the front and ends quietly.
    if (HWND first = FindWindowA(kWindowClassName, nullptr)) {
        SetForegroundWindow(first);
        return 0;
    }
    auto game = std::make_unique<Game>();
    auto program = std::make_unique<Win32Program>();
    program->Attach(*game, instance);
    SetAboutGame(game.get());

    ParseCommandLine(*game, commandLine);
    if (!CreateMainWindow(*program, showCommand)) return 0;
    InitAppState(*game);
    // The 12 ms frame gate needs a clock and waits finer than the default 10-16 ms.
    timeBeginPeriod(1);
    const int code = MessageLoop(*game);
    timeEndPeriod(1);
    return code;
}
