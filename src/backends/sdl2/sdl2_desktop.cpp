// The desktop program's window: creation, its events (the window procedure), the message pump and the shell.
#include "backends/sdl2/sdl2_desktop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/desktop_rules.h"
#include "app/shell.h"
#include "app/window_metrics.h"
#include "backends/sdl2/desktop_layout.h"
#include "backends/sdl2/icon_image.h"
#include "backends/sdl2/sdl2_about.h"
#include "platform/embedded_assets.h"

namespace vorna {

namespace {

constexpr Sint32 kRaiseCode = 0x52414953; // a later copy asked us to show ourselves
constexpr int kMenuPointSize = 13;

std::FILE* DebugSink() {
    return std::getenv("VORNA_DEBUG") != nullptr ? stderr : nullptr;
}

} // namespace

Sdl2Desktop::Sdl2Desktop(Game& g) : game_(g), debug_(DebugSink()) {}

Sdl2Desktop::~Sdl2Desktop() {
    menu_.reset();
    menuText_.reset();
    presenter_.reset();
    if (window_ != nullptr) SDL_DestroyWindow(window_);
}

void Sdl2Desktop::PostRaiseRequest() {
    SDL_Event e{};
    e.type = SDL_USEREVENT;
    e.user.code = kRaiseCode;
    SDL_PushEvent(&e);
}

bool Sdl2Desktop::CreateMainWindow() {
    const bool fullScreen = game_.display.FullScreenMode != 0;
    PixelRect usable{0, 0, kInitialClientWidth, kInitialClientHeight};
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(0, &bounds) == 0) usable = {bounds.x, bounds.y, bounds.w, bounds.h};
    const PixelRect at{usable.x + CentredOrigin(usable.w, kInitialClientWidth),
                       usable.y + CentredOrigin(usable.h, kInitialClientHeight), kInitialClientWidth,
                       kInitialClientHeight};
    window_ = SDL_CreateWindow(kGameTitle, at.x, at.y, at.w, at.h,
                               SDL_WINDOW_HIDDEN | (fullScreen ? 0 : SDL_WINDOW_RESIZABLE));
    if (window_ == nullptr) {
        ReportWindowCreationFailed(this);
        return false;
    }
    ApplyIcon();
    // The smallest client area the window may be dragged to holds the frame unscaled.
    SDL_SetWindowMinimumSize(window_, kFrameWidth, kFrameHeight);
    presenter_ = std::make_unique<Sdl2Presenter>(window_);
    menuText_ = std::make_unique<TextRenderer>(kMenuPointSize);
    menu_ = std::make_unique<PopupMenu>(*menuText_);
    eventCheck_ = std::make_unique<X11EventCheck>(window_);

    WindowState& w = game_.window;
    w.ScreenWidth = usable.w;
    w.ScreenHeight = usable.h;
    w.BorderX = 0; // the window manager draws the frame outside the client area
    w.BorderY = 0;
    w.ClientX = at.x;
    w.ClientY = at.y;
    w.ClientWidth = kInitialClientWidth;
    w.ClientHeight = kInitialClientHeight;

    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    // Showing the window activates the application, as on Windows; focus events take over from here.
    SetActive(true);
    return true;
}

void Sdl2Desktop::ApplyIcon() {
    ByteView view{};
    IconImage icon;
    if (!FindEmbeddedAsset("ICN_01", "ICON", view) || !DecodeIcon(view.data, view.size, 32, icon)) return;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon.argb.data(), icon.width, icon.height, 32, icon.width * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return;
    SDL_SetWindowIcon(window_, s);
    SDL_FreeSurface(s);
}

void Sdl2Desktop::SetActive(bool active) {
    game_.app.AppActive = active ? 1 : 0;
    // In full screen the pointer is hidden while the game is the active application.
    if (game_.display.FullScreenMode != 0) SDL_ShowCursor(active ? SDL_DISABLE : SDL_ENABLE);
}

