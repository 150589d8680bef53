// Text in the sheet's own capital-letter font, and the 32 drifting backdrop rocks.
#include "gfx/sheet_text.h"

#include "base/game_math.h"
#include "base/sprite_rects.h"
#include "gfx/primitives.h"

namespace vorna {

// Sheet x of A..Z on row 0, then the end of Z: each glyph is one column narrower than its slot.
const int32_t GlyphStartTable[27] = {0,   11,  22,  33,  44,  54,  64,  75,  87,  95,  106, 118, 127, 142,
                                     155, 165, 177, 188, 199, 208, 218, 229, 240, 255, 266, 277, 288};

namespace {

constexpr int32_t kGlyphHeight = 16;
constexpr int32_t kDigitRow = 208;
constexpr int32_t kDigitLeft = 48;
constexpr int32_t kDigitWidth = 8;
constexpr int32_t kSpaceWidth = 8;

int BlitFromSheet(Game& g, const ScreenRect& source, const ScreenRect& destination) {
    return gf_DD_Blt(g, SheetOf(g), source, BackBufferOf(g), destination);
}

} // namespace

int DrawSheetText(Game& g, const char* text, int32_t x, int32_t y) {
    if (text == nullptr) return 1;
    int32_t pen = x;
    for (const char* p = text; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 'A' && c <= 'Z') {
            const int32_t start = GlyphStartTable[c - 'A'];
            const int32_t width = GlyphStartTable[c - 'A' + 1] - start - 1;
            BlitFromSheet(g, {start, 0, width, kGlyphHeight}, {pen, y, width, kGlyphHeight});
            pen += width;
        } else if (c >= '0' && c <= '9') {
            BlitFromSheet(g, {kDigitLeft + kDigitWidth * (c - '0'), kDigitRow, kDigitWidth, kGlyphHeight},
                          {pen, y, kDigitWidth, kGlyphHeight});
            pen += kDigitWidth;
        } else if (c == ' ') {
            pen += kSpaceWidth;
        }
        // Every other byte (lower case, punctuation, double-byte text) is dropped without moving the pen.
    }
    return 1;
}

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
        result =
            BlitFromSheet(g, {cell.x, cell.y, cell.w, cell.h}, {o.x + ScaledCos(o.phase, 16), o.y, o.size, o.size});
    }
    return result;
}

} // namespace vorna
