// The four effect pools: explosions, sparks, debris and stars.
#pragma once
#include <cstdint>

#include "base/game.h"

namespace vorna {

void SpawnExplosion(Game& g, int32_t x, int32_t y);
void SpawnSparks(Game& g, int32_t x, int32_t y, int32_t count);
void SpawnDebris(Game& g, int32_t x, int32_t y, int32_t count);
void SpawnStars(Game& g, int32_t count);
void UpdateExplosions(Game& g);
void UpdateSparks(Game& g);
void UpdateDebris(Game& g);
void UpdateStars(Game& g);

} // namespace vorna
