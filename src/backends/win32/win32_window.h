// The Windows program's main window: class, creation, window mode, system menu and the window procedure.
#pragma once
#include "backends/win32/win32_headers.h"

#include "backends/win32/win32_audio.h"
#include "backends/win32/win32_presenter.h"
#include "backends/win32/win32_services.h"
#include "base/game.h"

namespace vorna {

// Everything the Windows program owns besides the game itself.
struct Win32Program {
    Game* game = nullptr;
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    Win32Clock clock;
    Win32MessagePump pump;
    Win32Keyboard keyboard;
    Win32Joystick joystick;
    Win32Presenter presenter;
    Win32SoundDevice sound;
    Win32MidiStreamDevice midi;
    Win32Shell shell;
    Win32Resources resources;
    Win32FileSystem files;

    // Hands the devices to the game; the window procedure reaches the program through it.
    void Attach(Game& g, HINSTANCE instance);
};

int CreateMainWindow(Win32Program& program, int showCommand);
int ApplyWindowMode(Win32Program& program, HWND window);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace vorna
