// The title and the story: the attract loop's timeline, the score line, the prompt, the rising rows.
#include <gtest/gtest.h>

#include <cstring>

#include "scenes/title_story.h"
#include "support/scene_fixture.h"

using namespace vorna;
using vorna::testing::SceneGame;
using vorna::testing::SheetPixel;

namespace {

struct SceneChange {
    int frame;
    uint32_t scene;
    std::vector<int> sounds;
    std::vector<std::string> music;
    bool operator==(const SceneChange& o) const {
        return frame == o.frame && scene == o.scene && sounds == o.sounds && music == o.music;
    }
};

std::ostream& operator<<(std::ostream& out, const SceneChange& c) {
    out << "frame " << c.frame << " scene " << c.scene << " sounds";
    for (int s : c.sounds) out << ' ' << s;
    out << " music";
    for (const auto& m : c.music) out << " '" << m << "'";
    return out;
}

// A title as the logo leaves it: entered from a logo frame, so its first frame runs with t = 1.
SceneGame& EnterTitleFromLogo(SceneGame& run) {
    run.g.play.counters.HiScore = 2000;
    run.g.scene.Scene = SceneLogo;
    run.g.scene.SceneTimer = 401;
    run.g.scene.SceneStep = 1;
    run.Frame();
    run.TakeSounds();
    run.TakeMusic();
    return run;
}

} // namespace

TEST(AttractLoop, TimelineWithoutInput) {
    SceneGame run;
    std::vector<SceneChange> changes;
    uint32_t scene = run.g.scene.Scene;
    for (int frame = 1; frame <= 2510; ++frame) {
        run.Frame();
        if (frame == 1) run.InstallSheet();
        auto sounds = run.TakeSounds();
        auto music = run.TakeMusic();
        if (run.g.scene.Scene != scene || !sounds.empty() || !music.empty())
            changes.push_back({frame, run.g.scene.Scene, sounds, music});
        scene = run.g.scene.Scene;
    }
    const std::vector<SceneChange> expected = {
        {1, SceneLogo, {4}, {"tempo 100"}},
        {130, SceneLogo, {6}, {}}, // the full-height logo, t = 128
        {403, SceneTitle, {1}, {"tempo 100", "play 0"}},
        {1204, SceneStory, {}, {"stop", "tempo 100", "play 1"}},
        {2105, SceneLogo, {4}, {"stop", "tempo 100"}},
        {2233, SceneLogo, {6}, {}},
        {2506, SceneTitle, {1}, {"tempo 100", "play 0"}},
    };
    EXPECT_EQ(changes, expected);
}

TEST(TitleFrame, FirstTitleShowsTheHighScoreAndAZeroScore) {
    SceneGame run;
    run.Boot();
    while (run.g.scene.Scene != SceneTitle) run.Frame();
    run.Frame();
    ASSERT_EQ(run.g.scene.SceneTimer, 2u);
    EXPECT_TRUE(run.ShowsText("HI SCORE 020000    SCORE 000000", 16, 2));
    // Digit glyphs really come from the digit row: the 2 of 020000 after "HI SCORE 0".
    const int32_t twoX = 16 + 11 + 7 + 8 + 8 + 10 + 9 + 10 + 9 + 8 + 8;
    EXPECT_EQ(run.At(twoX, 2), SheetPixel(64, 208));
}

TEST(TitleFrame, ScoreLineFormatsBothCountersWithATrailingZero) {
    SceneGame run;
    EnterTitleFromLogo(run);
    run.g.play.counters.HiScore = 123;
    run.g.play.counters.Score = 99999;
    run.Frame();
    EXPECT_TRUE(run.ShowsText("HI SCORE 001230    SCORE 999990", 16, 2));
    // A negative score keeps its digits; the minus sign has no glyph and takes no room.
    run.g.play.counters.Score = -42;
    run.Frame();
    EXPECT_TRUE(run.ShowsText("HI SCORE 001230    SCORE 00420", 16, 2));
}

