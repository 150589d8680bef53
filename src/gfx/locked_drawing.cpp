// The locking half of the gf_DD_ drawing family: dot meshes, lines, single pixels and the stepped copy.
#include <algorithm>
#include <cstddef>
#include <cstdlib>

#include "gfx/gfx_debug.h"
#include "gfx/primitives.h"

namespace vorna {
namespace {

bool Missing(const Surface* s) {
    return s == nullptr || !s->exists;
}

// A step of 0 counts as 1; a negative step would never reach the end of the rectangle, so it counts as 1 too.
int64_t StepOf(int32_t step) {
    return step < 1 ? 1 : step;
}

// The first offset 0, step, 2 * step, ... that is not below low (low >= 0).
int64_t FirstOffsetFrom(int64_t low, int64_t step) {
    return (low + step - 1) / step * step;
}

// The line and the stepped copy clip to the fixed frame window (kFrameWidth x kFrameHeight), never larger
// than the surface itself.

struct LockedSurface {
    uint8_t* bits = nullptr;
    int32_t pitch = 0;
    uint8_t* Row(int64_t y) const { return bits + static_cast<ptrdiff_t>(y) * pitch; }
};

bool Lock(Surface& s, LockedSurface& locked) {
    return SurfaceLock(s, &locked.bits, &locked.pitch) == DD_OK;
}

} // namespace

int gf_DD_BoxFill(const DisplayContext& c, Surface* surface, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t columnStep, int32_t rowStep, int32_t colour) {
    if (Missing(surface)) {
        GfxDebug(c.shell, "gf_DD_BoxFill:ｻｰﾌｪｰｽ情報が壊れています\n");
        return 0;
    }
    LockedSurface locked;
    if (!Lock(*surface, locked)) return 0;
    const int64_t cs = StepOf(columnStep), rs = StepOf(rowStep);
    // The callers keep the rectangle inside the surface; pixels outside it are skipped, never written.
    const int64_t jEnd = std::min<int64_t>(height, static_cast<int64_t>(surface->height) - y);
    const int64_t iEnd = std::min<int64_t>(width, static_cast<int64_t>(surface->width) - x);
    const int64_t iFirst = FirstOffsetFrom(std::max<int64_t>(0, -static_cast<int64_t>(x)), cs);
    const uint8_t value = static_cast<uint8_t>(colour);
    for (int64_t j = FirstOffsetFrom(std::max<int64_t>(0, -static_cast<int64_t>(y)), rs); j < jEnd; j += rs) {
        uint8_t* row = locked.Row(y + j);
        for (int64_t i = iFirst; i < iEnd; i += cs) row[x + i] = value;
    }
    SurfaceUnlock(*surface);
    return 0; // the game's stepped fill reports 0 whatever it drew
}

int gf_DD_PDraw(const DisplayContext& c, Surface* surface, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                int32_t colour) {
    if (Missing(surface)) {
        GfxDebug(c.shell, "gf_DD_PDraw:ｻｰﾌｪｰｽ情報が壊れています\n");
        return 0;
    }
    LockedSurface locked;
    if (!Lock(*surface, locked)) return 0;
    // The incremental line, in closed form: after k major steps the minor coordinate has moved
    // m(k) = (k * minor - 1) / major times (0 while k * minor is 0), exactly as the accumulated error
    // that must exceed the major length decides. Only the steps whose major coordinate lies in the
    // window are visited, so a line from far outside costs no more than one inside.
    const int64_t dx = std::abs(static_cast<int64_t>(x0) - x1);
    const int64_t dy = std::abs(static_cast<int64_t>(y0) - y1);
    const bool xMajor = dx > dy;
    const int64_t major = xMajor ? dx : dy;
    const int64_t minor = xMajor ? dy : dx;
    const int64_t sx = x1 > x0 ? 1 : (x1 < x0 ? -1 : 0);
    const int64_t sy = y1 > y0 ? 1 : (y1 < y0 ? -1 : 0);
    const int64_t maxX = std::min(kFrameWidth, surface->width) - 1;
    const int64_t maxY = std::min(kFrameHeight, surface->height) - 1;
    const int64_t majorStart = xMajor ? x0 : y0;
    const int64_t majorStep = xMajor ? sx : sy;
    const int64_t majorMax = xMajor ? maxX : maxY;
    int64_t kFirst = 1, kLast = major;
    if (majorStep > 0) {
        kFirst = std::max<int64_t>(kFirst, -majorStart);
        kLast = std::min<int64_t>(kLast, majorMax - majorStart);
    } else if (majorStep < 0) {
        kFirst = std::max<int64_t>(kFirst, majorStart - majorMax);
        kLast = std::min<int64_t>(kLast, majorStart);
    }
    const uint8_t value = static_cast<uint8_t>(colour);
    for (int64_t k = kFirst; k <= kLast; ++k) {
        const uint64_t travelled = static_cast<uint64_t>(k) * static_cast<uint64_t>(minor);
        const int64_t moves = travelled == 0 ? 0 : static_cast<int64_t>((travelled - 1) / static_cast<uint64_t>(major));
        const int64_t x = xMajor ? x0 + sx * k : x0 + sx * moves;
        const int64_t y = xMajor ? y0 + sy * moves : y0 + sy * k;
        if (x >= 0 && x <= maxX && y >= 0 && y <= maxY) locked.Row(y)[x] = value;
    }
    SurfaceUnlock(*surface);
    return 1;
}

int gf_DD_PDraw(const DisplayContext& c, Surface* surface, int32_t x, int32_t y, int32_t colour) {
    if (Missing(surface)) {
        GfxDebug(c.shell, "gf_DD_PDraw:ｻｰﾌｪｰｽ情報が壊れています\n");
        return 0;
    }
    LockedSurface locked;
    if (!Lock(*surface, locked)) return 0;
    if (x >= 0 && x < surface->width && y >= 0 && y < surface->height) locked.Row(y)[x] = static_cast<uint8_t>(colour);
    SurfaceUnlock(*surface);
    return 1;
}

int gf_DD_Glid(const DisplayContext& c, Surface* source, int32_t sourceX, int32_t sourceY, int32_t width,
               int32_t height, Surface* destination, int32_t destinationX, int32_t destinationY, int32_t columnStep,
               int32_t rowStep) {
    if (Missing(source) || Missing(destination)) {
        GfxDebug(c.shell, "gf_DD_Glid:ｻｰﾌｪｰｽ情報が壊れています\n");
        return 0;
    }
    LockedSurface from, to;
    if (!Lock(*source, from)) return 0;
    if (!Lock(*destination, to)) {
        SurfaceUnlock(*source);
        return 0;
    }
    const int64_t cs = StepOf(columnStep), rs = StepOf(rowStep);
    const int64_t sx = sourceX, sy = sourceY, dx = destinationX, dy = destinationY;
    // The destination is clipped to the frame window (and its own size); source pixels outside the
    // source are skipped as well, where the game would have read beyond it.
    const int64_t iLow = std::max<int64_t>({0, -dx, -sx});
    const int64_t jLow = std::max<int64_t>({0, -dy, -sy});
    const int64_t iEnd = std::min<int64_t>({width, std::min(kFrameWidth, destination->width) - dx, source->width - sx});
    const int64_t jEnd =
        std::min<int64_t>({height, std::min(kFrameHeight, destination->height) - dy, source->height - sy});
    const int64_t iFirst = FirstOffsetFrom(iLow, cs);
    for (int64_t j = FirstOffsetFrom(jLow, rs); j < jEnd; j += rs) {
        const uint8_t* s = from.Row(sy + j);
        uint8_t* d = to.Row(dy + j);
        for (int64_t i = iFirst; i < iEnd; i += cs) d[dx + i] = s[sx + i];
    }
    SurfaceUnlock(*source);
    SurfaceUnlock(*destination);
    return 1;
}

} // namespace vorna
