// The play view: scroll, field sprites, the HUD with its gauges, and the aim marker.
#pragma once
#include <cstdint>

#include "base/game.h"

namespace vorna {

int32_t ViewScroll(const Game& g);
int DrawFieldSprite(Game& g, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t sw, int32_t sh);
int DrawFieldSpriteMesh(Game& g, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t sw, int32_t sh);
int DrawFieldSpriteScaled(Game& g, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t pw,
                          int32_t ph);
int DrawGauge(Game& g, int32_t x, int32_t y, int32_t value, int32_t cells);
void DrawPlayView(Game& g);
void DrawAimMarker(Game& g);

} // namespace vorna
