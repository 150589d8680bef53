// The main window's rules: its menu, the client sizes of the size commands, initial size and centring.
#pragma once
#include <cstdint>

#include "base/app_state.h"

namespace vorna {

// System-menu command ids; the version item sits between the wide and the arcade sizes.
enum WindowCommand : int {
    CmdNone = 0, // no command (a menu separator)
    CmdSmallSize = 256,
    CmdNormalSize = 257,
    CmdBigSize = 258,
    CmdWideSize = 259,
    CmdVersionInfo = 260,
    CmdArcadeSize = 261,
};

struct SizeCommand {
    int id;
    int32_t clientWidth, clientHeight;
};

// The five size commands in menu order.
constexpr int kSizeCommandCount = 5;
extern const SizeCommand kSizeCommands[kSizeCommandCount];

// The window's initial client size: the big size.
constexpr int32_t kInitialClientWidth = 640;
constexpr int32_t kInitialClientHeight = 480;

// The game's items of the window menu, in menu order: the five sizes, a separator, the version item.
// Where the platform's menu has items of its own, a separator goes between theirs and these.
struct MenuItem {
    int command;      // CmdNone for a separator
    const char* text; // UTF-8, '&' before the mnemonic letter
};
constexpr int kMenuItemCount = 7;
extern const MenuItem kMenuItems[kMenuItemCount];

// The item text as shown: the mnemonic marker "(&X)" is kept as "(X)".
void MenuDisplayText(const char* text, char* out, int capacity);

// The client size a size command asks for; false for any other id.
bool ClientSizeForCommand(int id, int32_t& width, int32_t& height);

struct SizeRect {
    int32_t left, top, right, bottom;
};

// The rectangle handed to the frame adjustment for a client size. It already counts the left border
// and the caption, and the window is then sized to its right and bottom edges, not to its extent.
SizeRect SizeRectForClient(const WindowState& w, int32_t clientWidth, int32_t clientHeight);

// Where a window of the given extent starts so that it is centred on a screen of the given size.
// The difference is halved as an unsigned value; a window larger than the screen starts at 0
// instead of at the huge position that halving would give.
int32_t CentredOrigin(int32_t screenExtent, int32_t windowExtent);

// The window's initial geometry: the big size, centred. Sets BorderX, BorderY, ClientWidth,
// ClientHeight, ClientX and ClientY from the screen size already in w.
void InitialWindowGeometry(WindowState& w, int32_t frameWidth, int32_t captionHeight);

// WM_MOVE carries the client origin as two signed 16-bit halves; WM_SIZE the size as unsigned ones.
int32_t SignedLowWord(uint32_t value);
int32_t SignedHighWord(uint32_t value);

} // namespace vorna
