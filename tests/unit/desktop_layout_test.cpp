// The desktop window's own pieces: shortcuts, the popup menu and the command line text.
#ifdef VORNA_HAVE_DESKTOP
#include <gtest/gtest.h>

#include <cstring>

#include "app/shell.h"
#include "backends/sdl2/desktop_layout.h"
#include "backends/sdl2/program_args.h"
#include "platform/keyboard.h"
#include "platform/shell.h"

using namespace vorna;

TEST(DesktopShortcuts, CtrlDigitsPickSizesInMenuOrderAndF1OpensTheVersionBox) {
    EXPECT_EQ(ShortcutCommand('1', true), CmdSmallSize);
    EXPECT_EQ(ShortcutCommand('2', true), CmdNormalSize);
    EXPECT_EQ(ShortcutCommand('3', true), CmdBigSize);
    EXPECT_EQ(ShortcutCommand('4', true), CmdWideSize);
    EXPECT_EQ(ShortcutCommand('5', true), CmdArcadeSize);
    EXPECT_EQ(ShortcutCommand('6', true), CmdNone);
    EXPECT_EQ(ShortcutCommand('1', false), CmdNone); // plain digits stay free
    EXPECT_EQ(ShortcutCommand(kShortcutF1, false), CmdVersionInfo);
    EXPECT_EQ(ShortcutCommand(kShortcutF1, true), CmdNone);
    // None of the shortcut keys is one the game polls.
    for (int key : {int{'1'}, int{'2'}, int{'3'}, int{'4'}, int{'5'}, kShortcutF1}) {
        for (int polled : {VK_ESCAPE_KEY, VK_LEFT_KEY, VK_UP_KEY, VK_RIGHT_KEY, VK_DOWN_KEY, VK_X_KEY, VK_Z_KEY,
                           VK_NUMPAD2_KEY, VK_NUMPAD4_KEY, VK_NUMPAD6_KEY, VK_NUMPAD8_KEY, VK_F3_KEY})
            EXPECT_NE(key, polled);
    }
}

namespace {
const MenuMetrics kMetrics{20, 8, 200, 3};
constexpr int kMenuHeight = 6 * 20 + 8 + 2 * 3;
} // namespace

TEST(DesktopMenu, ShownTextsKeepTheMnemonicLetterWithoutItsMarker) {
    char shown[64];
    MenuDisplayText(kMenuItems[6].text, shown, sizeof shown);
    EXPECT_STREQ(shown, "バージョン情報(V)");
    MenuDisplayText("ab&cdef", shown, 4); // cut to the room given, always terminated
    EXPECT_STREQ(shown, "abc");
}

TEST(DesktopMenu, OpensAtThePointerAndStaysInside) {
    const MenuLayout at = LayOutMenu(kMetrics, 10, 20, 640, 480);
    EXPECT_EQ(at.frame.x, 10);
    EXPECT_EQ(at.frame.y, 20);
    EXPECT_EQ(at.frame.h, kMenuHeight);
    const MenuLayout corner = LayOutMenu(kMetrics, 630, 470, 640, 480);
    EXPECT_EQ(corner.frame.x, 440);
    EXPECT_EQ(corner.frame.y, 480 - kMenuHeight);
    const MenuLayout tiny = LayOutMenu(kMetrics, 100, 100, 150, 100); // smaller than the menu: pinned top-left
    EXPECT_EQ(tiny.frame.x, 0);
    EXPECT_EQ(tiny.frame.y, 0);
}

TEST(DesktopMenu, HitTestingSkipsTheSeparatorAndTheFrame) {
    const MenuLayout m = LayOutMenu(kMetrics, 100, 50, 640, 480);
    const int top = 50 + 3;
    EXPECT_EQ(MenuRowAt(m, 150, top), 0);
    EXPECT_EQ(MenuRowAt(m, 150, top + 19), 0);
    EXPECT_EQ(MenuRowAt(m, 150, top + 20), 1);
    EXPECT_EQ(MenuRowAt(m, 150, top + 5 * 20 + 4), -1); // the separator
    EXPECT_EQ(MenuRowAt(m, 150, top + 5 * 20 + 8), 6);  // the version item below it
    EXPECT_EQ(MenuRowAt(m, 101, top), -1);              // the menu's own edge
    EXPECT_EQ(MenuRowAt(m, 99, top + 30), -1);
    EXPECT_EQ(MenuRowAt(m, 150, top + kMenuHeight), -1);
}

TEST(DesktopMenu, KeyboardNavigationAndMnemonics) {
    EXPECT_EQ(NextMenuRow(-1, +1), 0);
    EXPECT_EQ(NextMenuRow(-1, -1), 6);
    EXPECT_EQ(NextMenuRow(4, +1), 6); // over the separator
    EXPECT_EQ(NextMenuRow(6, -1), 4);
    EXPECT_EQ(NextMenuRow(6, +1), 0); // wraps round
    EXPECT_EQ(NextMenuRow(0, -1), 6);
    EXPECT_EQ(MenuRowForMnemonic('R'), 0);
    EXPECT_EQ(MenuRowForMnemonic('H'), 4);
    EXPECT_EQ(MenuRowForMnemonic('V'), 6);
    EXPECT_EQ(MenuRowForMnemonic('Z'), -1);
}

TEST(DesktopMessageBoxes, AQuestionThatCannotBeShownCountsAsYes) {
    EXPECT_EQ(AnswerWithoutBox(MB_YESNO_STYLE | MB_ICONQUESTION_STYLE), IDYES_ANSWER);
    EXPECT_EQ(AnswerWithoutBox(MB_OK_STYLE | MB_ICONERROR_STYLE), IDOK_ANSWER);
    EXPECT_EQ(AnswerWithoutBox(MB_ICONINFORMATION_STYLE), IDOK_ANSWER);
}

TEST(DesktopCommandLine, ArgumentsBecomeOneTextForTheSwitchScanner) {
    const char* argv[] = {"vorna", "/f", "x/S", nullptr};
    const std::string text = JoinArguments(3, argv);
    EXPECT_EQ(text, "/f x/S");
    Game g;
    ParseCommandLine(g, text.c_str());
    EXPECT_EQ(g.display.FullScreenMode, 1);
    EXPECT_EQ(g.app.FrameSkipPeriod, 20);
    const char* none[] = {"vorna"};
    EXPECT_EQ(JoinArguments(1, none), "");
    // Separate arguments never run together into a switch: "/" and "f" stay apart.
    const char* split[] = {"vorna", "/", "f"};
    Game h;
    ParseCommandLine(h, JoinArguments(3, split).c_str());
    EXPECT_EQ(h.display.FullScreenMode, 0);
}

#endif
