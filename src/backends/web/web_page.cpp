// The page as the game's window: its events (queued by the page's script), the message pump, boxes and clock.
#include "backends/web/web_page.h"

#include <emscripten.h>

#include <string>

#include "app/about_panel.h"
#include "app/desktop_rules.h"
#include "app/shell.h"
#include "app/window_metrics.h"

namespace vorna {

namespace {

constexpr int kNoTimeout = -1;
constexpr int kMenuTextBytes = 128;

// The bodies below are JavaScript, which the formatter would break.
// clang-format off
// Resolves when the page's script posts an event or after timeoutMs (never with kNoTimeout).
EM_ASYNC_JS(void, vorna_wait_for_event, (int timeoutMs), { await Module.vornaWaitForEvent(timeoutMs); });

EM_ASYNC_JS(int, vorna_message_box,
            (const char* text, const char* caption, int yesNo, const char* yes, const char* no, const char* ok), {
                return await Module.vornaMessageBox(UTF8ToString(text), UTF8ToString(caption), yesNo !== 0,
                                                    UTF8ToString(yes), UTF8ToString(no), UTF8ToString(ok));
            });

// The version box's texts, each line separated by "\n"; the credit rows likewise.
EM_ASYNC_JS(void, vorna_version_box, (const char* caption, const char* lines, const char* credits, const char* close), {
    await Module.vornaVersionBox(UTF8ToString(caption), UTF8ToString(lines), UTF8ToString(credits),
                                 UTF8ToString(close));
});

EM_JS(void, vorna_set_canvas_size, (int width, int height), { Module.vornaSetCanvasSize(width, height); });

// The window's menu items, handed to the page which shows them as buttons posting their command.
EM_JS(void, vorna_add_menu_item, (int command, const char* text),
      { Module.vornaAddMenuItem(command, UTF8ToString(text)); });

EM_JS(void, vorna_debug_output, (const char* text), { console.debug(UTF8ToString(text)); });

// clang-format on

std::string DisplayText(const char* text) {
    char shown[kMenuTextBytes];
    MenuDisplayText(text, shown, sizeof shown);
    return shown;
}

} // namespace

WebPage::WebPage(Game& g) : game_(g) {}

void WebPage::Open() {
    for (const MenuItem& item : kMenuItems) vorna_add_menu_item(item.command, DisplayText(item.text).c_str());
    WindowState& w = game_.window;
    w.BorderX = 0;
    w.BorderY = 0;
    w.ClientX = 0;
    w.ClientY = 0;
    SetClientSize(kInitialClientWidth, kInitialClientHeight, false);
    // Opening the page activates the game, as showing the window does on the desktop.
    SetActive(true);
}

void WebPage::Post(const QueuedPageEvent& e) {
    events_.push_back(e);
}

void WebPage::SetClientSize(int32_t width, int32_t height, bool letterboxed) {
    WindowState& w = game_.window;
    w.ClientWidth = width;
    w.ClientHeight = height;
    if (!letterboxed) {
        windowedWidth_ = width;
        windowedHeight_ = height;
    }
    vorna_set_canvas_size(width, height);
    presenter_.SetOutputSize(width, height, letterboxed);
    if (game_.display.DisplayReady != 0) presenter_.Repaint();
}

void WebPage::SetActive(bool active) {
    game_.app.AppActive = active ? 1 : 0;
    // Keys let go while the page had no focus never report their release.
    if (!active) keyboard_.ReleaseAll();
}

bool WebPage::Peek() {
    return quitPosted_ || !events_.empty();
}

bool WebPage::GetAndDispatch(int& quitCode) {
    if (quitPosted_) {
        quitCode = 0;
        return false;
    }
    if (events_.empty()) return true;
    const QueuedPageEvent e = events_.front();
    events_.pop_front();
    Dispatch(e);
    return true;
}

void WebPage::WaitForMessage(uint32_t timeoutMs) {
    if (Peek()) return;
    vorna_wait_for_event(timeoutMs == kWaitForever ? kNoTimeout : static_cast<int>(timeoutMs));
}

uint32_t WebPage::NowMs() {
    // Milliseconds since the page opened, wrapping like timeGetTime.
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

void WebPage::Dispatch(const QueuedPageEvent& e) {
    switch (e.kind) {
    case PageEvent::Focus:
        SetActive(e.a != 0);
        break;
    case PageEvent::Command:
        RunCommand(e.a);
        break;
    case PageEvent::Close:
        OnClose();
        break;
    case PageEvent::FullScreen:
        fullScreenPage_ = e.a != 0;
        if (fullScreenPage_ && e.b > 0 && e.c > 0)
            SetClientSize(e.b, e.c, true);
        else
            SetClientSize(windowedWidth_, windowedHeight_, false);
        break;
    }
}

void WebPage::RunCommand(int command) {
    if (command == CmdVersionInfo) {
        ShowVersionBox();
        return;
    }
    int32_t width = 0, height = 0;
    if (fullScreenPage_ || !ClientSizeForCommand(command, width, height)) return;
    SetClientSize(width, height, false);
}

void WebPage::ShowVersionBox() {
    const std::string lines = std::string(kAboutTitleLine) + "\n" + kAboutMakersLine + "\n" + kAboutMailLabel + " " +
                              kAboutMail + "\n" + kAboutHomepageLabel + " " + kAboutHomepage;
    std::string credits;
    for (int i = 0; CreditRoll[i] != nullptr; ++i) credits += std::string(CreditRoll[i]) + "\n";
    AboutDialogOpened(game_);
    vorna_version_box(kGameTitle, lines.c_str(), credits.c_str(), DisplayText(kAboutCloseButton).c_str());
}

void WebPage::OnClose() {
    if (quitPosted_) return;
    if (!ConfirmClose(game_, this)) return; // No: the game goes on
    RequestShutdown(game_);
    quitPosted_ = true;
}

int WebPage::MessageBox(const char* text, const char* caption, unsigned style) {
    const bool yesNo = (style & 0xF) == MB_YESNO_STYLE;
    const int answer = vorna_message_box(text != nullptr ? text : "", caption != nullptr ? caption : "", yesNo ? 1 : 0,
                                         kYesButtonText, kNoButtonText, kOkButtonText);
    // The box took the focus and handed it back: keys held when it opened were let go in the box.
    keyboard_.ReleaseAll();
    if (yesNo) return answer != 0 ? IDYES_ANSWER : IDNO_ANSWER;
    return IDOK_ANSWER;
}

void WebPage::DebugOutput(const char* text) {
    if (text != nullptr) vorna_debug_output(text);
}

} // namespace vorna
