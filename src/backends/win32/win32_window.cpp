// The Windows program's main window: class, creation, window mode, system menu and the window procedure.
#include "backends/win32/win32_headers.h"

#include "backends/win32/win32_window.h"

#include "app/desktop_rules.h"
#include "app/shell.h"
#include "app/window_metrics.h"
#include "backends/win32/colour_question.h"
#include "backends/win32/win32_about.h"
#include "backends/win32/win32_text.h"
#include "gfx/display.h"
#include "gfx/primitives.h"

namespace vorna {

namespace {

// The window procedure has no parameter of its own: it finds the one program here.
Win32Program* g_program = nullptr;

constexpr DWORD kWindowStyle = 0x80CF0000u; // popup with caption, system menu, sizing frame, min and max boxes
constexpr DWORD kFullScreenStyle = WS_POPUP;
constexpr DWORD kFullScreenExStyle = 0x80000000u;
constexpr UINT kSetWindowPosFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW;
constexpr WPARAM kScreenSaveCommand = 0xF140;
constexpr WPARAM kMonitorPowerCommand = 0xF170;
constexpr int kAboutDialogId = 115;

HICON LoadGameIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(LoadImageA(instance, "ICN_01", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// The frame adjustment of a rectangle that already counts the borders; the window gets its right and
// bottom edges as its size.
void SizeWindowToClient(HWND window, int32_t clientWidth, int32_t clientHeight, int32_t x, int32_t y, UINT flags) {
    const SizeRect s = SizeRectForClient(g_program->game->window, clientWidth, clientHeight);
    RECT r{s.left, s.top, s.right, s.bottom};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, x, y, r.right, r.bottom, flags);
}

void AttachPaletteAgain(Game& g) {
    if (g.platform.presenter != nullptr && g.platform.presenter->HasPalette()) g.platform.presenter->AttachPalette();
}

LRESULT OnSysCommand(Win32Program& p, HWND window, WPARAM command, LPARAM lParam) {
    // The command is compared whole: the system's low four bits are not masked off.
    if (command == kScreenSaveCommand || command == kMonitorPowerCommand) return 0;
    int32_t w = 0, h = 0;
    if (ClientSizeForCommand(static_cast<int>(command), w, h)) {
        SizeWindowToClient(window, w, h, 0, 0, SWP_NOZORDER | SWP_NOMOVE);
        return 0;
    }
    if (command == CmdVersionInfo) {
        DialogBoxParamA(p.instance, MAKEINTRESOURCEA(kAboutDialogId), window, AboutDialogProc, 0);
        return 0;
    }
    return DefWindowProcA(window, WM_SYSCOMMAND, command, lParam);
}

} // namespace

void Win32Program::Attach(Game& g, HINSTANCE inst) {
    game = &g;
    instance = inst;
    g_program = this;
    Platform& p = g.platform;
    p.clock = &clock;
    p.pump = &pump;
    p.keyboard = &keyboard;
    p.joystick = &joystick;
    p.presenter = &presenter;
    p.sound = &sound;
    p.midi = &midi;
    p.shell = &shell;
    p.resources = &resources;
    p.files = &files;
}

int CreateMainWindow(Win32Program& p, int showCommand) {
    Game& g = *p.game;
    WNDCLASSEXA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.style = CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = p.instance;
    wc.hIcon = LoadGameIcon(p.instance, 32);
    wc.hIconSm = LoadGameIcon(p.instance, 16);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hbrBackground = nullptr;                                 // the window never erases its background
    wc.lpszClassName = kWindowClassName;
    const ATOM registered = RegisterClassExA(&wc);
    if (registered != 0) {
        p.window = CreateWindowExA(0, kWindowClassName, kGameTitle, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, p.instance, nullptr);
    }
    p.shell.SetOwner(p.window);
    if (registered == 0 || p.window == nullptr) {
        ReportWindowCreationFailed(&p.shell);
        return 0;
    }
    p.presenter.SetWindow(p.window);
    p.sound.SetWindow(p.window);
    SetClassLongPtrA(p.window, GCLP_HICON, reinterpret_cast<LONG_PTR>(LoadIconA(p.instance, "ICN_01")));

    HDC dc = GetDC(p.window);
    const int rasterCaps = GetDeviceCaps(dc, RASTERCAPS);
    const int depth = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    g.window.ScreenWidth = GetDeviceCaps(dc, HORZRES);
    g.window.ScreenHeight = GetDeviceCaps(dc, VERTRES);
    PALETTEENTRY system[256];
    ZeroMemory(system, sizeof system);
    GetSystemPaletteEntries(dc, 0, 256, system);
    for (int i = 0; i < 256; ++i)
        g.display.PaletteEntries[i] =
            PaletteEntry{system[i].peRed, system[i].peGreen, system[i].peBlue, system[i].peFlags};
    SetSystemPaletteUse(dc, SYSPAL_STATIC);
    ReleaseDC(p.window, dc);

    // A desktop without a palette shows the window through a converted frame (the presenter's
    // true-colour path); only a desktop too poor for that still needs the switch to full screen.
    if (NeedsColourQuestion(rasterCaps, depth, g.display.FullScreenMode != 0)) {
        const int answer =
            p.shell.MessageBox(kColourQuestionText, kGameTitle, MB_YESNO_STYLE | MB_ICONINFORMATION_STYLE);
        if (answer != IDYES_ANSWER) return 0;
        g.display.FullScreenMode = 1;
    }
    ApplyWindowMode(p, p.window);
    ShowWindow(p.window, showCommand);
    UpdateWindow(p.window);
    SetFocus(p.window);
    return 1;
}

int ApplyWindowMode(Win32Program& p, HWND window) {
    Game& g = *p.game;
    if (g.display.FullScreenMode) {
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(kFullScreenStyle));
        SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(kFullScreenExStyle));
        return 1;
    }
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(kWindowStyle));
    SetWindowLongA(window, GWL_EXSTYLE, WS_EX_APPWINDOW);
    InitialWindowGeometry(g.window, GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYCAPTION));
    SizeWindowToClient(window, kInitialClientWidth, kInitialClientHeight, g.window.ClientX, g.window.ClientY,
                       kSetWindowPosFlags);

    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) return 1;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); // between the system's own items and ours
    for (const MenuItem& item : kMenuItems) {
        if (item.command == CmdNone)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.command), Utf8ToWide(item.text).c_str());
    }
    return 1;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_program == nullptr || g_program->game == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    Win32Program& p = *g_program;
    Game& g = *p.game;
    switch (message) {
    case WM_DESTROY:
        RequestShutdown(g);
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        if (ConfirmClose(g, &p.shell)) DestroyWindow(window);
        return 0;
    case WM_ACTIVATEAPP:
        g.app.AppActive = static_cast<int32_t>(wParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        if (!g.display.FullScreenMode && g.display.DisplayReady) PresentFrame(DisplayOf(g), ClientAreaOf(g.window));
        EndPaint(window, &ps);
        return 1;
    }
    case WM_MOVE:
        g.window.ClientX = SignedLowWord(static_cast<uint32_t>(lParam));
        g.window.ClientY = SignedHighWord(static_cast<uint32_t>(lParam));
        UpdateWindow(window);
        break;
    case WM_SIZE:
        g.window.ClientWidth = static_cast<int32_t>(LOWORD(lParam));
        g.window.ClientHeight = static_cast<int32_t>(HIWORD(lParam));
        UpdateWindow(window);
        break;
    case WM_SETCURSOR:
        if (g.display.FullScreenMode && g.app.AppActive) {
            SetCursor(nullptr);
            return 1;
        }
        break;
    case WM_GETMINMAXINFO: {
        const SizeRect s = SizeRectForClient(g.window, kFrameWidth, kFrameHeight);
        RECT r{s.left, s.top, s.right, s.bottom};
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), TRUE,
                           static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{r.right, r.bottom};
        return 0;
    }
    case WM_DISPLAYCHANGE:
        g.window.ScreenWidth = static_cast<int32_t>(LOWORD(lParam));
        g.window.ScreenHeight = static_cast<int32_t>(HIWORD(lParam));
        break;
    case WM_KEYDOWN:
        return 0;
    case WM_KEYUP:
        // Releasing Esc, not pressing it, asks to close.
        if (wParam == VK_ESCAPE) PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(p, window, wParam, lParam);
    case WM_QUERYNEWPALETTE:
        if (!g.display.DisplayReady) break;
        AttachPaletteAgain(g);
        return 1;
    case WM_PALETTECHANGED:
    case WM_WININICHANGE:
        if (!g.display.DisplayReady) break;
        if (reinterpret_cast<HWND>(wParam) != window) {
            gf_DD_ScrFill(DisplayOf(g), BackBufferOf(g.display), 0);
            PresentFrame(DisplayOf(g), ClientAreaOf(g.window));
        }
        AttachPaletteAgain(g);
        return 1;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace vorna
