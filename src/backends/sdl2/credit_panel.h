// The version box's credit panel: stars, the sun-earth-moon system and the credit roll, painted in software.
#pragma once
#include <cstdint>
#include <functional>

#include "base/game.h"
#include "gfx/sheet.h"

namespace vorna {

constexpr int kCreditRowCount = 29;
extern const char* const kCreditRoll[kCreditRowCount];

// Draws one row's text centred in (x, y, w, h) in the colour 0xRRGGBB.
using PanelTextDrawer = std::function<void(const char* text, int x, int y, int w, int h, uint32_t rgb)>;

// Opening the box starts the sun and the roll again (the star field goes on from where it was).
void OpenCreditPanel(Game& g);
// One tick of the box's 100 ms timer.
void AdvanceCreditPanel(Game& g);
// Paints one picture into a width x height buffer of 0x00RRGGBB (top row first). As on every paint, the
// star field moves on one step and the game's random generator is re-seeded with 11. W and H are one more
// than the pixel size, as the item rectangle gives them; what falls outside the buffer is dropped.
// False (nothing painted, nothing advanced) when the sheet is missing.
bool PaintCreditPanel(Game& g, const DibImage* sheet, uint32_t* pixels, int width, int height,
                      const PanelTextDrawer& drawText);

} // namespace vorna
