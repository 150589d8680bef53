// The boot frame and the maker's logo scene.
#include "scenes/boot_logo.h"

#include "base/game_math.h"
#include "base/sound_numbers.h"
#include "gfx/backdrop.h"
#include "gfx/sheet.h"
#include "gfx/sheet_sprite.h"
#include "gfx/sheet_text.h"
#include "music/music_player.h"
#include "scenes/scene_machine.h"
#include "sound/sound_effects.h"

namespace vorna {

namespace {

constexpr int32_t kLogoX = 72;
constexpr int32_t kLogoBaseline = 112; // the bottom edge the growing strip stands on
constexpr int32_t kLogoHoldY = 80;
constexpr uint32_t kLogoTimeOut = 400;
constexpr const char* kMakerLine = "2000 QUILLBEX DRAVO PRESENT";

enum LogoStep : int32_t { LogoReveal = 0, LogoHold = 1 };

} // namespace

int BootFrame(Game& g) {
    SeedRandom(g, static_cast<int32_t>(g.app.FrameCounter & 0xFFFF));
    g.play.counters = PlayCounters{};
    g.play.counters.HiScore = 2000;
    // A missing sheet is not checked here: every later transfer from it is simply refused.
    gf_DD_LoadBitmap(g.display, g.platform.resources, g.platform.files, g.display.SheetSurface, "BMP_00", 0, 0);
    gf_DD_SetSrcKey(g.display, SheetOf(g.display), 0x000000);
    LoadAllSounds(SoundOf(g));
    EnterScene(g, SceneLogo);
    // The timer stays as StartLogo left it, so the logo's first frame sees 0.
    return 1;
}

void StartLogo(Game& g) {
    g.scene.SceneTimer = 0;
    g.scene.SceneStep = LogoReveal;
    // The logo itself never draws the rocks; this seeds them for the title and the story.
    UpdateBackdrop(g, 1);
    SetMusicTempo(MusicOf(g), 100);
    PlaySoundEffect(SoundOf(g), kSoundMissionStart);
}

int LogoFrame(Game& g) {
    const uint32_t t = g.scene.SceneTimer;
    const SpriteRect& logo = SpriteRectTable[MakerLogo];
    switch (g.scene.SceneStep) {
    case LogoReveal: {
        // The whole logo squeezed into a strip that grows upwards one pixel every four frames.
        const int32_t h = static_cast<int32_t>(t / 4);
        DrawSheetCell(DisplayOf(g), MakerLogo, kLogoX, kLogoBaseline - h, logo.w, h);
        if (t / 4 >= static_cast<uint32_t>(logo.h)) {
            g.scene.SceneStep = LogoHold;
            PlaySoundEffect(SoundOf(g), kSoundFanfare);
        }
        break;
    }
    case LogoHold:
        DrawSheetCell(DisplayOf(g), MakerLogo, kLogoX, kLogoHoldY);
        DrawSheetText(DisplayOf(g), kMakerLine, 32, 128);
        break;
    default:
        break;
    }
    if (t > kLogoTimeOut || (g.scene.InputPressed & AnyButtonMask) != 0) {
        PlaySoundEffect(SoundOf(g), kSoundLeaveScreen);
        EnterScene(g, SceneTitle);
    }
    g.scene.SceneTimer += 1;
    return 1;
}

} // namespace vorna
