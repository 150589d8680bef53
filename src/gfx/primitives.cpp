// The gf_DD_ drawing family over the core's 8-bit surfaces, and the surface operations beneath it.
#include "gfx/primitives.h"

namespace vorna {

bool CreateSurface(Surface&, int32_t, int32_t) { return false; }
void ReleaseSurface(Surface& s) { s = Surface{}; }
int32_t SurfaceRestore(Surface&) { return DD_OK; }
int32_t SurfaceLock(Surface&, uint8_t**, int32_t*) { return DDERR_GENERIC; }
void SurfaceUnlock(Surface&) {}
int gf_DD_ScrFill(Game&, Surface*, int32_t) { return 0; }
int gf_DD_BoxFill(Game&, Surface*, int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
int gf_DD_BoxFill(Game&, Surface*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
int gf_DD_BoxDraw(Game&, Surface*, int32_t, int32_t, int32_t, int32_t, int32_t) { return 1; }
int gf_DD_PDraw(Game&, Surface*, int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
int gf_DD_PDraw(Game&, Surface*, int32_t, int32_t, int32_t) { return 0; }
int gf_DD_Blt(Game&, Surface*, ScreenRect, Surface*, ScreenRect) { return 0; }
int gf_DD_Glid(Game&, Surface*, int32_t, int32_t, int32_t, int32_t, Surface*, int32_t, int32_t, int32_t, int32_t) {
    return 0;
}

} // namespace vorna
