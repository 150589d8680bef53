// Paints the version box's credit panel plan in software, into a buffer of 0x00RRGGBB pixels.
#pragma once
#include <cstdint>
#include <functional>

#include "app/about_panel.h"
#include "gfx/sheet.h"

namespace vorna {

// Draws one text centred on a single line in (x, y, w, h) in the colour 0xRRGGBB.
using PanelTextDrawer = std::function<void(const char* text, int x, int y, int w, int h, uint32_t rgb)>;

// Paints the plan into a width x height buffer (top row first); the plan's W and H are one more than the
// pixel size, as the item rectangle gives them. What falls outside the buffer is dropped.
void PaintAboutPlan(const AboutPanelPlan& plan, const DibImage& sheet, uint32_t* pixels, int width, int height,
                    const PanelTextDrawer& drawText);

} // namespace vorna
