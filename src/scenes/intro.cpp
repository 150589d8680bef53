// A new game and the mission intro scene.
#include "scenes/intro.h"

#include "base/game_math.h"
#include "gfx/backdrop.h"
#include "gfx/primitives.h"
#include "gfx/sheet_sprite.h"
#include "gfx/sheet_text.h"
#include "music/music_player.h"
#include "scenes/scene_machine.h"

namespace vorna {

namespace {

// A new line every 60 frames; empty entries keep their place without drawing.
constexpr const char* kIntroText[] = {"KEEP", "THE", "GLOBE", " ", "GOOD LUCK", nullptr, nullptr, nullptr, nullptr};
constexpr uint32_t kIntroTextCount = sizeof kIntroText / sizeof kIntroText[0];
constexpr uint32_t kIntroLinePeriod = 60;
constexpr uint32_t kIntroLength = 480;
constexpr int32_t kGuideColour = 24;
constexpr int kSun = IntroGlobeSprite + 0;
constexpr int kEarth = IntroGlobeSprite + 1;
constexpr int kMoon = IntroGlobeSprite + 2;

int32_t Angle(uint32_t value) {
    return static_cast<int32_t>(value & 255);
}

} // namespace

void NewGame(Game& g) {
    UpdateBackdrop(g, 1);
    g.scene.SceneTimer = 0;
    g.play.counters.Score = 0;
    g.play.counters.MissionNumber = 0;
    g.play.counters.Level = 0;
    // No music here: the title has stopped its piece and the mission starts its own.
    SetMusicTempo(MusicOf(g), 100);
}

int MissionIntroFrame(Game& g) {
    const uint32_t t = g.scene.SceneTimer;
    UpdateBackdrop(g, 0);

    // The earth at twice its size circles a centre that drifts down and right; the moon circles
    // the earth four times as fast; the sun hangs four times its size in the upper left corner.
    const int32_t earthX = ScaledSin(Angle(t), 128) + static_cast<int32_t>(t / 4) + 160;
    const int32_t earthY = ScaledCos(Angle(t), 80) + static_cast<int32_t>(t / 4) + 124;
    DrawSheetCell(DisplayOf(g), kEarth, earthX, earthY, 94, 94);
    DrawSheetCell(DisplayOf(g), kMoon, earthX + ScaledSin(Angle(t * 4), 64), earthY + ScaledCos(Angle(t * 4), 48));
    DrawSheetCell(DisplayOf(g), kSun, -80 - static_cast<int32_t>(t / 6), -64 - static_cast<int32_t>(t / 8), 188, 188);

    const uint32_t lines = t / kIntroLinePeriod;
    for (uint32_t i = 0; i < lines && i < kIntroTextCount; ++i) {
        if (kIntroText[i] != nullptr)
            DrawSheetText(DisplayOf(g), kIntroText[i], 48, 100 + 16 * static_cast<int32_t>(i));
    }

    gf_DD_PDraw(DisplayOf(g), BackBufferOf(g.display), 0, 180, 319, 180, kGuideColour);
    gf_DD_PDraw(DisplayOf(g), BackBufferOf(g.display), 44, 0, 44, 239, kGuideColour);

    if ((g.scene.InputPressed & AnyButtonMask) != 0 || t > kIntroLength) EnterScene(g, ScenePlay);
    g.scene.SceneTimer += 1;
    return 1;
}

} // namespace vorna
