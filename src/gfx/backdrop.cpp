// The 32 drifting backdrop rocks behind the title, story and ending scenes.
#include "gfx/backdrop.h"

#include "base/game_math.h"
#include "base/sprite_rects.h"
#include "gfx/primitives.h"

namespace vorna {
namespace {

// The draw order of the random numbers is part of the game's sequence: keep it exactly.
void ReseedBackdropObject(Game& g, BackdropObject& o) {
    const int32_t r = GameRandom(g) & 255;
    if (r > 128) { // falls in from the top, drifting left
        o.x = GameRandom(g) % 300;
        o.y = -30;
        o.dx = -1;
        o.dy = (GameRandom(g) & 7) + 1;
    } else { // rises from the bottom, drifting right
        o.x = GameRandom(g) % 300;
        o.y = 240;
        o.dx = 1;
        o.dy = -1 - (GameRandom(g) & 7);
    }
    // Bit 2 of the value: an arithmetic shift by 2 followed by AND 1.
    o.kind = static_cast<int32_t>((static_cast<uint32_t>(GameRandom(g)) >> 2) & 1u);
    o.size = 32 - (GameRandom(g) & 15);
    o.phase = 0;
}

} // namespace

int UpdateBackdrop(Game& g, int reset) {
    int result = 0;
    for (BackdropObject& o : g.backdrop) {
        if (reset != 0 || o.y < -32 || o.y > 240) ReseedBackdropObject(g, o);
        // Only the low 8 bits of the phase count; the wrapping add keeps a long-lived object defined.
        o.phase = static_cast<int32_t>(static_cast<uint32_t>(o.phase) + 8u);
        o.x += o.dx;
        o.y += o.dy;
        const SpriteRect& cell = SpriteRectTable[RockSprite + (o.kind & 1)];
        result = gf_DD_Blt(DisplayOf(g), SheetOf(g.display), {cell.x, cell.y, cell.w, cell.h}, BackBufferOf(g.display),
                           {o.x + ScaledCos(o.phase, 16), o.y, o.size, o.size});
    }
    return result;
}

} // namespace vorna
