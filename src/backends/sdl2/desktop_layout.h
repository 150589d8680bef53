// The desktop program's own window pieces: the popup menu's layout and its keyboard shortcuts.
#pragma once
#include <cstdint>

#include "app/window_metrics.h"

namespace vorna {

struct PixelRect {
    int x, y, w, h;
};

// Keyboard shortcuts, chosen among keys the game never polls: Ctrl+1..Ctrl+5 pick the sizes in menu order,
// F1 opens the version box. Key is '1'..'5' with ctrl, or kShortcutF1.
constexpr int kShortcutF1 = 0x70;
int ShortcutCommand(int key, bool ctrl);

// The popup menu shows the game's menu items (kMenuItems) as rows, separators included.
struct MenuMetrics {
    int itemHeight;      // an item row
    int separatorHeight; // a separator row
    int width;           // the whole menu
    int padding;         // frame inside the menu's edge, above the first and below the last row
};

struct MenuLayout {
    PixelRect frame;                // the whole menu, inside the client area where it fits
    PixelRect rows[kMenuItemCount]; // each row's rectangle
};

// Opens the menu with its top-left at the pointer, moved left or up so that it stays inside the client area.
MenuLayout LayOutMenu(const MenuMetrics& metrics, int pointerX, int pointerY, int clientWidth, int clientHeight);
// The row under the point (an index into kMenuItems), or -1 for a separator or outside the menu.
int MenuRowAt(const MenuLayout& layout, int x, int y);
// The next selectable row from row in direction step (+1 or -1), wrapping round; -1 with none.
int NextMenuRow(int row, int step);
// The row whose mnemonic (the letter after '&') is the given upper-case letter, or -1.
int MenuRowForMnemonic(char letter);

// The answer of a message box that could not be shown (no display): Yes for a question, so that the quit
// question can never keep the window from closing, else OK.
int AnswerWithoutBox(unsigned style);

} // namespace vorna
