// The close policy and the boxes every desktop program shows alike.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/desktop_rules.h"

using namespace vorna;

namespace {

class AnsweringShell : public Shell {
public:
    explicit AnsweringShell(int answer) : answer_(answer) {}
    int MessageBox(const char* text, const char* caption, unsigned style) override {
        boxes.push_back({text, caption, style});
        return answer_;
    }
    void DebugOutput(const char*) override {}
    struct Box {
        std::string text, caption;
        unsigned style;
    };
    std::vector<Box> boxes;

private:
    int answer_;
};

} // namespace

TEST(DesktopRules, WindowClosesOnlyAfterYesToTheQuitQuestion) {
    auto g = std::make_unique<Game>();
    AnsweringShell yes(IDYES_ANSWER), no(IDNO_ANSWER);
    EXPECT_TRUE(ConfirmClose(*g, &yes));
    EXPECT_FALSE(ConfirmClose(*g, &no));
    ASSERT_EQ(no.boxes.size(), 1u);
    EXPECT_EQ(no.boxes[0].text, "ユーザーの終了要求を受けました。\n\n終了してよろしいですか？");
    EXPECT_EQ(no.boxes[0].caption, "VORNA-TESSIK Improve");
    EXPECT_EQ(no.boxes[0].style, static_cast<unsigned>(MB_YESNO_STYLE | MB_ICONQUESTION_STYLE));
}

TEST(DesktopRules, FullScreenOrNoShellClosesWithoutAsking) {
    auto g = std::make_unique<Game>();
    EXPECT_TRUE(ConfirmClose(*g, nullptr));
    g->display.FullScreenMode = 1;
    AnsweringShell no(IDNO_ANSWER);
    EXPECT_TRUE(ConfirmClose(*g, &no));
    EXPECT_TRUE(no.boxes.empty());
}

TEST(DesktopRules, WindowCreationFailureIsAnErrorBoxWithTheGamesCaption) {
    AnsweringShell ok(IDOK_ANSWER);
    ReportWindowCreationFailed(&ok);
    ReportWindowCreationFailed(nullptr); // nobody to tell: nothing happens
    ASSERT_EQ(ok.boxes.size(), 1u);
    EXPECT_EQ(ok.boxes[0].text.rfind("初期化に失敗しました。\n", 0), 0u);
    EXPECT_NE(ok.boxes[0].text.find("(同ホルダ内のreadme.txt及びreadme.htm)"), std::string::npos);
    EXPECT_EQ(ok.boxes[0].caption, kGameTitle);
    EXPECT_EQ(ok.boxes[0].style, static_cast<unsigned>(MB_ICONERROR_STYLE));
}
