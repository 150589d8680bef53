// The four effect pools: explosions, sparks, debris and stars.
#include "play/effects.h"

namespace vorna {

void SpawnExplosion(Game&, int32_t, int32_t) {}
void SpawnSparks(Game&, int32_t, int32_t, int32_t) {}
void SpawnDebris(Game&, int32_t, int32_t, int32_t) {}
void SpawnStars(Game&, int32_t) {}
void UpdateExplosions(Game&) {}
void UpdateSparks(Game&) {}
void UpdateDebris(Game&) {}
void UpdateStars(Game&) {}

} // namespace vorna