TEST(TitleFrame, PromptBlinksElevenFramesInSixteen) {
    SceneGame run;
    EnterTitleFromLogo(run);
    for (uint32_t t = 1; t <= 40; ++t) {
        ASSERT_EQ(run.g.scene.SceneTimer, t);
        run.Frame();
        const bool shown = (t & 15) > 4;
        EXPECT_EQ(run.ShowsText("PLEASE PRESS START", 80, 160), shown) << "t " << t;
        EXPECT_TRUE(run.ShowsText("PLEASE ESC KEY EXIT", 74, 184));
        EXPECT_TRUE(run.ShowsText("2000 QUILLBEX DRAVO PRESENT", 32, 212));
    }
}

TEST(TitleFrame, LetteringBobsAndTheOrreryTurns) {
    SceneGame run;
    EnterTitleFromLogo(run);
    run.g.scene.SceneTimer = 64; // earth a quarter turn on, to the right of the sun; moon below the earth
    run.Frame();
    EXPECT_EQ(run.At(270, 140), SheetPixel(224 + 30, 32 + 16)); // earth at (240, 124)
    EXPECT_EQ(run.At(270, 190), SheetPixel(272 + 30, 32 + 34)); // moon at (240, 156), drawn over it
    // t = 0: bob 16; sx = 72 + 32 = 104, sy = 16: the coloured lettering at (104, 88) over everything before.
    run.g.scene.SceneTimer = 0;
    run.Frame();
    EXPECT_EQ(run.At(104, 88), SheetPixel(0, 80));
    EXPECT_EQ(run.At(104 + 175, 88 + 63), SheetPixel(175, 143));
    // t = 256: bob 16 and sy -16 lift both copies of the lettering clear of the name line at y 128.
    run.g.scene.SceneTimer = 256;
    run.Frame();
    EXPECT_TRUE(run.ShowsText("VORNA TESSIK IMPROVE", 64, 128));
    EXPECT_EQ(run.At(72, 127), SheetPixel(0, 79)); // the still grey lettering at (72, 80), its bottom row
}

TEST(TitleFrame, ButtonStartsTheIntroAndTheStoryWaitsFor800Frames) {
    SceneGame run;
    EnterTitleFromLogo(run);
    run.g.play.counters.Score = 500;
    run.g.play.counters.Level = 3;
    run.Frame({VK_X_KEY});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneMissionIntro));
    EXPECT_EQ(run.g.scene.SceneTimer, 1u);
    EXPECT_EQ(run.g.play.counters.Score, 0);
    EXPECT_EQ(run.g.play.counters.Level, 0);
    EXPECT_EQ(run.TakeSounds(), std::vector<int>{1});
    EXPECT_EQ(run.TakeMusic(), (std::vector<std::string>{"stop", "tempo 100"}));

    SceneGame idle;
    EnterTitleFromLogo(idle);
    idle.Frames(799);
    EXPECT_EQ(idle.g.scene.SceneTimer, 800u);
    idle.Frame();
    EXPECT_EQ(idle.g.scene.Scene, uint32_t(SceneTitle));
    idle.Frame();
    EXPECT_EQ(idle.g.scene.Scene, uint32_t(SceneStory));
    EXPECT_EQ(idle.g.scene.SceneTimer, 1u);
    EXPECT_TRUE(idle.TakeSounds().empty());
}

