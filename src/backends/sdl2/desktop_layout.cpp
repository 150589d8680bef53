// The desktop program's own window pieces: the popup menu's layout and its keyboard shortcuts.
#include "backends/sdl2/desktop_layout.h"

#include <algorithm>
#include <cstring>

#include "platform/shell.h"

namespace vorna {

namespace {

constexpr int kShortcutOrder[] = {CmdSmallSize, CmdNormalSize, CmdBigSize, CmdWideSize, CmdArcadeSize};

} // namespace

int ShortcutCommand(int key, bool ctrl) {
    if (key == kShortcutF1 && !ctrl) return CmdVersionInfo;
    if (ctrl && key >= '1' && key <= '5') return kShortcutOrder[key - '1'];
    return CmdNone;
}

MenuLayout LayOutMenu(const MenuMetrics& m, int pointerX, int pointerY, int clientWidth, int clientHeight) {
    MenuLayout layout{};
    int height = 2 * m.padding;
    for (const MenuItem& item : kMenuItems) height += item.command == CmdNone ? m.separatorHeight : m.itemHeight;
    // Like a desktop popup: opens at the pointer, shifted back inside when it would leave the client area,
    // and pinned to the top-left when the area is smaller than the menu.
    int x = pointerX;
    int y = pointerY;
    if (x + m.width > clientWidth) x = clientWidth - m.width;
    if (y + height > clientHeight) y = clientHeight - height;
    x = std::max(x, 0);
    y = std::max(y, 0);
    layout.frame = {x, y, m.width, height};
    int top = y + m.padding;
    for (int i = 0; i < kMenuItemCount; ++i) {
        const int rowHeight = kMenuItems[i].command == CmdNone ? m.separatorHeight : m.itemHeight;
        layout.rows[i] = {x + m.padding, top, m.width - 2 * m.padding, rowHeight};
        top += rowHeight;
    }
    return layout;
}

int MenuRowAt(const MenuLayout& layout, int x, int y) {
    for (int i = 0; i < kMenuItemCount; ++i) {
        const PixelRect& r = layout.rows[i];
        if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return kMenuItems[i].command == CmdNone ? -1 : i;
    }
    return -1;
}

int NextMenuRow(int row, int step) {
    // With no row chosen yet, Down starts at the first row and Up at the last.
    int r = row < 0 ? (step > 0 ? kMenuItemCount - 1 : 0) : row;
    for (int n = 0; n < kMenuItemCount; ++n) {
        r = (r + step + kMenuItemCount) % kMenuItemCount;
        if (kMenuItems[r].command != CmdNone) return r;
    }
    return -1;
}

int MenuRowForMnemonic(char letter) {
    for (int i = 0; i < kMenuItemCount; ++i) {
        const char* amp = std::strchr(kMenuItems[i].text, '&');
        if (amp != nullptr && amp[1] == letter) return i;
    }
    return -1;
}

int AnswerWithoutBox(unsigned style) {
    return (style & 0xF) == MB_YESNO_STYLE ? IDYES_ANSWER : IDOK_ANSWER;
}

} // namespace vorna
