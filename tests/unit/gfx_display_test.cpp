// Display set-up codes and lines, the palette layout, presentation and shutdown over a fake presenter.
#include <gtest/gtest.h>

#include "gfx/sheet.h"
#include "support/gfx_fakes.h"

using namespace vorna;
using vorna::gfx_testing::GfxFixtureGame;

namespace {

bool Same(const PaletteEntry& e, int r, int g, int b, int flags) {
    return e.red == r && e.green == g && e.blue == b && e.flags == flags;
}

} // namespace

TEST(GfxDisplay, ColourCubeExamplesAndLevels) {
    EXPECT_TRUE(Same(ColourCube(10 - 10), 0, 0, 0, 4));
    EXPECT_TRUE(Same(ColourCube(24 - 10), 0, 109, 170, 4));
    EXPECT_TRUE(Same(ColourCube(224 - 10), 218, 182, 170, 4));
    EXPECT_TRUE(Same(ColourCube(245 - 10), 255, 72, 255, 4));
    const int levels[8] = {0, 36, 72, 109, 145, 182, 218, 255};
    for (int i = 0; i < 236; ++i) {
        EXPECT_EQ(ColourCube(i).red, levels[i >> 5]);
        EXPECT_EQ(ColourCube(i).green, levels[(i >> 2) & 7]);
        EXPECT_EQ(ColourCube(i).blue, (i & 3) * 85);
    }
}

TEST(GfxDisplay, WindowSetUpRunsEveryStepAndLeavesAReadyFrame) {
    GfxFixtureGame t(false);
    Game& g = t.g;
    g.display.PaletteEntries[7] = PaletteEntry{1, 2, 3, 0};   // as read from a system palette
    g.display.PaletteEntries[100] = PaletteEntry{9, 9, 9, 9}; // replaced by the cube
    g.display.PaletteEntries[250] = PaletteEntry{4, 5, 6, 0};
    ASSERT_TRUE(InitDisplay(DisplayOf(g)));
    const std::vector<std::string> steps = {
        "CreateDevice",          "QueryCaps",           "SetCooperativeLevel(window)",
        "CreatePrimary(window)", "CreateWindowClipper", "BindClipperToWindow",
        "AttachWindowClipper",   "CreatePalette",       "AttachPalette",
        "SetPaletteEntries",     "ClearPrimary"};
    EXPECT_EQ(t.presenter.calls, steps);
    EXPECT_TRUE(t.presenter.lastEmulationOnly);
    EXPECT_EQ(t.shell.lines, (std::vector<std::string>{"DirectDraw Caps:OK!\n", "DirectDraw Caps FX:OK!\n",
                                                       "DirectDraw Init ErrorCode [0]\n"}));
    EXPECT_EQ(t.presenter.paletteWrites, std::vector<std::string>{"0,256"});
    EXPECT_EQ(g.display.DisplayReady, 1);
    const Surface& frame = g.display.BackBuffer;
    EXPECT_TRUE(frame.exists);
    EXPECT_EQ(frame.width, 320);
    EXPECT_EQ(frame.height, 240);
    EXPECT_TRUE(frame.hasClipper);
    EXPECT_EQ(frame.clip.right, 320);
    EXPECT_EQ(frame.clip.bottom, 240);
    EXPECT_TRUE(frame.hasColourKey);
    EXPECT_EQ(frame.keyLow, 0u); // black is entry 0
    EXPECT_EQ(frame.keyHigh, 0u);
    EXPECT_TRUE(Same(g.display.PaletteEntries[7], 1, 2, 3, 0));
    EXPECT_TRUE(Same(g.display.PaletteEntries[250], 4, 5, 6, 0));
    EXPECT_TRUE(Same(g.display.PaletteEntries[100], 72, 218, 170, 4));
    EXPECT_TRUE(Same(t.presenter.createdPalette[24], 0, 109, 170, 4));
}

TEST(GfxDisplay, FullScreenSetUpAsksForTheModeAndRetriesThePrimaryOnceWithoutSystemMemory) {
    GfxFixtureGame t(false);
    Game& g = t.g;
    g.display.FullScreenMode = 1;
    g.display.SystemMemorySurfaces = 0;
    g.display.EmulationOnly = 0;
    t.presenter.failStep = "CreatePrimary(full)";
    t.presenter.failuresLeft = 1;
    ASSERT_TRUE(InitDisplay(DisplayOf(g)));
    const std::vector<std::string> steps = {"CreateDevice",
                                            "QueryCaps",
                                            "SetCooperativeLevel(full)",
                                            "SetDisplayMode(320,240,8)",
                                            "CreatePrimary(full)",
                                            "CreatePrimary(full)",
                                            "GetFlipSurface",
                                            "CreatePalette",
                                            "AttachPalette",
                                            "SetPaletteEntries",
                                            "ClearPrimary"};
    EXPECT_EQ(t.presenter.calls, steps);
    EXPECT_FALSE(t.presenter.lastEmulationOnly);

    GfxFixtureGame w(false); // a window asks for video memory when /M is given, and never retries
    w.g.display.SystemMemorySurfaces = 0;
    w.presenter.failStep = "CreatePrimary(window,video)";
    EXPECT_FALSE(InitDisplay(DisplayOf(w.g)));
    EXPECT_EQ(w.shell.lines.back(), "DirectDraw Init ErrorCode [2]\n");
}

