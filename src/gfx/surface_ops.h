// Surface operations with DirectDraw-like results: creation, restore, whole-surface locks and the blitter.
#pragma once
#include <cstdint>

#include "base/surface.h"

namespace vorna {

// Surfaces larger than this in either direction are refused, so that sizes and offsets stay in 32 bits.
constexpr int32_t kMaxSurfaceSide = 16384;

bool CreateSurface(Surface& s, int32_t width, int32_t height);
void ReleaseSurface(Surface& s);
int32_t SurfaceRestore(Surface& s);
// Whole-surface lock without waiting.
int32_t SurfaceLock(Surface& s, uint8_t** bits, int32_t* pitch);
void SurfaceUnlock(Surface& s);

// The blitter. A null rectangle means the whole surface. The destination is clipped by its clipper
// when it has one; without one, a destination rectangle reaching outside the surface is refused
// (DDERR_INVALIDRECT), as is an empty rectangle or a source rectangle outside the source.
int32_t SurfaceFill(Surface& destination, const ClipRect* destinationRect, uint32_t colour);
// Copies with nearest-neighbour stretching: destination column i of the unclipped destination
// rectangle reads source column sourceLeft + (i * sourceWidth) / destinationWidth, rows alike.
// With useSourceKey, source pixels within the source's colour key are left out.
int32_t SurfaceBlt(Surface& destination, const ClipRect* destinationRect, Surface& source, const ClipRect* sourceRect,
                   bool useSourceKey);

} // namespace vorna
