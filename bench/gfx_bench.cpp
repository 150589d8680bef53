// Speed of the drawing family on a frame's typical work, beside SDL2's software blitter on the same 8-bit pictures.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "base/game.h"
#include "gfx/display.h"
#include "gfx/primitives.h"
#include "gfx/sheet.h"

#ifdef VORNA_BENCH_SDL2
#include <SDL.h>
#endif

namespace {

using vorna::ScreenRect;

// Sheet cells the benchmarks copy: a block (64 x 48, opaque but for a ragged rim) and a globe
// (47 x 47, a disc on the transparent black the sheet uses as its key).
constexpr ScreenRect kBlockCell{0, 0, 64, 48};
constexpr ScreenRect kGlobeCell{64, 0, 47, 47};
constexpr int32_t kSheetWidth = 320;
constexpr int32_t kSheetHeight = 256;
constexpr int32_t kFrameWidth = 320;
constexpr int32_t kFrameHeight = 240;

uint8_t OpaqueValue(uint32_t& seed) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<uint8_t>(1 + (seed >> 16) % 255); // never 0, the key
}

void PaintSheet(uint8_t* pixels, int32_t pitch) {
    uint32_t seed = 7;
    for (int32_t y = 0; y < kBlockCell.height; ++y)
        for (int32_t x = 0; x < kBlockCell.width; ++x) {
            const bool rim = (x < 2 || x >= kBlockCell.width - 2 || y < 2 || y >= kBlockCell.height - 2) && (x + y) % 3;
            pixels[y * pitch + x] = rim ? 0 : OpaqueValue(seed);
        }
    const int32_t r = kGlobeCell.width / 2;
    for (int32_t y = 0; y < kGlobeCell.height; ++y)
        for (int32_t x = 0; x < kGlobeCell.width; ++x) {
            const int32_t dx = x - r, dy = y - r;
            const bool inside = dx * dx + dy * dy <= r * r;
            pixels[(kGlobeCell.y + y) * pitch + kGlobeCell.x + x] = inside ? OpaqueValue(seed) : 0;
        }
}

// The game's own setting: a 320 x 240 frame with its frame clipper and a sheet keyed on black.
struct OurSurfaces {
    std::unique_ptr<vorna::Game> game = std::make_unique<vorna::Game>();
    OurSurfaces() {
        vorna::DisplayState& d = game->display;
        vorna::CreateSurface(d.BackBuffer, kFrameWidth, kFrameHeight);
        d.BackBuffer.hasClipper = true;
        d.BackBuffer.clip = vorna::ClipRect{0, 0, kFrameWidth, kFrameHeight};
        vorna::CreateSurface(d.SheetSurface, kSheetWidth, kSheetHeight);
        PaintSheet(d.SheetSurface.pixels.data(), d.SheetSurface.pitch);
        d.SheetSurface.hasColourKey = true;
        d.SheetSurface.keyLow = d.SheetSurface.keyHigh = 0;
    }
    vorna::Surface* Frame() { return &game->display.BackBuffer; }
    vorna::Surface* Sheet() { return &game->display.SheetSurface; }
};

