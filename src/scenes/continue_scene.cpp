// The continue scene after a lost mission: darkening, the game-over lettering, F3 to go on or a button to quit.
#include "scenes/continue_scene.h"

#include "base/game_math.h"
#include "base/music_numbers.h"
#include "base/sound_numbers.h"
#include "base/sprite_rects.h"
#include "gfx/display.h"
#include "gfx/sheet_sprite.h"
#include "gfx/sheet_text.h"
#include "music/music_player.h"
#include "play/effects.h"
#include "scenes/play_frame.h"
#include "scenes/scene_machine.h"
#include "sound/sound_effects.h"

namespace vorna {

namespace {

enum ContinueStep : int32_t { DropInStep = 0, ChoiceStep = 1 };

constexpr uint32_t kDropInFrames = 63;

// F3 is read straight from the keyboard as a held key, not through the input bits.
bool F3Down(Game& g) {
    Keyboard* keyboard = g.platform.keyboard;
    return keyboard != nullptr && keyboard->IsKeyDown(VK_F3_KEY);
}

void DropIn(Game& g, uint32_t t) {
    if (t > kDropInFrames) g.scene.SceneStep = ChoiceStep;
    const int32_t ti = static_cast<int32_t>(t);
    // Widens 5 pixels a frame and covers all 320 columns at t = 64.
    gf_DD_BoxFill(DisplayOf(g), BackBufferOf(g.display), 0, 0, 5 * ti, 239, 2, 2, 0);
    // Squeezed from 544 rows down to its own 32, settling at (80, 72) at t = 64.
    DrawSheetCell(DisplayOf(g), GameOverPicture, 80, (ti - 46) * 4, 160, 32 + (64 - ti) * 8);
}

void Choice(Game& g) {
    PlayCounters& c = g.play.counters;
    gf_DD_BoxFill(DisplayOf(g), BackBufferOf(g.display), 0, 0, 319, 239, 2, 2, 0);
    // True exactly when bit 4 is set: 16 frames shown in every 32.
    if ((g.scene.SceneTimer & 0x15) > 6) DrawSheetText(DisplayOf(g), "PRESS ANY KEY", 96, 112);
    DrawSheetText(DisplayOf(g), "PRESS F3 TO CONTINUE", 64, 144);
    DrawSheetCell(DisplayOf(g), GameOverPicture, 80, 72);
    if (F3Down(g)) {
        // The mission is rebuilt before the resets, at the level it was lost on.
        EnterScene(g, ScenePlay);
        c.Score = 0;
        c.Level = 0;
    }
    // Tested even after F3: the high score then sees the cleared score.
    if ((g.scene.InputPressed & AnyButtonMask) != 0) {
        PlaySoundEffect(SoundOf(g), kSoundLeaveScreen);
        if (c.Score > c.HiScore) c.HiScore = c.Score;
        EnterScene(g, SceneTitle);
    }
}

} // namespace

void StartContinue(Game& g) {
    g.scene.SceneTimer = 0;
    g.scene.SceneStep = DropInStep;
    g.play.counters.MissionOver = 1;
    SetMusicTempo(MusicOf(g), 100);
    PlayMusic(MusicOf(g), kMusicContinue);
    // Ends the red pulse of the danger phase.
    if (g.display.FullScreenMode) SetPaletteEntry(DisplayOf(g), 0, 0);
}

int ContinueFrame(Game& g) {
    const uint32_t t = g.scene.SceneTimer;
    PlayFrame(g);
    switch (g.scene.SceneStep) {
    case DropInStep:
        DropIn(g, t);
        break;
    case ChoiceStep:
        Choice(g);
        break;
    default:
        break;
    }
    GlobeRecord& globe = g.play.globe;
    if (globe.Speed > 0.1) globe.Speed -= 0.1f;
    // Bursts gather up and to the left of the globe's centre.
    const int32_t a = GameRandom(g);
    const int32_t b = GameRandom(g);
    SpawnExplosion(g, globe.X + (a & 31) - 32, globe.Y + (b & 31) - 32);
    g.scene.SceneTimer += 1;
    return 1;
}

} // namespace vorna
