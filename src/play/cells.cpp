// The cells: blocks, hit points, damage and scoring, their drawing and the minimap.
#include "play/cells.h"

#include "base/game_math.h"
#include "base/sound_numbers.h"
#include "base/sprite_rects.h"
#include "gfx/primitives.h"
#include "play/effects.h"
#include "play/missions.h"
#include "play/play_view.h"
#include "sound/sound_effects.h"

namespace vorna {

namespace {

// Damage factor by the globe's form (rows) and the block's type (columns: red, green, blue).
constexpr int32_t kDamageFactor[3][3] = {
    {4, 1, 1}, // SUN
    {1, 1, 5}, // TERA
    {8, 8, 8}, // MOON
};

int32_t MinimapColour(int32_t type) {
    return (type >= 0 && type <= 3) ? 255 : 10;
}

} // namespace

int32_t StartingHits(Game& g, int32_t type) {
    const int32_t level = g.play.counters.Level;
    if (type == 1) return (GameRandom(g) & 15) + 96 + 160 * level;
    return (GameRandom(g) & 7) + 32 + 80 * level;
}

void MarkMinimapCell(Game& g, int index, int32_t colour) {
    gf_DD_BoxDraw(DisplayOf(g), SheetOf(g.display), MinimapCellX(index), MinimapCellY(index), 3, 2, colour);
}

void BuildMissionCells(Game& g) {
    PlayState& p = g.play;
    gf_DD_BoxFill(DisplayOf(g), SheetOf(g.display), MinimapArea.x, MinimapArea.y, MinimapArea.w, MinimapArea.h, 24);
    gf_DD_BoxFill(DisplayOf(g), SheetOf(g.display), MinimapArea.x + 1, MinimapArea.y + 1, MinimapArea.w - 2,
                  MinimapArea.h - 2, 10);

    const int32_t number = p.counters.MissionNumber;
    // The counter only ever holds 0..9; anything else builds the empty field rather than reading past the table.
    const MissionRecord* mission = (number >= 0 && number < 10) ? &MissionTable[number] : nullptr;
    p.counters.BlocksLeft = 0;
    for (int i = 0; i < kCellCount; ++i) {
        const int32_t type = mission != nullptr ? mission->cells[i] : 4;
        p.CellType[i] = type;
        if (type >= 0 && type <= 2) {
            p.counters.BlocksLeft += 1;
            p.CellHits[i] = StartingHits(g, type);
        } else if (type >= 10 && type <= 13) {
            p.CellHits[i] = -1;
        }
        MarkMinimapCell(g, i, MinimapColour(type));
    }
}

int HitBlock(Game& g, int index, int type) {
    PlayState& p = g.play;
    if (p.counters.MissionOver == 1) return 0;
    if (index < 0 || index >= kCellCount || type < 0 || type > 2) return 0;
    p.counters.Score += 1;

    const int32_t form = p.globe.Form;
    const int32_t factor = (form >= 0 && form <= 2) ? kDamageFactor[form][type] : 0;
    p.CellHits[index] -= (static_cast<int32_t>(p.globe.Speed) + 1) * factor;
    if (p.CellHits[index] >= 0) return 0;

    p.counters.BlocksLeft -= 1;
    p.CellType[index] = 4;
    gf_DD_BoxFill(DisplayOf(g), SheetOf(g.display), MinimapCellX(index), MinimapCellY(index), 3, 2, 10);
    p.counters.Score += type == 1 ? 40 : 10;
    PlaySoundEffect(SoundOf(g), kSoundBlockDestroyed);
    PlaySoundEffect(SoundOf(g), kSoundBlockShards);
    if (p.counters.BlocksLeft <= 0 && p.counters.MissionNumber != 9) p.counters.MissionCleared = 1;

    const int32_t column = index % 5;
    const int32_t row = index / 5;
    for (int i = 0; i < 8; ++i) {
        const int32_t ex = (GameRandom(g) & 63) + column * 64 - 31;
        const int32_t ey = (GameRandom(g) & 63) + row * 48 - 31;
        SpawnExplosion(g, ex, ey);
        SpawnSparks(g, ex, ey, 4);
    }
    return 1;
}

void DrawCells(Game& g) {
    for (int i = 0; i < kCellCount; ++i) {
        const int32_t type = g.play.CellType[i];
        const int32_t x = (i % 5) * 64;
        const int32_t y = (i / 5) * 48;
        if (type >= 0 && type <= 2) {
            // Four draws per standing block, every frame: this is what makes blocks shake and pulse.
            const int32_t r1 = GameRandom(g);
            const int32_t r2 = GameRandom(g);
            const int32_t r3 = GameRandom(g);
            const int32_t r4 = GameRandom(g);
            const SpriteRect& s = SpriteRectTable[BlockSprite + type];
            DrawFieldSpriteScaled(g, x + (r1 & 7), y + (r2 & 7), s.x, s.y, s.w, s.h, 80 + r4 % 20, 80 + r3 % 20);
        } else if (type == 3) {
            const SpriteRect& s = SpriteRectTable[BlockSprite + 3];
            DrawFieldSprite(g, x, y, s.x, s.y, s.w, s.h);
        } else if (type >= 10 && type <= 13) {
            const SpriteRect& s = SpriteRectTable[BlockSprite + type - 10];
            DrawFieldSpriteMesh(g, x, y, s.x, s.y, s.w, s.h);
        }
    }
}

} // namespace vorna
