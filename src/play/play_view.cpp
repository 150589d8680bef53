// The play view: scroll, field sprites, the HUD with its gauges, and the aim marker.
#include "play/play_view.h"

#include <cstdio>

#include "base/game_math.h"
#include "base/sprite_rects.h"
#include "gfx/sheet_sprite.h"
#include "gfx/sheet_text.h"
#include "play/cells.h"

namespace vorna {

namespace {

// The percentage scale works with the single-precision 0.01, a hair below the true value, taken to double:
// 48 rows at 75 % give 35, not 36.
constexpr double kPercent = static_cast<double>(0.01f);

const char* const kFormNames[3] = {"SUN", "TERA", "MOON"};

int32_t ScaledSize(int32_t size, int32_t percent) {
    return static_cast<int32_t>(size * kPercent * percent);
}

void DrawHud(Game& g) {
    const PlayCounters& c = g.play.counters;
    const GlobeRecord& globe = g.play.globe;
    Surface* frame = BackBufferOf(g.display);
    // Dotted strips that let the field show through.
    gf_DD_BoxFill(DisplayOf(g), frame, 0, 0, 319, 16, 2, 2, 246);
    gf_DD_BoxFill(DisplayOf(g), frame, 0, 223, 319, 16, 2, 2, 246);

    char line[32];
    std::snprintf(line, sizeof line, "SCORE %d0", static_cast<int>(c.Score));
    DrawSheetText(DisplayOf(g), line, 4, 0);
    std::snprintf(line, sizeof line, "TIME %d", static_cast<int>(c.MissionTime));
    DrawSheetText(DisplayOf(g), line, 136, 0);
    DrawSheetText(DisplayOf(g), "SPEED", 4, 224);
    DrawGauge(g, 50, 223, static_cast<int32_t>(globe.Speed), 4);
    DrawSheetText(DisplayOf(g), "ENERGY", 108, 224);
    DrawGauge(g, 168, 223, globe.Energy / 25, 8);
    if (globe.Form >= SUN && globe.Form <= MOON) DrawSheetText(DisplayOf(g), kFormNames[globe.Form], 272, 224);

    if (globe.Y > 120) DrawSheetCell(DisplayOf(g), UpArrowSprite, 152, 20);
    if (globe.Y < 360) DrawSheetCell(DisplayOf(g), DownArrowSprite, 152, 204);

    ScreenRect source;
    ScreenRect destination;
    gf_DD_Blt(DisplayOf(g), SheetOf(g.display),
              MakeScreenRect(source, MinimapArea.x, MinimapArea.y, MinimapArea.w, MinimapArea.h), frame,
              MakeScreenRect(destination, 292, 186, MinimapArea.w, MinimapArea.h));
    gf_DD_PDraw(DisplayOf(g), frame, globe.X / 16 + 293, globe.Y / 16 + 187, 255);
}

} // namespace

int32_t ViewScroll(const Game& g) {
    const int32_t scroll = g.play.globe.Y - 120;
    if (scroll < 0) return 0;
    if (scroll > 240) return 240;
    return scroll;
}

int DrawFieldSprite(Game& g, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
    ScreenRect source;
    ScreenRect destination;
    return gf_DD_Blt(DisplayOf(g), SheetOf(g.display), MakeScreenRect(source, sx, sy, sw, sh), BackBufferOf(g.display),
                     MakeScreenRect(destination, x, y - ViewScroll(g), sw, sh));
}

int DrawFieldSpriteMesh(Game& g, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
    return gf_DD_Glid(DisplayOf(g), SheetOf(g.display), sx, sy, sw, sh, BackBufferOf(g.display), x, y - ViewScroll(g),
                      2, 2);
}

int DrawFieldSpriteScaled(Game& g, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t pw,
                          int32_t ph) {
    ScreenRect source;
    ScreenRect destination;
    return gf_DD_Blt(DisplayOf(g), SheetOf(g.display), MakeScreenRect(source, sx, sy, sw, sh), BackBufferOf(g.display),
                     MakeScreenRect(destination, x, y - ViewScroll(g), ScaledSize(sw, pw), ScaledSize(sh, ph)));
}

// A cell stands for 4 units and shows its fullest piece for 3 or 4 of them.
int DrawGauge(Game& g, int32_t x, int32_t y, int32_t value, int32_t cells) {
    const SpriteRect& size = SpriteRectTable[GaugeSprite];
    for (int32_t i = 0; i < cells; ++i) {
        int32_t piece = 0;
        if (value > 0) piece = value < 3 ? value : 3;
        value -= 4;
        DrawSheetCell(DisplayOf(g), GaugeSprite + piece, x, y, size.w, size.h);
        x += size.w - 4;
    }
    return 1;
}

void DrawPlayView(Game& g) {
    const GlobeRecord& globe = g.play.globe;
    Surface* frame = BackBufferOf(g.display);
    g.play.GlobeScreenX = globe.X - 24;
    g.play.GlobeScreenY = (globe.Y - ViewScroll(g)) - 24;
    const int32_t sx = g.play.GlobeScreenX;
    const int32_t sy = g.play.GlobeScreenY;

    // Flickers while the time runs; stands still with it.
    if ((g.play.counters.MissionTime & 1) != 0) {
        gf_DD_PDraw(DisplayOf(g), frame, 0, sy + 24, 319, sy + 24, 24);
        gf_DD_PDraw(DisplayOf(g), frame, sx + 24, 0, sx + 24, 239, 24);
    }

    DrawCells(g);

    if (globe.Form >= SUN && globe.Form <= MOON) DrawSheetCell(DisplayOf(g), GlobeSprite + globe.Form, sx, sy);

    if (g.play.counters.MissionNumber == 9) {
        const int entry = (g.scene.SceneTimer & 15) < 7 ? VornaSprite : VornaSprite + 1;
        const SpriteRect& r = SpriteRectTable[entry];
        DrawFieldSprite(g, g.play.vorna.X, g.play.vorna.Y, r.x, r.y, r.w, r.h);
    }

    DrawHud(g);
}

void DrawAimMarker(Game& g) {
    const int32_t heading = g.play.globe.Heading;
    const int32_t cx = g.play.GlobeScreenX + 24;
    const int32_t cy = g.play.GlobeScreenY + 24;
    const int32_t ex = cx + ScaledCos(heading, 128);
    const int32_t ey = cy + ScaledSin(heading, 128);
    Surface* frame = BackBufferOf(g.display);
    gf_DD_PDraw(DisplayOf(g), frame, cx, cy, ex, ey, 24);
    gf_DD_BoxDraw(DisplayOf(g), frame, ex - 8, ey - 8, 16, 16, 24);
    gf_DD_BoxDraw(DisplayOf(g), frame, cx + ScaledCos(heading, 64) - 4, cy + ScaledSin(heading, 64) - 4, 8, 8, 24);
}

} // namespace vorna
