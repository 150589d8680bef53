// The scenes drawn with the generated graphics sheet on the headless backend: what the player really sees.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "backends/headless/headless_platform.h"
#include "gfx/display.h"
#include "gfx/primitives.h"
#include "music/music_player.h"
#include "programs/headless_runner/runner.h"
#include "scenes/scene_machine.h"
#include "support/scene_fixture.h"

using namespace vorna;
using vorna::testing::GlyphOf;

namespace {

struct RealSheetGame {
    std::unique_ptr<Game> g = std::make_unique<Game>();
    HeadlessBackend backend{*g, {}};
    RealSheetGame() {
        backend.Attach();
        EXPECT_TRUE(InitDisplay(DisplayOf(*g)));
        g->app.FrameCounter = 2;
        g->scene.Scene = SceneBoot;
    }
    // The title starts a song; the player's buffers go with the music device, as at the program's end.
    ~RealSheetGame() { CloseMusic(MusicOf(*g)); }
    // A running frame as the frame driver makes it.
    void Frame() {
        gf_DD_ScrFill(DisplayOf(*g), BackBufferOf(g->display), 0);
        SceneFrame(*g);
    }
    uint8_t Frame(int32_t x, int32_t y) const {
        const Surface& s = g->display.BackBuffer;
        return s.pixels[static_cast<size_t>(y) * s.pitch + x];
    }
    uint8_t Sheet(int32_t x, int32_t y) const {
        const Surface& s = g->display.SheetSurface;
        return s.pixels[static_cast<size_t>(y) * s.pitch + x];
    }
    // Compares the text's glyphs with the frame: every sheet pixel that is not the key colour must be there.
    // Returns the number of glyph pixels compared, or -1 at the first difference.
    int CompareText(const std::string& text, int32_t x, int32_t y) const {
        const uint32_t key = g->display.SheetSurface.keyLow;
        int compared = 0;
        int32_t pen = x;
        for (char c : text) {
            if (c == ' ') {
                pen += 8;
                continue;
            }
            const auto [sx, w] = GlyphOf(c);
            const int32_t sy = c >= 'A' ? 0 : 208;
            for (int32_t j = 0; j < 16; ++j)
                for (int32_t i = 0; i < w; ++i) {
                    const uint8_t want = Sheet(sx + i, sy + j);
                    if (want == key) continue;
                    if (Frame(pen + i, y + j) != want) return -1;
                    ++compared;
                }
            pen += w;
        }
        return compared;
    }
};

bool ReadPngRgb(const std::string& path, std::vector<uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    const bool ok = image.width == 320 && image.height == 240 &&
                    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

} // namespace

TEST(GeneratedSheet, DumpedFirstTitleFrameShowsTheScoreLineGlyphs) {
    // Frame 404 is the title's first frame (the logo ends in frame 403).
    const std::string dir = ::testing::TempDir() + "vorna-scene-dump";
    std::FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    ASSERT_EQ(RunHeadlessMain({"--frames", "404", "--dump-dir", dir, "--dump-frames", "404"}, stdin, sink, sink), 0);
    std::fclose(sink);
    std::vector<uint8_t> rgb;
    ASSERT_TRUE(ReadPngRgb(dir + "/frame-000404.png", rgb));

    // The glyphs as the sheet holds them, through the palette the dump used.
    RealSheetGame run;
    run.Frame();
    const uint32_t key = run.g->display.SheetSurface.keyLow;
    const PaletteEntry* pal = run.g->display.PaletteEntries;
    int compared = 0, wrong = 0, lit = 0;
    int32_t pen = 16;
    for (char c : std::string("HI SCORE 020000    SCORE 000000")) {
        if (c == ' ') {
            pen += 8;
            continue;
        }
        const auto [sx, w] = GlyphOf(c);
        const int32_t sy = c >= 'A' ? 0 : 208;
        for (int32_t j = 0; j < 16; ++j)
            for (int32_t i = 0; i < w; ++i) {
                const uint8_t index = run.Sheet(sx + i, sy + j);
                if (index == key) continue;
                const uint8_t* px = &rgb[(static_cast<size_t>(2 + j) * 320 + static_cast<size_t>(pen + i)) * 3];
                wrong += px[0] != pal[index].red || px[1] != pal[index].green || px[2] != pal[index].blue;
                lit += px[0] + px[1] + px[2] > 0;
                ++compared;
            }
        pen += w;
    }
    EXPECT_GT(compared, 300);
    EXPECT_GT(lit, 300); // the glyphs are really lit, not black on black
    EXPECT_EQ(wrong, 0);
}

TEST(GeneratedSheet, FirstTitleShowsTheScoreLineInTheSheetFont) {
    RealSheetGame run;
    run.Frame();
    ASSERT_TRUE(run.g->display.SheetSurface.exists) << "the programs are built with the generated sheet";
    ASSERT_TRUE(run.g->display.SheetSurface.hasColourKey);
    while (run.g->scene.Scene != SceneTitle) run.Frame();
    run.Frame();
    // Every letter and digit has pixels of its own; a wrong glyph or position would differ somewhere.
    EXPECT_GT(run.CompareText("HI SCORE 020000    SCORE 000000", 16, 2), 300);
    EXPECT_GT(run.CompareText("PLEASE ESC KEY EXIT", 74, 184), 150);
    EXPECT_EQ(run.CompareText("HI SCORE 020000    SCORE 000010", 16, 2), -1);
}

TEST(GeneratedSheet, LogoHoldShowsTheMakersLine) {
    RealSheetGame run;
    for (int i = 0; i < 140; ++i) run.Frame();
    ASSERT_EQ(run.g->scene.SceneStep, 1);
    EXPECT_GT(run.CompareText("2000 QUILLBEX DRAVO PRESENT", 32, 128), 200);
    // The logo unscaled at (72, 80): its opaque pixels are the sheet's (0, 144) cell.
    int opaque = 0;
    for (int32_t j = 0; j < 32; ++j)
        for (int32_t i = 0; i < 176; ++i) {
            const uint8_t want = run.Sheet(i, 144 + j);
            if (want == run.g->display.SheetSurface.keyLow) continue;
            ASSERT_EQ(run.Frame(72 + i, 80 + j), want) << i << "," << j;
            ++opaque;
        }
    EXPECT_GT(opaque, 500);
}