void OurCopy(benchmark::State& state, ScreenRect cell, int32_t width, int32_t height) {
    OurSurfaces s;
    const ScreenRect to{100, 80, width, height};
    for (auto _ : state) {
        vorna::gf_DD_Blt(DisplayOf(*s.game), s.Sheet(), cell, s.Frame(), to);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

void BM_Ours_KeyedCopy_Block64x48(benchmark::State& state) {
    OurCopy(state, kBlockCell, 64, 48);
}
void BM_Ours_KeyedCopy_Globe47x47(benchmark::State& state) {
    OurCopy(state, kGlobeCell, 47, 47);
}
void BM_Ours_KeyedStretch2x_Globe94x94(benchmark::State& state) {
    OurCopy(state, kGlobeCell, 94, 94);
}
// A standing block at its smallest pulse: 61 % of 64 x 48.
void BM_Ours_KeyedShrink61_Block39x29(benchmark::State& state) {
    OurCopy(state, kBlockCell, 39, 29);
}

void BM_Ours_SteppedFill_HudStrip(benchmark::State& state) {
    OurSurfaces s;
    for (auto _ : state) {
        vorna::gf_DD_BoxFill(DisplayOf(*s.game), s.Frame(), 0, 223, 319, 16, 2, 2, 246);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 319 * 16);
}

void BM_Ours_FrameClear(benchmark::State& state) {
    OurSurfaces s;
    for (auto _ : state) {
        vorna::gf_DD_ScrFill(DisplayOf(*s.game), s.Frame(), 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFrameWidth * kFrameHeight);
}

BENCHMARK(BM_Ours_KeyedCopy_Block64x48);
BENCHMARK(BM_Ours_KeyedCopy_Globe47x47);
BENCHMARK(BM_Ours_KeyedStretch2x_Globe94x94);
BENCHMARK(BM_Ours_KeyedShrink61_Block39x29);
BENCHMARK(BM_Ours_SteppedFill_HudStrip);
BENCHMARK(BM_Ours_FrameClear);

#ifdef VORNA_BENCH_SDL2

// The same pictures as SDL2 8-bit surfaces sharing one palette, so that its blits map index to index.
struct SdlSurfaces {
    SDL_Palette* palette = SDL_AllocPalette(256);
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, kFrameWidth, kFrameHeight, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* sheet = SDL_CreateRGBSurfaceWithFormat(0, kSheetWidth, kSheetHeight, 8, SDL_PIXELFORMAT_INDEX8);
    SdlSurfaces() {
        SDL_Color colours[256];
        for (int i = 0; i < 256; ++i) {
            const vorna::PaletteEntry e = vorna::ColourCube(i);
            colours[i] = SDL_Color{e.red, e.green, e.blue, 255};
        }
        SDL_SetPaletteColors(palette, colours, 0, 256);
        SDL_SetSurfacePalette(frame, palette);
        SDL_SetSurfacePalette(sheet, palette);
        SDL_FillRect(frame, nullptr, 0);
        PaintSheet(static_cast<uint8_t*>(sheet->pixels), sheet->pitch);
    }
    ~SdlSurfaces() {
        SDL_FreeSurface(frame);
        SDL_FreeSurface(sheet);
        SDL_FreePalette(palette);
    }
};

SDL_Rect ToSdl(ScreenRect r) {
    return SDL_Rect{r.x, r.y, r.width, r.height};
}

void SdlKeyedBlit(benchmark::State& state, ScreenRect cell) {
    SdlSurfaces s;
    SDL_SetColorKey(s.sheet, SDL_TRUE, 0);
    const SDL_Rect from = ToSdl(cell);
    for (auto _ : state) {
        SDL_Rect to{100, 80, cell.width, cell.height}; // SDL_BlitSurface writes back the clipped rectangle
        if (SDL_BlitSurface(s.sheet, &from, s.frame, &to) != 0) state.SkipWithError(SDL_GetError());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * cell.width * cell.height);
}

// SDL2 has no keyed scaled blit between 8-bit surfaces; its unkeyed stretch is the yardstick.
void SdlStretch(benchmark::State& state, ScreenRect cell, int32_t width, int32_t height) {
    SdlSurfaces s;
    const SDL_Rect from = ToSdl(cell);
    for (auto _ : state) {
        SDL_Rect to{100, 80, width, height};
        if (SDL_SoftStretch(s.sheet, &from, s.frame, &to) != 0) state.SkipWithError(SDL_GetError());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

void BM_SDL2_KeyedBlit_Block64x48(benchmark::State& state) {
    SdlKeyedBlit(state, kBlockCell);
}
void BM_SDL2_KeyedBlit_Globe47x47(benchmark::State& state) {
    SdlKeyedBlit(state, kGlobeCell);
}
void BM_SDL2_Stretch2x_Globe94x94(benchmark::State& state) {
    SdlStretch(state, kGlobeCell, 94, 94);
}
void BM_SDL2_Shrink61_Block39x29(benchmark::State& state) {
    SdlStretch(state, kBlockCell, 39, 29);
}
void BM_SDL2_FrameClear(benchmark::State& state) {
    SdlSurfaces s;
    for (auto _ : state) {
        SDL_FillRect(s.frame, nullptr, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFrameWidth * kFrameHeight);
}

BENCHMARK(BM_SDL2_KeyedBlit_Block64x48);
BENCHMARK(BM_SDL2_KeyedBlit_Globe47x47);
BENCHMARK(BM_SDL2_Stretch2x_Globe94x94);
BENCHMARK(BM_SDL2_Shrink61_Block39x29);
BENCHMARK(BM_SDL2_FrameClear);

#endif

} // namespace
