// The globe: steering, walls, cell contact and energy.
#include "play/globe.h"

#include "base/game_math.h"
#include "base/input_state.h"
#include "base/sound_numbers.h"
#include "play/cells.h"
#include "play/effects.h"
#include "sound/sound_effects.h"

namespace vorna {

int SteerGlobe(Game& g) {
    GlobeRecord& globe = g.play.globe;
    const uint32_t held = g.scene.InputNow;
    int turned = 0;

    // Form: MOON only while button 1 is held; button 2 presses are ignored meanwhile.
    if ((held & InputButton1) != 0) {
        if (globe.Form != MOON) {
            PlaySoundEffect(SoundOf(g), kSoundFormChange);
            globe.SavedForm = globe.Form;
            globe.Form = MOON;
        }
    } else {
        if (globe.Form == MOON) globe.Form = globe.SavedForm; // the return is silent
        if ((g.scene.InputPressed & InputButton2) != 0) {
            PlaySoundEffect(SoundOf(g), kSoundFormChange);
            globe.Form = globe.Form == SUN ? TERA : SUN;
        }
    }

    if ((held & InputRight) != 0) {
        globe.Heading = (globe.Heading + 4) & 255;
        turned = 1;
    } else if ((held & InputLeft) != 0) {
        globe.Heading = (globe.Heading - 4) & 255;
        turned = 1;
    }

    // Single-precision steps against double limits; with both held at 16.0 or more the DOWN branch runs.
    if ((held & InputUp) != 0 && static_cast<double>(globe.Speed) < 16.0) {
        globe.Speed = globe.Speed + 0.2f;
    } else if ((held & InputDown) != 0 && static_cast<double>(globe.Speed) > 2.0) {
        globe.Speed = globe.Speed - 0.2f;
    }
    return turned;
}

// The first cell in row-major order whose block the point touches, both ends of the cell counting as inside.
int FirstSolidCellAt(const Game& g, int32_t x, int32_t y) {
    for (int i = 0; i < kCellCount; ++i) {
        const int32_t type = g.play.CellType[i];
        if (type < 0 || type >= 4) continue; // empty and ghost cells let the globe through
        const int32_t left = (i % 5) * 64;
        const int32_t top = (i / 5) * 48;
        if (left <= x && x <= left + 64 && top <= y && y <= top + 48) return i;
    }
    return -1;
}

int CollideGlobe(Game& g) {
    GlobeRecord& globe = g.play.globe;
    int bounced = 0;

    if (globe.X < 0) {
        globe.Heading = (128 - globe.Heading) & 255;
        globe.X = 0;
        bounced = 1;
    } else if (globe.X > 319) {
        bounced = 1;
        globe.X = 319;
        // One step short of the mirror for the left half of the turn; the game has always bounced so.
        globe.Heading = globe.Heading < 128 ? 128 - globe.Heading : 383 - globe.Heading;
    }
    if (globe.Y < 0) {
        globe.Heading = (-globe.Heading) & 255;
        globe.Y = 0;
        bounced = 1;
    } else if (globe.Y > 479) {
        globe.Heading = (-globe.Heading) & 255;
        globe.Y = 479;
        bounced = 1;
    }

    const int cell = FirstSolidCellAt(g, globe.X, globe.Y);
    if (cell >= 0) {
        const int32_t type = g.play.CellType[cell];
        const int32_t xc = globe.X;
        const int32_t yc = globe.Y;
        globe.X = globe.PrevX;
        globe.Y = globe.PrevY;
        globe.Heading = (globe.Heading - 128) & 255;
        if (type == 3) {
            PlaySoundEffect(SoundOf(g), kSoundStoneHit);
            ChangeEnergy(g, -5);
            SpawnDebris(g, xc, yc, 8);
        } else {
            PlaySoundEffect(SoundOf(g), kSoundBlockHit);
            const int32_t ex = xc + (GameRandom(g) & 15) - 24;
            const int32_t ey = yc + (GameRandom(g) & 15) - 16;
            SpawnExplosion(g, ex, ey);
            const int32_t bx = (cell % 5) * 64 + (GameRandom(g) & 15) + 8;
            const int32_t by = (cell / 5) * 48 + (GameRandom(g) & 15) + 8;
            SpawnExplosion(g, bx, by);
            HitBlock(g, cell, type);
            SpawnSparks(g, ex, ey, 2);
        }
    }

    if (bounced == 1) {
        PlaySoundEffect(SoundOf(g), kSoundWallBounce);
        ChangeEnergy(g, -2);
    }
    return bounced;
}

int ChangeEnergy(Game& g, int32_t delta) {
    if (g.play.counters.MissionOver == 1) return 0;
    GlobeRecord& globe = g.play.globe;
    globe.Energy += delta;
    if (globe.Energy < 0) {
        globe.Energy = 0;
        g.play.counters.MissionFailed = 1;
        return 1;
    }
    return 0;
}

} // namespace vorna