bool Sdl2Desktop::Peek() {
    if (quitPosted_) return true;
    // The loop asks before every wait and every tick; a full SDL pump costs a dozen system calls each time.
    // It is skipped only when the window system surely has nothing and no joystick needs reading (SDL
    // reads joysticks in the pump); whatever SDL queued itself is seen all the same.
    if (eventCheck_ == nullptr || SDL_NumJoysticks() > 0 || eventCheck_->MayHaveEvents()) SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

bool Sdl2Desktop::GetAndDispatch(int& quitCode) {
    if (quitPosted_) {
        quitCode = 0;
        return false;
    }
    SDL_Event e;
    if (SDL_PollEvent(&e)) Dispatch(e);
    return true;
}

void Sdl2Desktop::WaitForMessage(uint32_t timeoutMs) {
    if (quitPosted_) return;
    if (presenter_ != nullptr && presenter_->HasPendingFrame()) {
        // The time until the next tick is the frame's time on screen: show it first, then wait for the rest.
        const Uint32 start = SDL_GetTicks();
        presenter_->ShowPendingFrame();
        const Uint32 spent = SDL_GetTicks() - start;
        if (timeoutMs != kWaitForever) {
            if (spent >= timeoutMs) return;
            timeoutMs -= spent;
        }
    }
    if (timeoutMs == kWaitForever) {
        SDL_WaitEvent(nullptr);
    } else if (CanWaitOnConnection()) {
        WaitOnConnection(timeoutMs);
    } else {
        SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMs));
    }
}

bool Sdl2Desktop::CanWaitOnConnection() const {
    // SDL reads joysticks only in its pump, so with one open every wait goes through SDL.
    return eventCheck_ != nullptr && eventCheck_->CanWait() && SDL_NumJoysticks() == 0;
}

void Sdl2Desktop::WaitOnConnection(uint32_t timeoutMs) {
    // SDL's timed wait pumps before it sleeps: a dozen system calls a frame for nothing while the window
    // system is quiet. Sleeping on the X connection wakes for everything the window does; what only a pump
    // notices (a signal's quit, a joystick plugged in) is picked up by a full pump now and then.
    if (!eventCheck_->MayHaveEvents()) eventCheck_->WaitForData(timeoutMs);
    const Uint32 now = SDL_GetTicks();
    if (now - lastFullPumpMs_ >= kFullPumpIntervalMs) {
        SDL_PumpEvents();
        lastFullPumpMs_ = now;
    }
}

uint32_t Sdl2Desktop::NowMs() {
    // The loop reads the clock just before each tick: the pacing log counts the tick's cost from there.
    if (presenter_ != nullptr) presenter_->NoteTickStart(SDL_GetPerformanceCounter());
    return SDL_GetTicks();
}

void Sdl2Desktop::Dispatch(const SDL_Event& e) {
    if (destroyed_) return;
    const Uint32 id = window_ != nullptr ? SDL_GetWindowID(window_) : 0;
    const bool windowed = game_.display.FullScreenMode == 0;
    switch (e.type) {
    case SDL_QUIT: // a signal or the session ending: no question to ask
        Destroy();
        break;
    case SDL_WINDOWEVENT:
        if (e.window.windowID == id) OnWindowEvent(e.window);
        break;
    case SDL_KEYUP:
        if (e.key.windowID == id && e.key.keysym.sym == SDLK_ESCAPE && menu_ != nullptr && !menu_->TakeEscapeSwallow())
            OnClose();
        break;
    case SDL_KEYDOWN: {
        // A fresh press of Esc: whatever the menu swallowed before is over (its release may have gone elsewhere).
        if (e.key.keysym.sym == SDLK_ESCAPE && e.key.repeat == 0 && menu_ != nullptr) menu_->TakeEscapeSwallow();
        if (e.key.windowID != id || e.key.repeat != 0 || !windowed) break;
        const SDL_Keycode k = e.key.keysym.sym;
        const bool ctrl = (e.key.keysym.mod & KMOD_CTRL) != 0;
        const int key = k == SDLK_F1 ? kShortcutF1 : (k >= SDLK_1 && k <= SDLK_5 ? static_cast<int>(k) : 0);
        const int command = ShortcutCommand(key, ctrl);
        if (command != CmdNone) {
            RunCommand(command);
        } else if (k == SDLK_APPLICATION || (k == SDLK_F10 && (e.key.keysym.mod & KMOD_SHIFT) != 0)) {
            RunCommand(menu_->Run(*presenter_, window_, 8, 8, [this](const SDL_Event& o) { Dispatch(o); }));
        }
        break;
    }
    case SDL_MOUSEBUTTONUP:
        if (e.button.windowID == id && e.button.button == SDL_BUTTON_RIGHT && windowed &&
            game_.display.DisplayReady != 0) {
            RunCommand(
                menu_->Run(*presenter_, window_, e.button.x, e.button.y, [this](const SDL_Event& o) { Dispatch(o); }));
        }
        break;
    case SDL_USEREVENT:
        if (e.user.code == kRaiseCode) Raise();
        break;
    default:
        break;
    }
}

