// The desktop program's window: creation, its events (the window procedure), the message pump and the shell.
#pragma once
#include <SDL.h>

#include <memory>

#include "backends/sdl2/debug_lines.h"
#include "backends/sdl2/sdl2_popup_menu.h"
#include "backends/sdl2/sdl2_presenter.h"
#include "backends/sdl2/sdl2_text.h"
#include "backends/sdl2/x11_event_check.h"
#include "base/game.h"

namespace vorna {

class Sdl2Desktop : public MessagePump, public Shell, public Clock {
public:
    explicit Sdl2Desktop(Game& g);
    Sdl2Desktop(const Sdl2Desktop&) = delete;
    Sdl2Desktop& operator=(const Sdl2Desktop&) = delete;
    ~Sdl2Desktop() override;

    // Creates and shows the main window; on failure the user has been told and the program must end.
    bool CreateMainWindow();
    SDL_Window* Window() const { return window_; }
    Sdl2Presenter* Presenter() const { return presenter_.get(); }
    // Safe from any thread: asks the main loop to bring the window to the front (a later copy started).
    static void PostRaiseRequest();

    // MessagePump
    bool Peek() override;
    bool GetAndDispatch(int& quitCode) override;
    void WaitForMessage(uint32_t timeoutMs) override;
    // Shell
    int MessageBox(const char* text, const char* caption, unsigned style) override;
    void DebugOutput(const char* text) override;
    // Clock
    uint32_t NowMs() override;

private:
    void Dispatch(const SDL_Event& e);
    void OnWindowEvent(const SDL_WindowEvent& e);
    void OnClose();
    void Destroy();
    void RunCommand(int command);
    void Repaint();
    void Raise();
    void SetActive(bool active);
    void ApplyIcon();
    bool CanWaitOnConnection() const;
    void WaitOnConnection(uint32_t timeoutMs);

    // How often a wait that sleeps on the X connection still lets SDL pump (signals, hot-plugging).
    static constexpr uint32_t kFullPumpIntervalMs = 100;

    Game& game_;
    SDL_Window* window_ = nullptr;
    std::unique_ptr<Sdl2Presenter> presenter_;
    std::unique_ptr<TextRenderer> menuText_;
    std::unique_ptr<PopupMenu> menu_;
    std::unique_ptr<X11EventCheck> eventCheck_;
    uint32_t lastFullPumpMs_ = 0;
    DebugLineFolder debug_;
    bool quitPosted_ = false;
    bool destroyed_ = false;
};

} // namespace vorna
