// The title scene and the scrolling story of the attract loop.
#include "scenes/title_story.h"

#include <cstdio>

#include "base/game_math.h"
#include "base/music_numbers.h"
#include "base/sound_numbers.h"
#include "gfx/backdrop.h"
#include "gfx/sheet_sprite.h"
#include "gfx/sheet_text.h"
#include "music/music_player.h"
#include "play/effects.h"
#include "scenes/scene_machine.h"
#include "sound/sound_effects.h"

namespace vorna {

const char* const StoryText[29] = {
    "IT IS THE FAR OLD DAYS",
    "THE CREATEWINDOW",
    "FUNCTION",
    "CREATES AN OVERLAPPED",
    "POPUP OR CHILD WINDOW",
    "IT SPECIFIC THE",
    "CLASS TITLE STYLE",
    "AND INITIAL POSITION",
    "AND SIZE OF THE WINDOW",
    "THE FUNCTION ALSO",
    "SPECIFIES THE WINDOW",
    "",
    "THIS JAPANESE",
    "SUSHI TEMPLA HUJIYAMA",
    "GEISHA CHONMAGE",
    "SEPPUKU MORIBANA WORKS",
    "MEGANE CAMERA NINJA",
    "TOFUBOX KOJI HANAWARI",
    "RENZO YUKIMATSU KENDO",
    "KARATE TOSHIBE ORUKA",
    "ZANGYO SUMOH",
    "KAMINOKO OCTOPUS",
    "SAMURAI HITECH",
    "JUDOH SEIJI MURAKUMO",
    "SUKIYAKI",
    "",
    "",
    "GOODLUCK",
    nullptr,
};

namespace {

constexpr uint32_t kTitleTimeOut = 800;
constexpr uint32_t kStoryTimeOut = 900;
constexpr int32_t kStoryPitch = 20;
constexpr int32_t kOrreryX = 160; // the sun, around which the earth turns
constexpr int32_t kOrreryY = 124;
constexpr int kSun = IntroGlobeSprite + 0;
constexpr int kEarth = IntroGlobeSprite + 1;
constexpr int kMoon = IntroGlobeSprite + 2;

bool AnyButtonPressed(const Game& g) {
    return (g.scene.InputPressed & AnyButtonMask) != 0;
}

void DrawScoreLine(Game& g) {
    char line[64];
    std::snprintf(line, sizeof line, "HI SCORE %05d0    SCORE %05d0", g.play.counters.HiScore, g.play.counters.Score);
    DrawSheetText(DisplayOf(g), line, 16, 2);
}

} // namespace

void StartTitle(Game& g) {
    g.scene.SceneTimer = 0;
    SetMusicTempo(MusicOf(g), 100);
    PlayMusic(MusicOf(g), kMusicTitle);
}

int TitleFrame(Game& g) {
    const uint32_t t = g.scene.SceneTimer;
    const auto angle = [](uint32_t value) { return static_cast<int32_t>(value & 255); };

    UpdateBackdrop(g, 0);
    UpdateStars(g);
    SpawnStars(g, 1);

    const int32_t bob = ScaledCos(angle(t), 16);
    DrawSheetCell(DisplayOf(g), TitleLogo, 72, 64 + bob);

    DrawSheetCell(DisplayOf(g), kSun, kOrreryX, kOrreryY);
    const int32_t earthX = kOrreryX + ScaledSin(angle(t), 80);
    const int32_t earthY = kOrreryY + ScaledCos(angle(t), 80);
    DrawSheetCell(DisplayOf(g), kEarth, earthX, earthY);
    const uint32_t moonAngle = t * 4;
    DrawSheetCell(DisplayOf(g), kMoon, earthX + ScaledSin(angle(moonAngle), 32),
                  earthY + ScaledCos(angle(moonAngle), 32));

    // The swinging copy of the lettering, with the coloured lettering laid over the name line.
    const int32_t swingX = 72 + ScaledCos(angle(t * 2), 32);
    const int32_t swingY = ScaledCos(angle(t / 2), 16);
    DrawSheetCell(DisplayOf(g), TitleLogo, swingX, 64 + bob + swingY);
    DrawSheetText(DisplayOf(g), "VORNA TESSIK IMPROVE", 64, 112 + bob);
    DrawSheetCell(DisplayOf(g), TitleLogoColour, swingX, 56 + bob + swingY);

    DrawSheetText(DisplayOf(g), "2000 QUILLBEX DRAVO PRESENT", 32, 212);
    DrawScoreLine(g);
    if ((t & 15) > 4) DrawSheetText(DisplayOf(g), "PLEASE PRESS START", 80, 160);
    DrawSheetText(DisplayOf(g), "PLEASE ESC KEY EXIT", 74, 184);

    if (AnyButtonPressed(g)) {
        StopMusic(MusicOf(g));
        EnterScene(g, SceneMissionIntro);
        PlaySoundEffect(SoundOf(g), kSoundLeaveScreen);
    } else if (t > kTitleTimeOut) {
        StopMusic(MusicOf(g));
        EnterScene(g, SceneStory);
    }
    g.scene.SceneTimer += 1;
    return 1;
}

void StartStory(Game& g) {
    g.scene.SceneTimer = 0;
    g.scene.SceneStep = 0;
    SetMusicTempo(MusicOf(g), 100);
    PlayMusic(MusicOf(g), kMusicStory);
}

int StoryFrame(Game& g) {
    const uint32_t t = g.scene.SceneTimer;
    UpdateBackdrop(g, 0);

    // Row i appears at the bottom edge when t = 20 i and rises a pixel a frame; rows gone above
    // the top are still drawn and left to the frame's clipping.
    const uint32_t shown = t / kStoryPitch + 1;
    for (uint32_t i = 0; i < shown && StoryText[i] != nullptr; ++i) {
        const int32_t y = static_cast<int32_t>(240u + kStoryPitch * i - t);
        DrawSheetText(DisplayOf(g), StoryText[i], 64, y);
    }

    if (t > kStoryTimeOut) {
        StopMusic(MusicOf(g));
        EnterScene(g, SceneLogo);
    } else if (AnyButtonPressed(g)) {
        StopMusic(MusicOf(g));
        EnterScene(g, SceneTitle);
        PlaySoundEffect(SoundOf(g), kSoundLeaveScreen);
    }
    g.scene.SceneTimer += 1;
    return 1;
}

} // namespace vorna
