// Window geometry of the desktop program: the size commands, the letterbox, the popup menu and its shortcuts.
#pragma once
#include <cstdint>

#include "app/window_metrics.h"

namespace vorna {

// The client size a size command asks for; false for any other command.
bool ClientSizeOf(int command, int& width, int& height);

// The smallest client area the window may be dragged to.
constexpr int kMinClientWidth = 320;
constexpr int kMinClientHeight = 240;
constexpr int kStartClientWidth = 640;
constexpr int kStartClientHeight = 480;

struct PixelRect {
    int x, y, w, h;
};

// Where the 320 x 240 frame goes in an output of the given size: the whole area in a window (the stretch
// may be uneven), the largest centred 4:3 rectangle in full screen.
PixelRect FrameDestination(int outputWidth, int outputHeight, bool fullScreen);

// Where a window of the given size is centred on a usable desktop area.
PixelRect CentreIn(const PixelRect& usable, int width, int height);

// Keyboard shortcuts, chosen among keys the game never polls: Ctrl+1..Ctrl+5 pick the sizes in menu order,
// F1 opens the version box. Key is '1'..'5' with ctrl, or kShortcutF1.
constexpr int kShortcutF1 = 0x70;
int ShortcutCommand(int key, bool ctrl);

// The popup menu: item rows in menu order (separators are rows without a command).
struct MenuItem {
    int command; // CmdNone for a separator
    const char* text;
};
constexpr int kMenuItemCount = 7;
extern const MenuItem kMenuItems[kMenuItemCount];

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
// The item text as shown: the mnemonic marker "(&X)" is kept as "(X)".
void MenuDisplayText(const char* text, char* out, int capacity);

// The answer of a message box that could not be shown (no display): Yes for a question, so that the quit
// question can never keep the window from closing, else OK.
int AnswerWithoutBox(unsigned style);

} // namespace vorna
