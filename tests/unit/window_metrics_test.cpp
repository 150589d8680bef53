// The main window's size commands, initial geometry and centring, including the clamp for oversized windows.
#include <gtest/gtest.h>

#include "app/window_metrics.h"

using namespace vorna;

TEST(WindowMetrics, SizeCommandsGiveTheirClientSizes) {
    struct {
        int id;
        int32_t w, h;
    } expected[] = {{256, 320, 240}, {257, 480, 360}, {258, 640, 480}, {259, 640, 240}, {261, 320, 480}};
    for (const auto& e : expected) {
        int32_t w = -1, h = -1;
        ASSERT_TRUE(ClientSizeForCommand(e.id, w, h)) << e.id;
        EXPECT_EQ(w, e.w) << e.id;
        EXPECT_EQ(h, e.h) << e.id;
    }
    int32_t w = 7, h = 7;
    // The version item and the system's own commands are not sizes; nothing is written for them.
    for (int id : {260, 255, 262, 0xF140, 256 + 16}) EXPECT_FALSE(ClientSizeForCommand(id, w, h)) << id;
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 7);
}

TEST(WindowMetrics, MenuOrderAndTexts) {
    const int ids[] = {256, 257, 258, 259, 261};
    for (int i = 0; i < kSizeCommandCount; ++i) EXPECT_EQ(kSizeCommands[i].id, ids[i]);
    // The menu shows the sizes in the same order, then a separator and the version item.
    const char* const texts[] = {"小さいサイズ(&R)", "通常サイズ(&O)", "大きいサイズ(&B)", "ワイドサイズ(&W)",
                                 "アーケードサイズ(&H)"};
    for (int i = 0; i < kSizeCommandCount; ++i) {
        EXPECT_EQ(kMenuItems[i].command, ids[i]);
        EXPECT_STREQ(kMenuItems[i].text, texts[i]);
    }
    EXPECT_EQ(kMenuItems[5].command, CmdNone);
    EXPECT_EQ(kMenuItems[6].command, CmdVersionInfo);
    EXPECT_STREQ(kMenuItems[6].text, "バージョン情報(&V)");
}

TEST(WindowMetrics, SizeRectCountsTheBordersInTheRightAndBottomEdges) {
    WindowState w;
    w.BorderX = 4;
    w.BorderY = 4 + 19;
    const SizeRect r = SizeRectForClient(w, 640, 240);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 644);
    EXPECT_EQ(r.bottom, 263);
}

TEST(WindowMetrics, InitialGeometryIsTheBigSizeCentred) {
    WindowState w;
    w.ScreenWidth = 1024;
    w.ScreenHeight = 768;
    InitialWindowGeometry(w, 4, 19);
    EXPECT_EQ(w.BorderX, 4);
    EXPECT_EQ(w.BorderY, 23);
    EXPECT_EQ(w.ClientWidth, 644);
    EXPECT_EQ(w.ClientHeight, 503);
    EXPECT_EQ(w.ClientX, (1024 - 644) / 2);
    EXPECT_EQ(w.ClientY, (768 - 503) / 2); // 132: the odd pixel is dropped
}

// Halving the difference as an unsigned value would put a window that is larger than the desktop
// about two thousand million pixels off screen; it is placed at the top-left corner instead.
TEST(WindowMetrics, WindowLargerThanTheDesktopStartsAtTheCorner) {
    EXPECT_EQ(CentredOrigin(640, 644), 0);
    EXPECT_EQ(CentredOrigin(480, 503), 0);
    EXPECT_EQ(CentredOrigin(0, 1), 0);
    EXPECT_EQ(CentredOrigin(644, 644), 0);
    EXPECT_EQ(CentredOrigin(645, 644), 0);
    EXPECT_EQ(CentredOrigin(646, 644), 1);
    WindowState w;
    w.ScreenWidth = 640;
    w.ScreenHeight = 480;
    InitialWindowGeometry(w, 4, 19);
    EXPECT_EQ(w.ClientX, 0);
    EXPECT_EQ(w.ClientY, 0);
}

TEST(WindowMetrics, MoveAndSizeWordsAreSplitWithTheirSigns) {
    EXPECT_EQ(SignedLowWord(0x0010FFF6u), -10);
    EXPECT_EQ(SignedHighWord(0x0010FFF6u), 16);
    EXPECT_EQ(SignedHighWord(0x8000FFFFu), -32768);
    EXPECT_EQ(SignedLowWord(0x00007FFFu), 32767);
}
