// The start-up failure report: its numbered lines and the one error box.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/failure_report.h"
#include "support/fakes.h"

using namespace vorna;
using vorna::testing::RecordingShell;

namespace {
std::string Report(int flags) {
    char text[512];
    const size_t length = FormatFailureReport(flags, text, sizeof text);
    EXPECT_EQ(length, std::string(text).size());
    return text;
}
} // namespace

TEST(FailureReport, DisplayFailureGivesOneNumberedLine) {
    EXPECT_EQ(Report(2), "エラーが発生！\n\n0001:DirectDraw初期化に失敗しました\n\n終了します。");
}

TEST(FailureReport, JoystickBitHasNoLineOfItsOwn) {
    EXPECT_EQ(Report(0x10), "エラーが発生！\n\n\n終了します。");
    EXPECT_EQ(Report(0x40000), "エラーが発生！\n\n\n終了します。");
}

TEST(FailureReport, LinesAreNumberedAmongThoseShown) {
    EXPECT_EQ(
        Report(0x2 | 0x8 | 0x10),
        "エラーが発生！\n\n0001:DirectDraw初期化に失敗しました\n0002:DirectSound初期化に失敗しました\n\n終了します。");
}

TEST(FailureReport, AllBitsGiveEightLinesInTableOrder) {
    EXPECT_EQ(Report(-1), "エラーが発生！\n\n"
                          "0001:初期化に失敗しました\n"
                          "0002:DirectDraw初期化に失敗しました\n"
                          "0003:Direct3D初期化に失敗しました\n"
                          "0004:DirectSound初期化に失敗しました\n"
                          "0005:MIDI Stream初期化に失敗しました\n"
                          "0006:ファイル操作に失敗しました\n"
                          "0007:メモリ操作に失敗しました\n"
                          "0008:重大エラーが発生しました\n"
                          "\n終了します。");
}

TEST(FailureReport, SmallBufferIsCutNotOverrun) {
    char text[16];
    std::memset(text, 'x', sizeof text);
    const size_t length = FormatFailureReport(-1, text, 10);
    EXPECT_EQ(length, 9u);
    EXPECT_EQ(text[9], '\0');
    EXPECT_EQ(text[10], 'x');
    EXPECT_EQ(FormatFailureReport(-1, text, 12), 9u); // never half a character
    EXPECT_EQ(FormatFailureReport(2, text, 0), 0u);
}

TEST(FailureReport, ShowsOneErrorBoxOnlyWhenSomethingFailed) {
    Game g;
    RecordingShell shell;
    g.platform.shell = &shell;
    EXPECT_EQ(ShowFailureReport(g), 0);
    EXPECT_TRUE(shell.boxes.empty());

    g.app.InitFailureFlags = 2;
    EXPECT_EQ(ShowFailureReport(g), 1);
    ASSERT_EQ(shell.boxes.size(), 1u);
    EXPECT_EQ(shell.boxes[0].caption, "VORNA-TESSIK Improve");
    EXPECT_EQ(shell.boxes[0].style, unsigned(MB_ICONERROR_STYLE));
    EXPECT_EQ(shell.boxes[0].text, Report(2));
}

TEST(FailureReport, WithoutAShellStillReportsDone) {
    Game g;
    g.app.InitFailureFlags = 2;
    EXPECT_EQ(ShowFailureReport(g), 1);
}
