// The core's 8-bit surfaces: creation, loss and restore, locks, colour fills and the stretching, colour-keyed copy.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "gfx/keyed_rows.h"
#include "gfx/surface_ops.h"

namespace vorna {
namespace {

using keyed_rows::CopyRowKeyed;
using keyed_rows::GatherRowKeyed;
using keyed_rows::GatherRowPairKeyed;

// Every call on a surface meets, in this order: an injected loss, the lost state, a lock held
// elsewhere, an injected busy blitter (only for calls that DirectDraw would queue).
int32_t CheckAccess(Surface& s, bool busyApplies) {
    if (!s.exists) return DDERR_INVALIDOBJECT;
    if (s.injectLost) {
        s.injectLost = false;
        s.lost = true;
    }
    if (s.lost) return DDERR_SURFACELOST;
    if (s.locked) return DDERR_SURFACEBUSY;
    if (busyApplies && s.injectBusy > 0) {
        --s.injectBusy;
        return DDERR_WASSTILLDRAWING;
    }
    return DD_OK;
}

bool IsEmpty(const ClipRect& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

bool LiesInside(const ClipRect& r, int32_t width, int32_t height) {
    return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}

// The whole (unclipped) destination rectangle decides the stretch; the visible part is what gets written.
int32_t ClipDestination(const Surface& s, const ClipRect* rect, ClipRect& whole, ClipRect& visible) {
    whole = rect ? *rect : ClipRect{0, 0, s.width, s.height};
    if (IsEmpty(whole)) return DDERR_INVALIDRECT;
    if (!s.hasClipper) {
        if (!LiesInside(whole, s.width, s.height)) return DDERR_INVALIDRECT;
        visible = whole;
        return DD_OK;
    }
    // A clip list reaching beyond the surface still never lets a write outside it.
    visible.left = std::max({whole.left, s.clip.left, 0});
    visible.top = std::max({whole.top, s.clip.top, 0});
    visible.right = std::min({whole.right, s.clip.right, s.width});
    visible.bottom = std::min({whole.bottom, s.clip.bottom, s.height});
    if (IsEmpty(visible)) visible = ClipRect{0, 0, 0, 0};
    return DD_OK;
}

// Which source values are transparent: none, one value, or a range.
struct KeyRange {
    bool keyed;
    uint8_t low, high;
    bool Transparent(uint8_t v) const { return keyed && v >= low && v <= high; }
};

KeyRange SourceKey(const Surface& s, bool useSourceKey) {
    if (!useSourceKey || !s.hasColourKey || s.keyLow > 255 || s.keyLow > s.keyHigh) return {false, 0, 0};
    return {true, static_cast<uint8_t>(s.keyLow), static_cast<uint8_t>(std::min<uint32_t>(s.keyHigh, 255))};
}

struct CopyPlan {
    uint8_t* dst;       // first visible destination pixel
    const uint8_t* src; // source pixel for it (1:1) or the source rectangle's origin (stretch)
    int32_t dstPitch, srcPitch;
    int32_t width, height; // visible size
};

void CopyOneToOne(const CopyPlan& p, const KeyRange& key) {
    for (int32_t j = 0; j < p.height; ++j) {
        uint8_t* d = p.dst + static_cast<ptrdiff_t>(j) * p.dstPitch;
        const uint8_t* s = p.src + static_cast<ptrdiff_t>(j) * p.srcPitch;
        if (!key.keyed) {
            std::memcpy(d, s, static_cast<size_t>(p.width));
        } else if (key.low == key.high) {
            CopyRowKeyed(d, s, p.width, key.low);
        } else {
            for (int32_t i = 0; i < p.width; ++i)
                if (!key.Transparent(s[i])) d[i] = s[i];
        }
    }
}

// A copy within one surface whose rectangles overlap: walk away from the overlap, as memmove does.
void CopyOneToOneOverlapping(const CopyPlan& p, const KeyRange& key) {
    const bool rowsBackwards = p.dst > p.src;
    for (int32_t n = 0; n < p.height; ++n) {
        const int32_t j = rowsBackwards ? p.height - 1 - n : n;
        uint8_t* d = p.dst + static_cast<ptrdiff_t>(j) * p.dstPitch;
        const uint8_t* s = p.src + static_cast<ptrdiff_t>(j) * p.srcPitch;
        const bool columnsBackwards = d > s;
        for (int32_t m = 0; m < p.width; ++m) {
            const int32_t i = columnsBackwards ? p.width - 1 - m : m;
            if (!key.Transparent(s[i])) d[i] = s[i];
        }
    }
}

// Source columns are worked out for a chunk of destination columns at a time, without allocating.
constexpr int32_t kColumnChunk = 1024;

// The nearest-neighbour offsets (k * sourceLength) / destinationLength for k, k + 1, ..., stepped
// by adding quotient and remainder instead of dividing for each one.
struct NearestSteps {
    int64_t offset = 0, remainder = 0, offsetStep, remainderStep, divisor;
    NearestSteps(int64_t k, int64_t sourceLength, int64_t destinationLength) : divisor(destinationLength) {
        // Divisions are dear next to a small sprite's copy: the unclipped start needs none, and
        // lengths that fit in 32 bits take the shorter one.
        if (k != 0) {
            offset = k * sourceLength / destinationLength;
            remainder = k * sourceLength % destinationLength;
        }
        if (destinationLength <= INT32_MAX) {
            const uint32_t s = static_cast<uint32_t>(sourceLength), d = static_cast<uint32_t>(destinationLength);
            offsetStep = s / d;
            remainderStep = s % d;
        } else {
            offsetStep = sourceLength / destinationLength;
            remainderStep = sourceLength % destinationLength;
        }
    }
    void Next() {
        offset += offsetStep;
        remainder += remainderStep;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++offset;
        }
    }
};

struct StretchPlan {
    uint8_t* dstRow0; // destination row of the visible top, column 0
    const uint8_t* src;
    int32_t dstPitch, srcPitch;
    ClipRect whole, visible, source;
};

// The usual case, one key colour and rows of at least a block. Each source row is gathered once;
// destination rows that repeat it (an enlargement) take it from there, and two destination rows of
// different source rows (a reduction) are gathered together.
void CopyStretchedRowsKeyed(const StretchPlan& p, uint8_t key, const int32_t* columns, int32_t first, int32_t count,
                            NearestSteps sourceRow) {
    uint8_t gathered[kColumnChunk];
    int32_t gatheredRow = -1;
    for (int32_t row = p.visible.top; row < p.visible.bottom;) {
        uint8_t* d = p.dstRow0 + static_cast<ptrdiff_t>(row - p.visible.top) * p.dstPitch + first;
        const int32_t sy = p.source.top + static_cast<int32_t>(sourceRow.offset);
        sourceRow.Next();
        const int32_t nextSy = p.source.top + static_cast<int32_t>(sourceRow.offset);
        const uint8_t* s = p.src + static_cast<ptrdiff_t>(sy) * p.srcPitch;
        if (sy == gatheredRow) {
            CopyRowKeyed(d, gathered, count, key);
            ++row;
        } else if (row + 1 < p.visible.bottom && nextSy != sy) {
            GatherRowPairKeyed(d, d + p.dstPitch, s, p.src + static_cast<ptrdiff_t>(nextSy) * p.srcPitch, columns,
                               count, key, gathered);
            gatheredRow = nextSy;
            sourceRow.Next();
            row += 2;
        } else {
            GatherRowKeyed(d, s, columns, count, key, gathered);
            gatheredRow = sy;
            ++row;
        }
    }
}

// Any key and any width: a source row is gathered once into a row of destination width, which every
// destination row that repeats it then takes.
void CopyStretchedRows(const StretchPlan& p, const KeyRange& key, const int32_t* columns, int32_t first, int32_t count,
                       NearestSteps sourceRow) {
    uint8_t gathered[kColumnChunk];
    int32_t gatheredRow = -1;
    for (int32_t row = p.visible.top; row < p.visible.bottom; ++row, sourceRow.Next()) {
        uint8_t* d = p.dstRow0 + static_cast<ptrdiff_t>(row - p.visible.top) * p.dstPitch + first;
        const int32_t sy = p.source.top + static_cast<int32_t>(sourceRow.offset);
        if (sy != gatheredRow) {
            const uint8_t* s = p.src + static_cast<ptrdiff_t>(sy) * p.srcPitch;
            for (int32_t i = 0; i < count; ++i) gathered[i] = s[columns[i]];
            gatheredRow = sy;
        }
        if (!key.keyed) {
            std::memcpy(d, gathered, static_cast<size_t>(count));
        } else if (key.low == key.high) {
            CopyRowKeyed(d, gathered, count, key.low);
        } else {
            for (int32_t i = 0; i < count; ++i)
                if (!key.Transparent(gathered[i])) d[i] = gathered[i];
        }
    }
}

void CopyStretched(const StretchPlan& p, const KeyRange& key) {
    int32_t columns[kColumnChunk];
    const int64_t dw = static_cast<int64_t>(p.whole.right) - p.whole.left;
    const int64_t dh = static_cast<int64_t>(p.whole.bottom) - p.whole.top;
    const int64_t sw = static_cast<int64_t>(p.source.right) - p.source.left;
    const int64_t sh = static_cast<int64_t>(p.source.bottom) - p.source.top;
    for (int32_t first = p.visible.left; first < p.visible.right; first += kColumnChunk) {
        const int32_t count = std::min(kColumnChunk, p.visible.right - first);
        NearestSteps column(static_cast<int64_t>(first) - p.whole.left, sw, dw);
        for (int32_t n = 0; n < count; ++n, column.Next())
            columns[n] = p.source.left + static_cast<int32_t>(column.offset);
        const NearestSteps sourceRow(static_cast<int64_t>(p.visible.top) - p.whole.top, sh, dh);
        if (key.keyed && key.low == key.high && count >= keyed_rows::kBlockBytes)
            CopyStretchedRowsKeyed(p, key.low, columns, first, count, sourceRow);
        else
            CopyStretchedRows(p, key, columns, first, count, sourceRow);
    }
}

} // namespace

bool CreateSurface(Surface& s, int32_t width, int32_t height) {
    const bool failInjected = s.injectCreateFailure;
    ReleaseSurface(s);
    s.injectCreateFailure = false;
    if (failInjected || width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide) return false;
    const int32_t pitch = (width + 3) & ~3;
    try {
        s.pixels.assign(static_cast<size_t>(pitch) * static_cast<size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        s.pixels.clear();
        return false;
    }
    s.exists = true;
    s.width = width;
    s.height = height;
    s.pitch = pitch;
    return true;
}

void ReleaseSurface(Surface& s) {
    const int32_t busy = s.injectBusy;
    const bool lost = s.injectLost;
    const bool createFailure = s.injectCreateFailure;
    s = Surface{};
    s.injectBusy = busy;
    s.injectLost = lost;
    s.injectCreateFailure = createFailure;
}

int32_t SurfaceRestore(Surface& s) {
    if (!s.exists) return DDERR_INVALIDOBJECT;
    // Our surfaces live in system memory: the contents survive a loss.
    s.lost = false;
    s.injectLost = false;
    return DD_OK;
}

int32_t SurfaceLock(Surface& s, uint8_t** bits, int32_t* pitch) {
    const int32_t rc = CheckAccess(s, true);
    if (rc != DD_OK) return rc;
    s.locked = true;
    *bits = s.pixels.data();
    *pitch = s.pitch;
    return DD_OK;
}

void SurfaceUnlock(Surface& s) {
    s.locked = false;
}

int32_t SurfaceFill(Surface& destination, const ClipRect* destinationRect, uint32_t colour) {
    int32_t rc = CheckAccess(destination, true);
    if (rc != DD_OK) return rc;
    ClipRect whole, visible;
    rc = ClipDestination(destination, destinationRect, whole, visible);
    if (rc != DD_OK || IsEmpty(visible)) return rc;
    const size_t count = static_cast<size_t>(visible.right - visible.left);
    uint8_t* row = destination.pixels.data() + static_cast<size_t>(visible.top) * destination.pitch + visible.left;
    for (int32_t y = visible.top; y < visible.bottom; ++y, row += destination.pitch)
        std::memset(row, static_cast<int>(colour & 0xFF), count);
    return DD_OK;
}

int32_t SurfaceBlt(Surface& destination, const ClipRect* destinationRect, Surface& source, const ClipRect* sourceRect,
                   bool useSourceKey) {
    int32_t rc = CheckAccess(destination, true);
    if (rc != DD_OK) return rc;
    if (&source != &destination) {
        rc = CheckAccess(source, false);
        if (rc != DD_OK) return rc;
    }
    ClipRect whole, visible;
    rc = ClipDestination(destination, destinationRect, whole, visible);
    if (rc != DD_OK) return rc;
    const ClipRect src = sourceRect ? *sourceRect : ClipRect{0, 0, source.width, source.height};
    if (IsEmpty(src) || !LiesInside(src, source.width, source.height)) return DDERR_INVALIDRECT;
    if (IsEmpty(visible)) return DD_OK;

    const KeyRange key = SourceKey(source, useSourceKey);
    const int64_t dw = static_cast<int64_t>(whole.right) - whole.left;
    const int64_t dh = static_cast<int64_t>(whole.bottom) - whole.top;
    uint8_t* dstBase = destination.pixels.data();
    const uint8_t* srcBase = source.pixels.data();
    if (dw == src.right - src.left && dh == src.bottom - src.top) {
        const int32_t sx = src.left + (visible.left - whole.left);
        const int32_t sy = src.top + (visible.top - whole.top);
        const CopyPlan plan{dstBase + static_cast<size_t>(visible.top) * destination.pitch + visible.left,
                            srcBase + static_cast<size_t>(sy) * source.pitch + sx,
                            destination.pitch,
                            source.pitch,
                            visible.right - visible.left,
                            visible.bottom - visible.top};
        if (&source == &destination)
            CopyOneToOneOverlapping(plan, key);
        else
            CopyOneToOne(plan, key);
        return DD_OK;
    }
    const StretchPlan plan{dstBase + static_cast<size_t>(visible.top) * destination.pitch,
                           srcBase,
                           destination.pitch,
                           source.pitch,
                           whole,
                           visible,
                           src};
    CopyStretched(plan, key);
    return DD_OK;
}

} // namespace vorna
