// The gf_DD_ drawing family over the core's 8-bit surfaces, and the surface operations beneath it.
#pragma once
#include <cstdint>

#include "base/display_state.h"
#include "base/surface.h"
#include "gfx/surface_ops.h"

namespace vorna {

// A null surface pointer stands for a missing surface.
inline Surface* Existing(Surface& s) {
    return s.exists ? &s : nullptr;
}

// Every member takes the display context: a lost surface restores the display's surfaces through it,
// and a missing one is reported on its shell. The locking members only report, but share the family's form.
int gf_DD_ScrFill(const DisplayContext& c, Surface* surface, int32_t colour);
int gf_DD_BoxFill(const DisplayContext& c, Surface* surface, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t colour);
int gf_DD_BoxFill(const DisplayContext& c, Surface* surface, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t columnStep, int32_t rowStep, int32_t colour);
int gf_DD_BoxDraw(const DisplayContext& c, Surface* surface, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t colour);
int gf_DD_PDraw(const DisplayContext& c, Surface* surface, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                int32_t colour);
int gf_DD_PDraw(const DisplayContext& c, Surface* surface, int32_t x, int32_t y, int32_t colour);
int gf_DD_Blt(const DisplayContext& c, Surface* source, ScreenRect sourceRect, Surface* destination,
              ScreenRect destinationRect);
int gf_DD_Glid(const DisplayContext& c, Surface* source, int32_t sourceX, int32_t sourceY, int32_t width,
               int32_t height, Surface* destination, int32_t destinationX, int32_t destinationY, int32_t columnStep,
               int32_t rowStep);

// Shorthands used by every scene: the frame and the sheet as the drawing family sees them.
inline Surface* BackBufferOf(DisplayState& d) {
    return Existing(d.BackBuffer);
}
inline Surface* SheetOf(DisplayState& d) {
    return Existing(d.SheetSurface);
}

} // namespace vorna