TEST(StoryText, RowsAreShortCapitalLinesWithTheFixedOnesInPlace) {
    int rows = 0;
    while (StoryText[rows] != nullptr) ++rows;
    EXPECT_EQ(rows, 28);
    for (int i = 0; i < rows; ++i) {
        EXPECT_LE(std::strlen(StoryText[i]), 22u) << i;
        for (const char* p = StoryText[i]; *p; ++p)
            EXPECT_TRUE((*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') || *p == ' ') << i;
    }
    EXPECT_STREQ(StoryText[0], "IT IS THE FAR OLD DAYS");
    EXPECT_STREQ(StoryText[8], "AND SIZE OF THE WINDOW");
    EXPECT_STREQ(StoryText[11], "");
    EXPECT_STREQ(StoryText[13], "SUSHI TEMPLA HUJIYAMA");
    EXPECT_EQ(std::strncmp(StoryText[15], "SEPPUKU ", 8), 0);
    EXPECT_EQ(std::strncmp(StoryText[19], "KARATE ", 7), 0);
    EXPECT_EQ(std::strncmp(StoryText[23], "JUDOH ", 6), 0);
    const std::string kendo = StoryText[18], octopus = StoryText[21];
    EXPECT_EQ(kendo.substr(kendo.size() - 6), " KENDO");
    EXPECT_EQ(octopus.substr(octopus.size() - 8), " OCTOPUS");
    EXPECT_STREQ(StoryText[25], "");
    EXPECT_STREQ(StoryText[26], "");
    EXPECT_STREQ(StoryText[27], "GOODLUCK");
}

TEST(StoryFrame, RowsEnterAtTheBottomAndRiseAPixelAFrame) {
    SceneGame run;
    EnterTitleFromLogo(run);
    run.g.scene.SceneTimer = 801;
    run.Frame();
    ASSERT_EQ(run.g.scene.Scene, uint32_t(SceneStory));
    run.Frame(); // t = 1: row 0 at y 239, only its top pixel row visible
    EXPECT_EQ(run.FontRows(), std::vector<int32_t>{239});
    EXPECT_TRUE(run.ShowsText(StoryText[0], 64, 239));
    run.Frames(18);
    ASSERT_EQ(run.g.scene.SceneTimer, 20u);
    run.Frame(); // t = 20: rows 0 and 1 at y 220 and 240
    EXPECT_TRUE(run.ShowsText(StoryText[0], 64, 220));
    EXPECT_EQ(run.FontRows().front(), 220);
    EXPECT_EQ(run.FontRows().back(), 235);
    run.Frame(); // t = 21: row 1 shows its top row at 239
    EXPECT_TRUE(run.ShowsText(StoryText[1], 64, 239));
    EXPECT_EQ(run.FontRows().back(), 239);
    // "GOODLUCK" enters at 540; by 796 it has left the top and no row is visible any more.
    run.g.scene.SceneTimer = 780;
    run.Frame();
    EXPECT_TRUE(run.ShowsText("GOODLUCK", 64, 240 + 540 - 780));
    run.g.scene.SceneTimer = 796;
    run.Frame();
    EXPECT_TRUE(run.FontRows().empty());
}

TEST(StoryFrame, ReturnsToTheLogoAfter900FramesAndToTheTitleOnAButton) {
    SceneGame run;
    run.g.scene.Scene = SceneStory;
    run.g.scene.SceneTimer = 900;
    run.Frame();
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneStory));
    run.Frame();
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneLogo));
    EXPECT_EQ(run.g.scene.SceneTimer, 1u);
    EXPECT_EQ(run.TakeSounds(), std::vector<int>{4}); // the logo's own entry sound; no button sound
    EXPECT_EQ(run.TakeMusic(), (std::vector<std::string>{"stop", "tempo 100"}));

    SceneGame pressed;
    pressed.g.scene.Scene = SceneStory;
    pressed.g.scene.SceneTimer = 1;
    pressed.Frame({VK_UP_KEY});
    EXPECT_EQ(pressed.g.scene.Scene, uint32_t(SceneStory));
    pressed.Frame({VK_Z_KEY});
    EXPECT_EQ(pressed.g.scene.Scene, uint32_t(SceneTitle));
    EXPECT_EQ(pressed.g.scene.SceneTimer, 1u);
    EXPECT_EQ(pressed.TakeSounds(), std::vector<int>{1});
    EXPECT_EQ(pressed.TakeMusic(), (std::vector<std::string>{"stop", "tempo 100", "play 0"}));
}
