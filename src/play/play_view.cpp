// The play view: scroll, field sprites, the HUD with its gauges, and the aim marker.
#include "play/play_view.h"

namespace vorna {

int32_t ViewScroll(const Game&) { return 0; }
int DrawFieldSprite(Game&, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
int DrawFieldSpriteMesh(Game&, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
int DrawFieldSpriteScaled(Game&, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
int DrawGauge(Game&, int32_t, int32_t, int32_t, int32_t) { return 1; }
void DrawPlayView(Game&) {}
void DrawAimMarker(Game&) {}

} // namespace vorna
