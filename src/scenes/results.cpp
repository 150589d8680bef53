// The results scene after a won mission: "GOOD FIGHT", the bonus table and its count-up into the score.
#include "scenes/results.h"

#include <cstdio>

#include "base/sound_numbers.h"
#include "gfx/display.h"
#include "gfx/sheet_text.h"
#include "music/music_player.h"
#include "scenes/play_frame.h"
#include "scenes/scene_machine.h"
#include "sound/sound_effects.h"

namespace vorna {

namespace {

enum ResultsStep : int32_t { GoodFightStep = 0, CountUpStep = 1, NextMissionStep = 2 };

constexpr int32_t kLastMission = 9;
constexpr int32_t kClearPoint = 1000;
constexpr uint32_t kGoodFightFrames = 48;

struct Bonus {
    int32_t level, time, energy, total;
};

// Computed afresh every frame from the values as they stand.
Bonus ComputeBonus(const Game& g) {
    const PlayCounters& c = g.play.counters;
    Bonus b{};
    b.level = 50 * c.Level + 100;
    b.time = c.MissionTime / 100;
    b.energy = g.play.globe.Energy / 10;
    b.total = b.level + b.time + b.energy;
    if (c.MissionNumber == kLastMission) b.total += kClearPoint;
    return b;
}

void DrawPoints(Game& g, const char* format, int32_t value, int32_t x, int32_t y) {
    char line[40];
    std::snprintf(line, sizeof line, format, static_cast<int>(value));
    DrawSheetText(DisplayOf(g), line, x, y);
}

void DrawBonusTable(Game& g, const Bonus& b) {
    DrawSheetText(DisplayOf(g), "TECHNICAL BONUS POINT", 64, 64);
    DrawSheetText(DisplayOf(g), "LEVEL POINT", 80, 112);
    DrawSheetText(DisplayOf(g), "TIME POINT", 80, 128);
    DrawSheetText(DisplayOf(g), "ENERGY POINT", 80, 144);
    DrawPoints(g, "%d0", b.level, 216, 112);
    DrawPoints(g, "%d0", b.time, 216, 128);
    DrawPoints(g, "%d0", b.energy, 216, 144);
    DrawPoints(g, "TOTAL POINT  %d0", b.total, 88, 192);
    if (g.play.counters.MissionNumber == kLastMission) {
        DrawSheetText(DisplayOf(g), "CLEAR POINT", 80, 160);
        DrawSheetText(DisplayOf(g), "10000", 216, 160);
    }
}

bool ButtonPressed(const Game& g) {
    return (g.scene.InputPressed & AnyButtonMask) != 0;
}

void CountUp(Game& g) {
    PlayCounters& c = g.play.counters;
    c.Score = static_cast<int32_t>(static_cast<uint32_t>(c.Score) + 4u);
    if (c.Score >= g.play.ScoreTarget) {
        c.Score = g.play.ScoreTarget;
        // Only a press made once the count has arrived moves on.
        if (ButtonPressed(g)) {
            PlaySoundEffect(SoundOf(g), kSoundLeaveScreen);
            g.scene.SceneStep = NextMissionStep;
        }
    } else if ((g.scene.SceneTimer & 1) == 0) {
        PlaySoundEffect(SoundOf(g), kSoundCountTick);
    }
}

void NextMission(Game& g) {
    PlayCounters& c = g.play.counters;
    if (c.MissionNumber != kLastMission) DrawSheetText(DisplayOf(g), "TRY TO NEXT MISSION", 80, 112);
    // After mission ten no second press is asked for.
    if (!ButtonPressed(g) && c.MissionNumber != kLastMission) return;
    PlaySoundEffect(SoundOf(g), kSoundLeaveScreen);
    c.MissionNumber += 1;
    if (c.MissionNumber > kLastMission) {
        c.MissionNumber = 0;
        c.Level += 1;
    }
    EnterScene(g, c.MissionNumber == 0 ? SceneEnding : ScenePlay);
}

} // namespace

void StartResults(Game& g) {
    g.scene.SceneTimer = 0;
    g.scene.SceneStep = GoodFightStep;
    g.play.counters.MissionOver = 1;
    PlaySoundEffect(SoundOf(g), kSoundFanfare);
    SetMusicTempo(MusicOf(g), 100);
    // Ends the red pulse of the danger phase.
    if (g.display.FullScreenMode) SetPaletteEntry(DisplayOf(g), 0, 0);
}

int ResultsFrame(Game& g) {
    PlayFrame(g);
    const Bonus bonus = ComputeBonus(g);
    switch (g.scene.SceneStep) {
    case GoodFightStep:
        DrawSheetText(DisplayOf(g), "GOOD FIGHT", 112, 112);
        if (g.scene.SceneTimer > kGoodFightFrames) {
            g.scene.SceneStep = CountUpStep;
            g.play.ScoreTarget =
                static_cast<int32_t>(static_cast<uint32_t>(g.play.counters.Score) + static_cast<uint32_t>(bonus.total));
        }
        break;
    case CountUpStep:
        DrawBonusTable(g, bonus);
        CountUp(g);
        break;
    case NextMissionStep:
        NextMission(g);
        break;
    default:
        break;
    }
    // Also after entering the next mission in this frame: its globe then starts at 0.9 and stands.
    GlobeRecord& globe = g.play.globe;
    if (globe.Speed > 0.1) globe.Speed -= 0.1f;
    g.scene.SceneTimer += 1;
    return 1;
}

} // namespace vorna
