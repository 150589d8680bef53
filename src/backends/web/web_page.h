// The page as the game's window: its events (queued by the page's script), the message pump, boxes and clock.
#pragma once
#include <cstdint>
#include <deque>

#include "backends/web/web_input.h"
#include "backends/web/web_presenter.h"
#include "base/game.h"

namespace vorna {

// What the page's script tells the program; the numbers are shared with vorna_page.js.
enum class PageEvent : int {
    Focus = 1,      // a = 1 when the page has the focus, 0 when it lost it (or was hidden)
    Command = 2,    // a = a window command (a size or the version box)
    Close = 3,      // the user asked to end the game (Esc)
    FullScreen = 4, // a = 1 on entering full screen at b x c pixels, 0 on leaving it
};

struct QueuedPageEvent {
    PageEvent kind;
    int32_t a, b, c;
};

class WebPage : public MessagePump, public Shell, public Clock {
public:
    explicit WebPage(Game& g);
    WebPage(const WebPage&) = delete;
    WebPage& operator=(const WebPage&) = delete;

    // Sets up the canvas at the initial client size and makes the game the active application.
    void Open();
    WebPresenter& Presenter() { return presenter_; }
    WebKeyboard& Keyboard() { return keyboard_; }
    void Post(const QueuedPageEvent& e);
    bool Ended() const { return quitPosted_; }

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
    void Dispatch(const QueuedPageEvent& e);
    void RunCommand(int command);
    void ShowVersionBox();
    void SetClientSize(int32_t width, int32_t height, bool letterboxed);
    void SetActive(bool active);
    void OnClose();

    Game& game_;
    WebPresenter presenter_;
    WebKeyboard keyboard_;
    std::deque<QueuedPageEvent> events_;
    int32_t windowedWidth_ = 0, windowedHeight_ = 0;
    bool fullScreenPage_ = false;
    bool quitPosted_ = false;
};

} // namespace vorna
