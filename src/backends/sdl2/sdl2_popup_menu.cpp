// The right-click menu of the game window: drawn over the picture at presentation time, modal while open.
#include "backends/sdl2/sdl2_popup_menu.h"

#include <algorithm>
#include <cctype>

namespace vorna {

namespace {

constexpr SDL_Color kMenuFace{240, 240, 240, 255};
constexpr SDL_Color kMenuEdge{128, 128, 128, 255};
constexpr SDL_Color kMenuText{0, 0, 0, 255};
constexpr SDL_Color kHotFace{51, 153, 255, 255};
constexpr SDL_Color kHotText{255, 255, 255, 255};

void Fill(SDL_Renderer* r, const SDL_Rect& rect, SDL_Color c) {
    SDL_SetRenderDrawColor(r, c.r, c.g, c.b, c.a);
    SDL_RenderFillRect(r, &rect);
}

SDL_Rect ToSdl(const PixelRect& p) {
    return SDL_Rect{p.x, p.y, p.w, p.h};
}

} // namespace

MenuMetrics PopupMenu::Metrics() const {
    const int line = std::max(text_.LineHeight(), 14);
    int widest = 0;
    for (const MenuItem& item : kMenuItems) {
        char shown[128];
        MenuDisplayText(item.text, shown, sizeof shown);
        int w = 0, h = 0;
        text_.Measure(shown, w, h);
        widest = std::max(widest, w);
    }
    return MenuMetrics{line + 6, 9, std::max(widest + 48, 160), 3};
}

void PopupMenu::Draw(SDL_Renderer* r) const {
    Fill(r, ToSdl(layout_.frame), kMenuEdge);
    const PixelRect& f = layout_.frame;
    Fill(r, SDL_Rect{f.x + 1, f.y + 1, f.w - 2, f.h - 2}, kMenuFace);
    for (int i = 0; i < kMenuItemCount; ++i) {
        const SDL_Rect row = ToSdl(layout_.rows[i]);
        if (kMenuItems[i].command == CmdNone) {
            Fill(r, SDL_Rect{row.x + 4, row.y + row.h / 2, row.w - 8, 1}, kMenuEdge);
            continue;
        }
        if (i == hot_) Fill(r, row, kHotFace);
        char shown[128];
        MenuDisplayText(kMenuItems[i].text, shown, sizeof shown);
        int w = 0, h = 0;
        text_.Measure(shown, w, h);
        text_.DrawAt(r, shown, row.x + 24, row.y + (row.h - h) / 2, i == hot_ ? kHotText : kMenuText);
    }
}

int PopupMenu::Run(Sdl2Presenter& presenter, SDL_Window* window, int x, int y,
                   const std::function<void(const SDL_Event&)>& otherEvent) {
    int w = 0, h = 0;
    if (presenter.Renderer() == nullptr) return CmdNone;
    SDL_GetRendererOutputSize(presenter.Renderer(), &w, &h);
    layout_ = LayOutMenu(Metrics(), x, y, w, h);
    hot_ = -1;
    const Uint32 windowId = SDL_GetWindowID(window);
    presenter.SetOverlay([this](SDL_Renderer* r) { Draw(r); });
    presenter.Repaint();

    int chosen = CmdNone;
    bool open = true;
    SDL_Event e;
    while (open && SDL_WaitEvent(&e)) {
        int hot = hot_;
        switch (e.type) {
        case SDL_MOUSEMOTION:
            if (e.motion.windowID == windowId) hot = MenuRowAt(layout_, e.motion.x, e.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN: {
            const PixelRect& f = layout_.frame;
            const bool inside =
                e.button.x >= f.x && e.button.x < f.x + f.w && e.button.y >= f.y && e.button.y < f.y + f.h;
            if (e.button.windowID != windowId || !inside) open = false;
            break;
        }
        case SDL_MOUSEBUTTONUP:
            if (e.button.windowID == windowId) {
                const int row = MenuRowAt(layout_, e.button.x, e.button.y);
                if (row >= 0) {
                    chosen = kMenuItems[row].command;
                    open = false;
                }
            }
            break;
        case SDL_KEYDOWN:
            switch (e.key.keysym.sym) {
            case SDLK_ESCAPE:
                swallowEscape_ = true;
                open = false;
                break;
            case SDLK_UP:
                hot = NextMenuRow(hot_, -1);
                break;
            case SDLK_DOWN:
                hot = NextMenuRow(hot_, +1);
                break;
            case SDLK_RETURN:
            case SDLK_KP_ENTER:
            case SDLK_SPACE:
                if (hot_ >= 0) chosen = kMenuItems[hot_].command;
                open = hot_ < 0 ? open : false;
                break;
            default:
                if (e.key.keysym.sym >= SDLK_a && e.key.keysym.sym <= SDLK_z) {
                    const int row = MenuRowForMnemonic(static_cast<char>(std::toupper(e.key.keysym.sym)));
                    if (row >= 0) {
                        chosen = kMenuItems[row].command;
                        open = false;
                    }
                }
                break;
            }
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST || e.window.event == SDL_WINDOWEVENT_MINIMIZED ||
                e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                open = false;
                otherEvent(e);
            } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                open = false;
                SDL_PushEvent(&e); // the close question comes after the menu, from the main loop
            } else {
                otherEvent(e);
            }
            break;
        case SDL_QUIT:
            open = false;
            SDL_PushEvent(&e);
            break;
        default:
            otherEvent(e);
            break;
        }
        if (open && hot != hot_) {
            hot_ = hot;
            presenter.Repaint();
        }
    }
    presenter.SetOverlay(nullptr);
    presenter.Repaint();
    return chosen;
}

} // namespace vorna