void Sdl2Desktop::OnWindowEvent(const SDL_WindowEvent& e) {
    WindowState& w = game_.window;
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
        OnClose();
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED:
        SetActive(true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        SetActive(false);
        break;
    case SDL_WINDOWEVENT_MOVED:
        w.ClientX = e.data1;
        w.ClientY = e.data2;
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        w.ClientWidth = e.data1;
        w.ClientHeight = e.data2;
        Repaint();
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        Repaint();
        break;
    default:
        break;
    }
}

void Sdl2Desktop::Repaint() {
    if (presenter_ != nullptr && game_.display.DisplayReady != 0) presenter_->Repaint();
}

void Sdl2Desktop::Raise() {
    if (window_ == nullptr) return;
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0) SDL_RestoreWindow(window_);
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
}

void Sdl2Desktop::OnClose() {
    if (destroyed_) return;
    if (ConfirmClose(game_, this)) {
        Destroy();
        return;
    }
    SetActive(true); // the answer was No to our own question: the game goes on as the active application
}

void Sdl2Desktop::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    RequestShutdown(game_);
    if (window_ != nullptr) SDL_HideWindow(window_);
    quitPosted_ = true;
}

void Sdl2Desktop::RunCommand(int command) {
    if (command == CmdNone || window_ == nullptr || game_.display.FullScreenMode != 0) return;
    if (command == CmdVersionInfo) {
        RunAboutBox(game_, window_, [this](const SDL_Event& o) { Dispatch(o); });
        // Focus moved between our own windows only: the application stays the active one, as on Windows,
        // even where no window manager hands the focus back.
        SetActive(true);
        return;
    }
    int32_t width = 0, height = 0;
    if (!ClientSizeForCommand(command, width, height)) return;
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0) SDL_RestoreWindow(window_);
    SDL_SetWindowSize(window_, width, height); // the window keeps its position
}

int Sdl2Desktop::MessageBox(const char* text, const char* caption, unsigned style) {
    const bool yesNo = (style & 0xF) == MB_YESNO_STYLE;
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if ((style & 0xF0) == MB_ICONERROR_STYLE) flags = SDL_MESSAGEBOX_ERROR;
    if ((style & 0xF0) == MB_ICONQUESTION_STYLE) flags = SDL_MESSAGEBOX_WARNING;
    SDL_MessageBoxButtonData buttons[2];
    int count = 0;
    if (yesNo) {
        buttons[count++] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES_ANSWER, kYesButtonText};
        buttons[count++] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO_ANSWER, kNoButtonText};
    } else {
        buttons[count++] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                            IDOK_ANSWER, kOkButtonText};
    }
    SDL_Window* owner = window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) ? window_ : nullptr;
    const SDL_MessageBoxData data{
        flags | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT, owner, caption, text, count, buttons, nullptr};
    int answer = 0;
    // A box closed without a button counts as No (or OK).
    if (SDL_ShowMessageBox(&data, &answer) == 0) return answer != -1 ? answer : (yesNo ? IDNO_ANSWER : IDOK_ANSWER);
    // No box could be shown (no display): the text still reaches the user, and a question that cannot be
    // asked must not keep the window from closing.
    std::fprintf(stderr, "%s: %s\n", caption != nullptr ? caption : "", text != nullptr ? text : "");
    return AnswerWithoutBox(style);
}

void Sdl2Desktop::DebugOutput(const char* text) {
    debug_.Write(text);
}

} // namespace vorna