TEST(GfxDisplay, EachFailingStepGivesItsCode) {
    const struct {
        const char* step;
        bool fullScreen;
        int code;
    } cases[] = {
        {"CreateDevice", false, 31},
        {"QueryCaps", false, 32},
        {"SetCooperativeLevel(window)", false, 1},
        {"SetCooperativeLevel(full)", true, 1},
        {"SetDisplayMode(320,240,8)", true, 33},
        {"CreatePrimary(full)", true, 2},
        {"CreatePrimary(window)", false, 2},
        {"GetFlipSurface", true, 3},
        {"CreateWindowClipper", false, 19},
        {"BindClipperToWindow", false, 20},
        {"AttachWindowClipper", false, 21},
        {"CreatePalette", false, 8},
        {"CreatePalette", true, 8},
        {"AttachPalette", false, 9},
    };
    for (const auto& c : cases) {
        GfxFixtureGame t(false);
        t.g.display.FullScreenMode = c.fullScreen;
        t.presenter.failStep = c.step;
        EXPECT_FALSE(InitDisplay(DisplayOf(t.g))) << c.step;
        EXPECT_EQ(t.g.display.DisplayReady, 0);
        EXPECT_EQ(t.presenter.calls.back(), c.step); // nothing after the failing step
        EXPECT_EQ(t.shell.lines.back(), "DirectDraw Init ErrorCode [" + std::to_string(c.code) + "]\n") << c.step;
        EXPECT_EQ(t.shell.lines.size(), c.code == 31 || c.code == 32 ? 1u : 3u);
        EXPECT_EQ(PresentFrame(DisplayOf(t.g), ClientAreaOf(t.g.window)), 0);
        EXPECT_EQ(ShutdownDisplay(DisplayOf(t.g)), 1);
    }
    GfxFixtureGame t(false);
    t.g.display.BackBuffer.injectCreateFailure = true;
    EXPECT_FALSE(InitDisplay(DisplayOf(t.g)));
    EXPECT_EQ(t.shell.lines.back(), "DirectDraw Init ErrorCode [7]\n");
    Game noPresenter;
    EXPECT_FALSE(InitDisplay(DisplayOf(noPresenter)));
}

TEST(GfxDisplay, ReservedColoursComeFromTheStandardSetWhenNobodyReadThem) {
    GfxFixtureGame t(false);
    for (PaletteEntry& e : t.g.display.PaletteEntries) e = PaletteEntry{0, 0, 0, 0};
    ASSERT_TRUE(InitDisplay(DisplayOf(t.g)));
    const PaletteEntry* p = t.g.display.PaletteEntries;
    EXPECT_TRUE(Same(p[0], 0, 0, 0, 0));
    EXPECT_TRUE(Same(p[3], 128, 128, 0, 0));
    EXPECT_TRUE(Same(p[9], 166, 202, 240, 0));
    EXPECT_TRUE(Same(p[246], 255, 251, 240, 0));
    EXPECT_TRUE(Same(p[249], 255, 0, 0, 0));
    EXPECT_TRUE(Same(p[254], 0, 255, 255, 0));
    EXPECT_TRUE(Same(p[255], 255, 255, 255, 0));
}

