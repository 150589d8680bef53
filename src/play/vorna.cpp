// VORNA, the creature of mission ten: it flees the globe, lays blocks and must be rammed to death.
#include "play/vorna.h"

#include <cstdio>

#include "base/game_math.h"
#include "base/sound_numbers.h"
#include "gfx/primitives.h"
#include "gfx/sheet_text.h"
#include "play/effects.h"
#include "sound/sound_effects.h"

namespace vorna {

namespace {

constexpr int32_t kVornaRight = 287;  // 320 less the 32-wide sprite and one
constexpr int32_t kVornaBottom = 447; // 480 less the 32-high sprite and one
constexpr int32_t kCentre = 16;

// The creature's counters move by small steps for ever; wrap them rather than overflow.
int32_t Wrapped(int32_t value, int32_t delta) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

void ChooseSteer(VornaRecord& v, const GlobeRecord& globe) {
    const bool turningLeftHalf = v.Heading > 64 && v.Heading < 192;
    if (v.Y > globe.Y) {
        v.Steer = turningLeftHalf ? 4 : 8; // toward heading 64, down and away
    } else {
        v.Steer = turningLeftHalf ? 8 : 4; // toward heading 192, up and away
    }
}

// Returns whether a wall was touched.
bool CollideWalls(Game& g, VornaRecord& v) {
    bool touched = false;
    if (v.X < 0) {
        v.Heading = (128 - v.Heading) & 255;
        v.X = 0;
        touched = true;
    } else if (v.X > kVornaRight) {
        v.X = kVornaRight;
        // One step short of the true mirror for the left-pointing half, as the globe does.
        v.Heading = v.Heading < 128 ? 128 - v.Heading : 383 - v.Heading;
        touched = true;
    }
    if (v.Y < 0) {
        SpawnExplosion(g, v.X, v.Y);
        SpawnSparks(g, v.X, v.Y, 4);
        v.Heading = (-v.Heading) & 255;
        v.Y = 0;
        touched = true;
    } else if (v.Y > kVornaBottom) {
        SpawnExplosion(g, v.X, v.Y);
        SpawnSparks(g, v.X, v.Y, 4);
        v.Heading = (-v.Heading) & 255;
        v.Y = kVornaBottom;
        touched = true;
    }
    return touched;
}

// Every cell is tested, not only the first: each touch reverses the heading once more.
bool CollideCells(Game& g, VornaRecord& v) {
    bool touched = false;
    for (int index = 0; index < kCellCount; ++index) {
        if (g.play.CellType[index] == 4) continue;
        const int32_t left = (index % 5) * 64;
        const int32_t top = (index / 5) * 48;
        const int32_t cx = v.X + kCentre;
        const int32_t cy = v.Y + kCentre;
        if (left <= cx && cx <= left + 64 && top <= cy && cy <= top + 48) {
            v.X = v.PrevX;
            v.Y = v.PrevY;
            v.Heading = (v.Heading - 128) & 255;
            touched = true;
        }
    }
    return touched;
}

bool Rammed(const GlobeRecord& globe, const VornaRecord& v) {
    const int32_t mx = v.X + 24;
    const int32_t my = v.Y + 24;
    return globe.X < mx && mx < globe.X + 48 && globe.Y < my && my < globe.Y + 48;
}

void Ram(Game& g, VornaRecord& v) {
    const GlobeRecord& globe = g.play.globe;
    PlaySoundEffect(SoundOf(g), kSoundVornaRammed);
    v.Heading = (v.Heading - 128) & 255;
    v.Speed = 9.0f;
    v.X = v.PrevX;
    v.Y = v.PrevY;
    v.HurtTimer = 32;
    const int32_t factor = globe.Form == MOON ? 10 : 5;
    v.Energy = Wrapped(v.Energy, -(static_cast<int32_t>(globe.Speed) + 1) * factor);
    g.play.counters.Score = Wrapped(g.play.counters.Score, 5);
    SpawnDebris(g, globe.X, globe.Y, 16);
}

void HurtReaction(Game& g, VornaRecord& v) {
    v.HurtTimer = Wrapped(v.HurtTimer, -1);
    // Pushed toward the middle rows, which usually frees it from the block it hit.
    v.Y += v.Y > 240 ? -8 : 8;
    v.X += (GameRandom(g) & 15) - 8;
    SpawnExplosion(g, v.X, v.Y);
    SpawnSparks(g, v.X, v.Y, 1);
    v.Heading = (v.Heading + (GameRandom(g) & 31) - 15) & 255;
    if (v.Energy < 0) {
        SpawnSparks(g, v.X, v.Y, 32);
        v.Energy = 0;
        g.play.counters.MissionCleared = 1;
        v.HurtTimer = 9999;
    }
}

// The cell's 3 x 2 mark in the minimap corner of the sheet.
void MarkMinimap(Game& g, int32_t cell, int32_t colour) {
    gf_DD_BoxDraw(DisplayOf(g), SheetOf(g.display), (cell % 5) * 4 + 1, (cell / 5) * 3 + 209, 3, 2, colour);
}

// The laid block is not counted in BlocksLeft: only VORNA's defeat clears mission ten.
void LayBlock(Game& g, const VornaRecord& v) {
    int32_t cell = (v.Y / 48) * 5 + v.X / 64;
    if (cell < 0) cell = 0;
    if (cell > kCellCount - 1) cell = kCellCount - 1;
    g.play.CellHits[cell] = 80 * g.play.counters.Level + 32;
    g.play.CellType[cell] = (GameRandom(g) & 1) * 2;
    MarkMinimap(g, cell, 255);
}

void CalmBehaviour(Game& g, VornaRecord& v) {
    const uint32_t t = g.scene.SceneTimer;
    if ((t & 15) == 0) v.Energy = Wrapped(v.Energy, 1);
    if ((t & 255) == 0) LayBlock(g, v);
}

void DrawWarnings(Game& g, int32_t distance, const VornaRecord& v) {
    const int32_t sx = g.play.GlobeScreenX;
    const int32_t sy = g.play.GlobeScreenY;
    if (distance < 160) {
        gf_DD_BoxDraw(DisplayOf(g), BackBufferOf(g.display), sx - 8, sy - 8, 64, 64, 224);
        gf_DD_BoxDraw(DisplayOf(g), BackBufferOf(g.display), sx - 16, sy - 16, 80, 80, 224);
    }
    if (v.Energy > 0) {
        char line[32];
        std::snprintf(line, sizeof line, "VORNA ENERGY %d0", static_cast<int>(v.Energy));
        DrawSheetText(DisplayOf(g), line, 72, 160);
    }
}

} // namespace

void UpdateVorna(Game& g) {
    VornaRecord& v = g.play.vorna;
    const GlobeRecord& globe = g.play.globe;
    const uint32_t t = g.scene.SceneTimer;

    v.PrevX = v.X;
    v.PrevY = v.Y;
    const int32_t distance = Distance(globe.X, globe.Y, v.X, v.Y);
    const bool globeNear = distance <= 80;

    if ((t & 15) == 0) ChooseSteer(v, globe);
    if (v.Steer == 8) {
        v.Heading = (v.Heading + 4) & 255;
    } else if (v.Steer == 4) {
        v.Heading = (v.Heading - 4) & 255;
    }

    if (globeNear) {
        if (v.Speed < 10.0) v.Speed += 0.2f;
    } else {
        if (v.Speed > 4.0) v.Speed -= 0.2f;
    }

    const int32_t step = static_cast<int32_t>(v.Speed);
    v.X += ScaledCos(v.Heading, step);
    v.Y += ScaledSin(v.Heading, step);

    bool contact = CollideWalls(g, v);
    if (CollideCells(g, v)) contact = true;

    bool rammed = false;
    if (g.play.counters.MissionOver == 0 && Rammed(globe, v)) {
        Ram(g, v);
        rammed = true;
    }

    if (contact || rammed || v.HurtTimer > 0) {
        HurtReaction(g, v);
    } else {
        CalmBehaviour(g, v);
    }

    // After the defeat the field keeps bursting every frame, under the results scene as well.
    if ((t & 31) == 0 || g.play.counters.MissionCleared == 1) {
        const int32_t ex = GameRandom(g) % 220 + 50;
        const int32_t ey = GameRandom(g) % 380 + 50;
        SpawnExplosion(g, ex, ey);
        SpawnSparks(g, ex, ey, 2);
    }
    DrawWarnings(g, distance, v);
}

} // namespace vorna
