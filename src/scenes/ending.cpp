// The ending after mission ten.
#include "scenes/ending.h"

#include "base/game_math.h"
#include "base/music_numbers.h"
#include "base/sound_numbers.h"
#include "gfx/backdrop.h"
#include "gfx/sheet_sprite.h"
#include "gfx/sheet_text.h"
#include "music/music_player.h"
#include "scenes/scene_machine.h"
#include "sound/sound_effects.h"

namespace vorna {

const char* const EndingRoll[42] = {
    "CONGRATULATION",
    "",
    "",
    "DESTROY THE",
    "  MOTHER OBJECT",
    "  V O R N A",
    "",
    "",
    "",
    "",
    "PLAN",
    "    TAKERU OMIZONE",
    "",
    "PROGRAM",
    "    TAKERU OMIZONE",
    "",
    "GRAPHIC",
    "    TAKERU OMIZONE",
    "",
    "MUSIC",
    "    TAKERU OMIZONE",
    "",
    "THANKS",
    "    HARUKI FENWELL",
    "    MIRELLA KOSTAVA",
    "",
    "",
    "1997 2000",
    " PRESENT",
    "     QUILLBEX",
    "     DRAVO",
    "     TAKERU OMIZONE",
    "",
    "",
    "THANK YOU PLAYING",
    "",
    "",
    "TRY THE NEXT LEVEL",
    "",
    "",
    "GOODLUCK",
    nullptr,
};

namespace {

enum EndingStep : int32_t { EndingRollStep = 0, EndingTitleStep = 1 };

constexpr uint32_t kRollPitch = 30;
constexpr uint32_t kRollLength = 1500;
constexpr uint32_t kEarthStop = 920;
constexpr int kEarth = IntroGlobeSprite + 1;

int32_t Angle(uint32_t value) {
    return static_cast<int32_t>(value & 255);
}

void DrawRoll(Game& g, uint32_t t) {
    // Row i enters at the bottom edge when t = 30 i; rows gone above the top are still drawn
    // and left to the frame's clipping.
    const uint32_t shown = t / kRollPitch + 1;
    for (uint32_t i = 0; i < shown && EndingRoll[i] != nullptr; ++i) {
        DrawSheetText(DisplayOf(g), EndingRoll[i], 64, static_cast<int32_t>(240u + kRollPitch * i - t));
    }
}

void DrawSwayingTitle(Game& g, uint32_t t) {
    const int32_t swayX = ScaledCos(Angle(t), 32);
    const int32_t swayY = ScaledCos(Angle(t * 8), 16);
    DrawSheetCell(DisplayOf(g), TitleLogo, swayX + 76, swayY + 64);
    DrawSheetText(DisplayOf(g), "VORNA TESSIK IMPROVE", swayX + 56, swayY + 118);
    DrawSheetCell(DisplayOf(g), TitleLogoColour, swayX + 72, swayY + 56);
    DrawSheetText(DisplayOf(g), "2000 QUILLBEX DRAVO PRESENT", 32, 212);
    if ((t & 0x1F) > 8) DrawSheetText(DisplayOf(g), "PRESS ANY TO NEXT LEVEL", 52, 160);
    DrawSheetText(DisplayOf(g), "THANK YOU FOR PLAYING", 56, 184);
}

} // namespace

void StartEnding(Game& g) {
    g.scene.SceneTimer = 0;
    g.scene.SceneStep = EndingRollStep;
    SetMusicTempo(MusicOf(g), 100);
    PlayMusic(MusicOf(g), kMusicEnding);
    // The backdrop goes on from where the last mission left it.
}

int EndingFrame(Game& g) {
    const uint32_t t = g.scene.SceneTimer;
    UpdateBackdrop(g, 0);

    // The earth, four times its size, drifts down and right until t = 920 and stays there.
    const uint32_t drift = t < kEarthStop ? t : kEarthStop;
    DrawSheetCell(DisplayOf(g), kEarth, static_cast<int32_t>(drift / 4) - 64, static_cast<int32_t>(drift / 6) - 32, 188,
                  188);

    switch (g.scene.SceneStep) {
    case EndingRollStep:
        // No input is read while the roll runs: it cannot be skipped.
        DrawRoll(g, t);
        if (t > kRollLength) g.scene.SceneStep = EndingTitleStep;
        break;
    case EndingTitleStep:
        DrawSwayingTitle(g, t);
        if ((g.scene.InputPressed & AnyButtonMask) != 0) {
            StopMusic(MusicOf(g));
            PlaySoundEffect(SoundOf(g), kSoundLeaveScreen);
            // Mission one at the raised level; the score carries on.
            EnterScene(g, ScenePlay);
        }
        break;
    default:
        break;
    }
    g.scene.SceneTimer += 1;
    return 1;
}

} // namespace vorna