TEST(GfxDisplay, PresentFrameShowsTheFrameOnlyWhileTheDisplayIsReady) {
    GfxFixtureGame t(false);
    Game& g = t.g;
    EXPECT_EQ(PresentFrame(DisplayOf(g), ClientAreaOf(g.window)), 0);
    ASSERT_TRUE(InitDisplay(DisplayOf(g)));
    g.window = WindowState{};
    g.window.ClientX = -20;
    g.window.ClientY = 30;
    g.window.ClientWidth = 640;
    g.window.ClientHeight = 240;
    t.at(t.frame(), 5, 6) = 77;
    EXPECT_EQ(PresentFrame(DisplayOf(g), ClientAreaOf(g.window)), 1);
    EXPECT_EQ(t.presenter.presents, 1);
    EXPECT_EQ(t.presenter.waits, 1);
    EXPECT_EQ(t.presenter.lastFrame[6 * 320 + 5], 77);
    EXPECT_EQ(t.presenter.lastClient.x, -20);
    EXPECT_EQ(t.presenter.lastClient.y, 30);
    EXPECT_EQ(t.presenter.lastClient.width, 640);
    EXPECT_EQ(t.presenter.lastClient.height, 240);
    EXPECT_FALSE(t.presenter.lastFullScreen);
    EXPECT_TRUE(Same(t.presenter.lastPalette[24], 0, 109, 170, 4));

    t.presenter.presentResults = {DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING, DD_OK};
    EXPECT_EQ(PresentFrame(DisplayOf(g), ClientAreaOf(g.window)), 1);
    EXPECT_EQ(t.presenter.presents, 4); // repeated at once while busy
    t.presenter.presentResults = {DDERR_SURFACELOST};
    EXPECT_EQ(PresentFrame(DisplayOf(g), ClientAreaOf(g.window)), 1);
    EXPECT_EQ(t.presenter.presents, 5); // not repeated after a loss
    EXPECT_EQ(t.presenter.restores, 1);
    t.presenter.presentResults = {DDERR_GENERIC};
    EXPECT_EQ(PresentFrame(DisplayOf(g), ClientAreaOf(g.window)), 1);
    EXPECT_EQ(t.presenter.presents, 6);
    t.frame().injectLost = true; // a lost frame is restored instead of shown
    EXPECT_EQ(PresentFrame(DisplayOf(g), ClientAreaOf(g.window)), 1);
    EXPECT_EQ(t.presenter.presents, 6);
    EXPECT_EQ(t.presenter.restores, 2);
    EXPECT_EQ(t.presenter.waits, 5);

    ShutdownDisplay(DisplayOf(g));
    EXPECT_EQ(PresentFrame(DisplayOf(g), ClientAreaOf(g.window)), 0);
    EXPECT_EQ(t.presenter.presents, 6);
}

TEST(GfxDisplay, RestoreReportsFailures) {
    GfxFixtureGame t;
    EXPECT_TRUE(RestoreSurfaces(DisplayOf(t.g)));
    t.presenter.failStep = "RestorePrimary";
    EXPECT_FALSE(RestoreSurfaces(DisplayOf(t.g)));
    t.presenter.failStep = "AttachPalette";
    EXPECT_FALSE(RestoreSurfaces(DisplayOf(t.g)));
}

TEST(GfxDisplay, ShutdownReleasesEverythingAndIsSafeTwice) {
    GfxFixtureGame t;
    Game& g = t.g;
    ASSERT_TRUE(CreateSurface(g.display.SheetSurface, 8, 8));
    EXPECT_EQ(ShutdownDisplay(DisplayOf(g)), 1);
    EXPECT_EQ(t.presenter.calls, (std::vector<std::string>{"FlipToGdi", "ReleaseAll"}));
    EXPECT_FALSE(g.display.BackBuffer.exists);
    EXPECT_FALSE(g.display.SheetSurface.exists); // the sheet goes with the device
    EXPECT_EQ(g.display.DisplayReady, 0);
    EXPECT_EQ(ShutdownDisplay(DisplayOf(g)), 1);
    EXPECT_EQ(gf_DD_ScrFill(DisplayOf(g), BackBufferOf(g.display), 0), 0);
    Game bare; // no presenter, no shell
    EXPECT_EQ(ShutdownDisplay(DisplayOf(bare)), 1);
}

TEST(GfxDisplay, PaletteEntriesReachThePresenter) {
    GfxFixtureGame t;
    Game& g = t.g;
    EXPECT_TRUE(SetPaletteEntry(DisplayOf(g), 0, 0xFF8001));
    EXPECT_TRUE(Same(g.display.PaletteEntries[0], 0xFF, 0x80, 0x01, 1));
    EXPECT_EQ(t.presenter.paletteWrites.back(), "0,1");
    EXPECT_FALSE(SetPaletteEntry(DisplayOf(g), 256, 0));
    EXPECT_FALSE(SetPaletteEntry(DisplayOf(g), -1, 0));
    EXPECT_TRUE(LoadAllPaletteEntries(DisplayOf(g)));
    EXPECT_EQ(t.presenter.paletteWrites.back(), "0,256");
    t.presenter.failStep = "SetPaletteEntries";
    EXPECT_FALSE(SetPaletteEntry(DisplayOf(g), 3, 0));
    EXPECT_FALSE(LoadAllPaletteEntries(DisplayOf(g)));

    GfxFixtureGame before(false); // no palette yet: the copy changes, the call reports failure
    EXPECT_FALSE(SetPaletteEntry(DisplayOf(before.g), 5, 0x010203));
    EXPECT_TRUE(Same(before.g.display.PaletteEntries[5], 1, 2, 3, 1));
    EXPECT_FALSE(LoadAllPaletteEntries(DisplayOf(before.g)));
}
