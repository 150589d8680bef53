// The right-click menu of the game window: drawn over the picture at presentation time, modal while open.
#pragma once
#include <SDL.h>

#include <functional>

#include "backends/sdl2/desktop_layout.h"
#include "backends/sdl2/sdl2_presenter.h"
#include "backends/sdl2/sdl2_text.h"

namespace vorna {

class PopupMenu {
public:
    explicit PopupMenu(TextRenderer& text) : text_(text) {}

    // Runs the menu until a choice or a dismissal; returns the chosen command or CmdNone. Events meant for
    // others (a close request, the quit signal) are put back for the main loop; everything else that is not
    // the menu's goes to otherEvent (repaints, raise requests).
    int Run(Sdl2Presenter& presenter, SDL_Window* window, int x, int y,
            const std::function<void(const SDL_Event&)>& otherEvent);
    // True once after the menu was dismissed by pressing Esc, so that its release does not close the game.
    bool TakeEscapeSwallow() {
        const bool s = swallowEscape_;
        swallowEscape_ = false;
        return s;
    }

private:
    MenuMetrics Metrics() const;
    void Draw(SDL_Renderer* renderer) const;

    TextRenderer& text_;
    MenuLayout layout_{};
    int hot_ = -1;
    bool swallowEscape_ = false;
};

} // namespace vorna
