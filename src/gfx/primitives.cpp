// The blitter half of the gf_DD_ drawing family: fills, outlines and the colour-keyed, stretching copy.
#include "gfx/primitives.h"
#include "gfx/display.h"
#include "gfx/gfx_debug.h"

namespace vorna {
namespace {

// Right and bottom edges follow the 32-bit wraparound of the game's integers.
ClipRect ToClipRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    return ClipRect{x, y, static_cast<int32_t>(static_cast<uint32_t>(x) + static_cast<uint32_t>(width)),
                    static_cast<int32_t>(static_cast<uint32_t>(y) + static_cast<uint32_t>(height))};
}

// The one result rule of the family: a busy blitter repeats the same call at once, a lost surface
// restores the surfaces and drops the drawing, anything else but success draws nothing.
template <typename Call> int RunBlit(const DisplayContext& c, Call call) {
    for (;;) {
        const int32_t rc = call();
        if (rc == DDERR_WASSTILLDRAWING) continue;
        if (rc == DDERR_SURFACELOST) {
            RestoreSurfaces(c);
            return 0;
        }
        return rc == DD_OK ? 1 : 0;
    }
}

bool Missing(const Surface* s) {
    return s == nullptr || !s->exists;
}

int FillRect(const DisplayContext& c, Surface& surface, const ClipRect& rect, int32_t colour) {
    return RunBlit(c, [&] { return SurfaceFill(surface, &rect, static_cast<uint32_t>(colour)); });
}

} // namespace

int gf_DD_ScrFill(const DisplayContext& c, Surface* surface, int32_t colour) {
    if (Missing(surface)) {
        GfxDebug(c.shell, "gf_DD_ScrFill:サーフェース情報が壊れています\n");
        return 0;
    }
    return RunBlit(c, [&] { return SurfaceFill(*surface, nullptr, static_cast<uint32_t>(colour)); });
}

int gf_DD_BoxFill(const DisplayContext& c, Surface* surface, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t colour) {
    if (Missing(surface)) {
        GfxDebug(c.shell, "gf_DD_BoxFill:ｻｰﾌｪｰｽ情報が壊れています\n");
        return 0;
    }
    return FillRect(c, *surface, ToClipRect(x, y, width, height), colour);
}

int gf_DD_BoxDraw(const DisplayContext& c, Surface* surface, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t colour) {
    if (Missing(surface)) {
        GfxDebug(c.shell, "gf_DD_BoxDraw:ｻｰﾌｪｰｽ情報が壊れています\n");
        return 0;
    }
    const int32_t right = static_cast<int32_t>(static_cast<uint32_t>(x) + static_cast<uint32_t>(width));
    const int32_t bottom = static_cast<int32_t>(static_cast<uint32_t>(y) + static_cast<uint32_t>(height));
    // Top, right, left, bottom: each edge stands alone, so a lost or refused edge does not stop the rest.
    FillRect(c, *surface, ClipRect{x, y, right, static_cast<int32_t>(static_cast<uint32_t>(y) + 1u)}, colour);
    FillRect(c, *surface, ClipRect{static_cast<int32_t>(static_cast<uint32_t>(right) - 1u), y, right, bottom}, colour);
    FillRect(c, *surface, ClipRect{x, y, static_cast<int32_t>(static_cast<uint32_t>(x) + 1u), bottom}, colour);
    FillRect(c, *surface, ClipRect{x, static_cast<int32_t>(static_cast<uint32_t>(bottom) - 1u), right, bottom}, colour);
    return 1;
}

int gf_DD_Blt(const DisplayContext& c, Surface* source, ScreenRect sourceRect, Surface* destination,
              ScreenRect destinationRect) {
    if (Missing(source)) {
        GfxDebug(c.shell, "gf_DD_Blt:転送元ｻｰﾌｪｰｽ情報が壊れています\n");
        return 0;
    }
    if (Missing(destination)) {
        GfxDebug(c.shell, "gf_DD_Blt:転送先ｻｰﾌｪｰｽ情報が壊れています\n");
        return 0;
    }
    const ClipRect from = ToClipRect(sourceRect.x, sourceRect.y, sourceRect.width, sourceRect.height);
    const ClipRect to = ToClipRect(destinationRect.x, destinationRect.y, destinationRect.width, destinationRect.height);
    return RunBlit(c, [&] { return SurfaceBlt(*destination, &to, *source, &from, true); });
}

} // namespace vorna
