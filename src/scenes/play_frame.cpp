// Starting a mission and running one frame of play.
#include "scenes/play_frame.h"

#include <cstdio>
#include <cstdlib>

#include "base/game_math.h"
#include "base/music_numbers.h"
#include "base/sound_numbers.h"
#include "gfx/backdrop.h"
#include "gfx/display.h"
#include "gfx/primitives.h"
#include "gfx/sheet_sprite.h"
#include "gfx/sheet_text.h"
#include "music/music_player.h"
#include "play/cells.h"
#include "play/effects.h"
#include "play/globe.h"
#include "play/missions.h"
#include "play/play_view.h"
#include "play/vorna.h"
#include "scenes/scene_machine.h"
#include "sound/sound_effects.h"

namespace vorna {

namespace {

constexpr int32_t kVornaMission = 9;

const MissionRecord& CurrentMission(const Game& g) {
    const int32_t number = g.play.counters.MissionNumber;
    // The counter only ever holds 0..9; the first mission stands in rather than reading past the table.
    return MissionTable[(number >= 0 && number < 10) ? number : 0];
}

const char* CurrentMissionName(const Game& g) {
    const int32_t number = g.play.counters.MissionNumber;
    return (number >= 0 && number < 10) ? MissionNames[number] : "";
}

void DrawBanner(Game& g) {
    SceneState& s = g.scene;
    gf_DD_BoxFill(DisplayOf(g), BackBufferOf(g.display), 64, 88, 192, 56, 2, 2,
                  static_cast<int32_t>((s.SceneTimer * 4u) & 255u));
    char line[32];
    std::snprintf(line, sizeof line, "MISSION %d", g.play.counters.MissionNumber + 1);
    DrawSheetText(DisplayOf(g), line, 80, 96);
    DrawSheetText(DisplayOf(g), CurrentMissionName(g), 80, 120);
    if (s.SceneTimer > 200) s.SceneStep = 0;
}

} // namespace

void StartMission(Game& g) {
    PlayState& p = g.play;
    UpdateBackdrop(g, 1);
    for (EffectObject& o : p.pools.ExplosionPool) o.Active = 0;

    g.scene.SceneTimer = 0;
    p.globe = GlobeRecord{};
    g.scene.SceneStep = 255;
    const MissionRecord& mission = CurrentMission(g);
    p.globe.X = mission.startX + 32;
    p.globe.Y = mission.startY + 24;

    // VORNA is set up in every mission; only mission ten lets it act.
    p.vorna = VornaRecord{};
    p.vorna.X = 160;
    p.vorna.Y = 160;
    p.vorna.Heading = 64;
    p.vorna.Speed = 0.0f;
    p.vorna.Energy = (p.counters.Level * 3 + 6) * 500;

    p.globe.Heading = 192;
    p.globe.Speed = 1.0f;
    p.globe.Energy = 800;
    p.globe.Form = SUN;
    p.globe.SavedForm = SUN;

    p.counters.MissionTime = 5000;
    p.counters.MissionCleared = 0;
    p.counters.MissionFailed = 0;
    p.counters.BlocksLeft = 0;
    p.counters.MissionOver = 0;

    BuildMissionCells(g);
    SetMusicTempo(MusicOf(g), 100);
    if (p.counters.MissionNumber == kVornaMission) {
        PlayMusic(MusicOf(g), kMusicVornaMission);
        PlaySoundEffect(SoundOf(g), kSoundVornaAlarm);
    } else {
        PlayMusic(MusicOf(g), kMusicFirstMission + p.counters.MissionNumber);
        PlaySoundEffect(SoundOf(g), kSoundMissionStart);
    }
    SpawnStars(g, 32);
}

int PlayFrame(Game& g) {
    PlayState& p = g.play;
    SceneState& s = g.scene;
    GlobeRecord& globe = p.globe;
    const bool vornaMission = p.counters.MissionNumber == kVornaMission;

    UpdateBackdrop(g, 0);
    SpawnStars(g, 1);
    UpdateStars(g);
    if (vornaMission) {
        // Mission ten moves and draws its backdrop and stars twice per frame.
        DrawSheetCell(DisplayOf(g), TitleLogo, 72, 96);
        UpdateBackdrop(g, 0);
        UpdateStars(g);
    }

    globe.PrevX = globe.X;
    globe.PrevY = globe.Y;
    if (p.counters.MissionOver == 0) SteerGlobe(g);
    const int32_t n = static_cast<int32_t>(globe.Speed);
    globe.X += ScaledCos(globe.Heading, n);
    globe.Y += ScaledSin(globe.Heading, n);
    if (CollideGlobe(g) == 1) globe.Heading = (globe.Heading + (GameRandom(g) & 15) - 7) & 255;

    DrawPlayView(g);
    UpdateSparks(g);
    UpdateExplosions(g);
    UpdateDebris(g);
    DrawAimMarker(g);

    if (p.counters.MissionOver == 0) {
        if (globe.Form == MOON) ChangeEnergy(g, -3);
        p.counters.MissionTime -= 1;
        if (p.counters.MissionTime <= 0) p.counters.MissionFailed = 1;
    }
    if (vornaMission) UpdateVorna(g);
    if (s.SceneStep == 255) DrawBanner(g);

    if ((globe.Energy < 320 || p.counters.MissionTime < 2000) && (s.SceneTimer & 3u) == 0) {
        if (p.counters.MissionOver == 1) return 1;
        SetMusicTempo(MusicOf(g), 150);
        const int32_t ex = globe.X - 8 - (GameRandom(g) & 15);
        const int32_t ey = globe.Y - 8 - (GameRandom(g) & 15);
        SpawnExplosion(g, ex, ey);
        if (g.display.FullScreenMode != 0) {
            // A red pulse of the background colour with a period of 64 frames.
            const uint32_t red = static_cast<uint32_t>(std::abs(static_cast<int32_t>(s.SceneTimer & 63u) * 4 - 128));
            SetPaletteEntry(DisplayOf(g), 0, red * 65536u);
        }
        if ((s.SceneTimer & 63u) > 48) DrawSheetText(DisplayOf(g), "HURRY UP", 120, 112);
    }

    // Under the results and continue scenes play only moves and draws; those scenes keep their own timer.
    if (p.counters.MissionOver == 1) return 1;
    if (p.counters.MissionCleared == 1) {
        StopMusic(MusicOf(g));
        EnterScene(g, SceneResults);
        return 1;
    }
    if (p.counters.MissionFailed == 1) {
        StopMusic(MusicOf(g));
        EnterScene(g, SceneContinue);
        return 1;
    }
    s.SceneTimer += 1;
    return 1;
}

} // namespace vorna
