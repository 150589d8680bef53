// The cells: blocks, hit points, damage and scoring, their drawing and the minimap.
#pragma once
#include <cstdint>

#include "app/game.h"

namespace vorna {

void BuildMissionCells(Game& g);
int HitBlock(Game& g, int index, int type);
void DrawCells(Game& g);

} // namespace vorna
