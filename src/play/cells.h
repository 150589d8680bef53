// The cells: blocks, hit points, damage and scoring, their drawing and the minimap.
#pragma once
#include <cstdint>

#include "base/game.h"

namespace vorna {

// Top-left corner on the sheet of cell index's 3 x 2 minimap mark.
inline int32_t MinimapCellX(int index) {
    return (index % 5) * 4 + 1;
}
inline int32_t MinimapCellY(int index) {
    return (index / 5) * 3 + 209;
}

void BuildMissionCells(Game& g);
// Hit points a new block of a destructible type starts with at the current Level (one random draw).
int32_t StartingHits(Game& g, int32_t type);
// Draws cell index's minimap mark (3 x 2) in colour.
void MarkMinimapCell(Game& g, int index, int32_t colour);
int HitBlock(Game& g, int index, int type);
void DrawCells(Game& g);

} // namespace vorna
