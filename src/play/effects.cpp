// The four effect pools: explosions, sparks, debris and stars.
#include "play/effects.h"

#include "base/game_math.h"
#include "base/sprite_rects.h"
#include "gfx/sheet_sprite.h"
#include "play/play_view.h"

namespace vorna {

namespace {

// First free slot from slot 0, or null: a full pool drops the request without a word.
template <int N> EffectObject* FirstFree(EffectObject (&pool)[N]) {
    for (EffectObject& o : pool) {
        if (o.Active == 0) return &o;
    }
    return nullptr;
}

void DrawFieldEntry(Game& g, int entry, int32_t x, int32_t y) {
    const SpriteRect& r = SpriteRectTable[entry];
    DrawFieldSprite(g, x, y, r.x, r.y, r.w, r.h);
}

} // namespace

void SpawnExplosion(Game& g, int32_t x, int32_t y) {
    EffectObject* o = FirstFree(g.play.pools.ExplosionPool);
    if (o == nullptr) return;
    *o = EffectObject{};
    o->Active = 1;
    o->X = x;
    o->Y = y;
    o->Period = (GameRandom(g) & 7) + 1;
}

void SpawnSparks(Game& g, int32_t x, int32_t y, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        EffectObject* o = FirstFree(g.play.pools.SparkPool);
        if (o == nullptr) continue;
        *o = EffectObject{};
        o->Active = 1;
        o->Angle = GameRandom(g) & 255;
        o->Spin = (GameRandom(g) & 7) + 2;
        o->CentreX = x;
        o->CentreY = y;
    }
}

// The truncating remainder makes the drift lean up and to the left (-9..3); the game moves that way.
void SpawnDebris(Game& g, int32_t x, int32_t y, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        EffectObject* o = FirstFree(g.play.pools.DebrisPool);
        if (o == nullptr) continue;
        *o = EffectObject{};
        o->Active = 1;
        o->Period = (GameRandom(g) & 3) + 2;
        o->VX = GameRandom(g) % 7 - 3;
        o->VY = GameRandom(g) % 7 - 3;
        o->X = x;
        o->Y = y;
    }
}

void SpawnStars(Game& g, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        EffectObject* o = FirstFree(g.play.pools.StarPool);
        if (o == nullptr) continue;
        *o = EffectObject{};
        o->Active = 1;
        o->X = 160;
        o->Y = 120;
        o->VX = GameRandom(g) % 7 - 3;
        o->VY = GameRandom(g) % 7 - 3;
        o->FrameCounter = GameRandom(g) & 15;
        o->XPeriod = GameRandom(g) & 7;
        o->YPeriod = GameRandom(g) & 7;
    }
}

void UpdateExplosions(Game& g) {
    for (EffectObject& o : g.play.pools.ExplosionPool) {
        if (o.Active == 0) continue;
        o.Counter += 1;
        if (o.Counter > o.Period) {
            o.Frame += 1;
            o.Counter = 0;
            if (o.Frame > 3) {
                o.Active = 0;
                continue;
            }
        }
        DrawFieldEntry(g, ExplosionSprite + o.Frame, o.X, o.Y);
    }
}

void UpdateSparks(Game& g) {
    for (EffectObject& o : g.play.pools.SparkPool) {
        if (o.Active == 0) continue;
        o.Age += 1;
        if (o.Age > 64) {
            o.Active = 0;
            continue;
        }
        o.Angle = (o.Angle + o.Spin) & 255;
        o.X = o.CentreX + ScaledCos(o.Angle, o.Age);
        o.Y = o.CentreY + ScaledSin(o.Angle, o.Age);
        DrawFieldEntry(g, SparkSprite, o.X, o.Y);
    }
}

void UpdateDebris(Game& g) {
    for (EffectObject& o : g.play.pools.DebrisPool) {
        if (o.Active == 0) continue;
        o.Counter += 1;
        if ((o.Counter & 1) != 0) {
            o.X += o.VX;
            o.Y += o.VY;
        }
        if (o.Counter > o.Period) {
            o.Frame += 1;
            o.Counter = 0;
            if (o.Frame > 7) {
                o.Active = 0;
                continue;
            }
        }
        DrawFieldEntry(g, DebrisSprite + o.Frame, o.X, o.Y);
    }
}

void UpdateStars(Game& g) {
    for (EffectObject& o : g.play.pools.StarPool) {
        if (o.Active == 0) continue;
        o.FrameCounter += 1;
        if (o.FrameCounter > 16) {
            o.FrameCounter = GameRandom(g) & 3;
            o.Frame += 1;
            if (o.Frame > 7) {
                o.Active = 0;
                continue;
            }
        }
        o.XCount += 1;
        if (o.XCount > o.XPeriod) {
            o.XCount = 0;
            o.X += o.VX;
        }
        o.YCount += 1;
        if (o.YCount > o.YPeriod) {
            o.YCount = 0;
            o.Y += o.VY;
        }
        // Stars live in screen coordinates: no scroll, and every frame of the star drawn at 15 x 15.
        const SpriteRect& first = SpriteRectTable[StarSprite];
        DrawSheetCell(DisplayOf(g), StarSprite + o.Frame, o.X, o.Y, first.w, first.h);
    }
}

} // namespace vorna
