// The headless backend: virtual time, the closing sequence, the shell's answers and file access.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "backends/headless/headless_platform.h"

using namespace vorna;

TEST(HeadlessBackend, WaitingIsTheOnlyThingThatMovesTheClock) {
    auto g = std::make_unique<Game>();
    HeadlessBackend backend(*g, {});
    backend.Attach();
    Clock& clock = *g->platform.clock;
    uint32_t start = clock.NowMs();
    EXPECT_EQ(clock.NowMs(), start);
    g->platform.pump->WaitForMessage(13);
    EXPECT_EQ(clock.NowMs() - start, 13u);
    g->platform.pump->WaitForMessage(0);
    EXPECT_EQ(clock.NowMs() - start, 13u);
}

TEST(HeadlessBackend, VirtualClockWrapsLikeTheMillisecondClock) {
    VirtualClock clock(0xFFFFFFF8u);
    clock.Advance(13);
    EXPECT_EQ(clock.NowMs(), 5u);
}

TEST(HeadlessBackend, AttachGivesWhatAWindowWouldHaveGiven) {
    auto g = std::make_unique<Game>();
    HeadlessBackend backend(*g, {});
    backend.Attach();
    EXPECT_EQ(g->app.AppActive, 1);
    const Platform& p = g->platform;
    EXPECT_TRUE(p.clock && p.pump && p.keyboard && p.joystick && p.presenter && p.sound && p.midi && p.shell &&
                p.resources && p.files);
    EXPECT_EQ(p.observer, nullptr);
}

TEST(HeadlessBackend, ClosingDestroysThenQuitsWithCodeZero) {
    auto g = std::make_unique<Game>();
    HeadlessBackend backend(*g, {});
    backend.Attach();
    MessagePump& pump = *g->platform.pump;
    EXPECT_FALSE(pump.Peek());
    backend.pump.RequestClose();
    backend.pump.RequestClose(); // one window, one destruction
    ASSERT_TRUE(pump.Peek());
    int code = 77;
    uint32_t before = g->platform.clock->NowMs();
    pump.WaitForMessage(13); // a waiting message ends the wait at once
    EXPECT_EQ(g->platform.clock->NowMs(), before);
    EXPECT_TRUE(pump.GetAndDispatch(code));
    EXPECT_TRUE(backend.pump.Destroyed());
    EXPECT_EQ(code, 77);
    ASSERT_TRUE(pump.Peek());
    EXPECT_FALSE(pump.GetAndDispatch(code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(pump.Peek());
    EXPECT_FALSE(backend.pump.Stalled());
}

TEST(HeadlessBackend, AWaitThatCouldNeverEndClosesTheRunInstead) {
    auto g = std::make_unique<Game>();
    HeadlessBackend backend(*g, {});
    backend.Attach();
    g->platform.pump->WaitForMessage(kWaitForever);
    EXPECT_TRUE(backend.pump.Stalled());
    EXPECT_TRUE(g->platform.pump->Peek());
}

TEST(HeadlessBackend, ARunWithoutFramesForAMinuteIsClosed) {
    auto g = std::make_unique<Game>();
    HeadlessBackend backend(*g, {});
    backend.Attach();
    for (int i = 0; i < 4000; ++i) g->platform.pump->WaitForMessage(13);
    EXPECT_FALSE(backend.pump.Stalled());
    backend.pump.NoteFrame();
    for (int i = 0; i < 4700 && !g->platform.pump->Peek(); ++i) g->platform.pump->WaitForMessage(13);
    EXPECT_TRUE(backend.pump.Stalled());
}

TEST(HeadlessBackend, PresenterSucceedsAndCounts) {
    HeadlessPresenter p;
    EXPECT_TRUE(p.CreateDevice(true));
    EXPECT_TRUE(p.CreatePrimary(false, false));
    PaletteEntry pal[256] = {};
    EXPECT_TRUE(p.CreatePalette(pal));
    EXPECT_TRUE(p.HasPrimary());
    EXPECT_TRUE(p.HasPalette());
    uint8_t pixels[320] = {};
    EXPECT_EQ(p.Present(pixels, 320, pal, false, ClientArea{0, 0, 640, 480}), 0);
    EXPECT_EQ(p.Present(pixels, 320, pal, true, ClientArea{0, 0, 320, 240}), 0);
    EXPECT_EQ(p.PresentCount(), 2u);
    p.ReleaseAll();
    EXPECT_FALSE(p.HasPrimary());
    EXPECT_FALSE(p.HasPalette());
}

TEST(HeadlessBackend, ShellAnswersYesOrOkAndKeepsDebugLines) {
    HeadlessShell shell;
    EXPECT_EQ(shell.MessageBox("Full screen?", "VORNA", MB_YESNO_STYLE | MB_ICONQUESTION_STYLE), IDYES_ANSWER);
    EXPECT_EQ(shell.MessageBox("failed", "VORNA", MB_OK_STYLE | MB_ICONERROR_STYLE), IDOK_ANSWER);
    ASSERT_EQ(shell.MessageBoxes().size(), 2u);
    EXPECT_EQ(shell.MessageBoxes()[0].text, "Full screen?");
    shell.DebugOutput("DirectDraw Init ErrorCode [0]\n");
    shell.DebugOutput("gf_DD_Blt:転送元ｻｰﾌｪｰｽ情報が壊れています\n");
    shell.DebugOutput("no line end");
    ASSERT_EQ(shell.DebugLines().size(), 3u);
    EXPECT_EQ(shell.DebugLines()[0], "DirectDraw Init ErrorCode [0]");
    EXPECT_EQ(shell.DebugLines()[1], "gf_DD_Blt:転送元ｻｰﾌｪｰｽ情報が壊れています");
    EXPECT_EQ(shell.DebugLines()[2], "no line end");
}

TEST(HeadlessBackend, DebugLinesGoToTheSinkOnePerLine) {
    std::FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    HeadlessShell shell;
    shell.SetDebugSink(sink);
    shell.DebugOutput("one\n");
    shell.DebugOutput("two");
    std::rewind(sink);
    char buf[64] = {};
    size_t n = std::fread(buf, 1, sizeof buf - 1, sink);
    std::fclose(sink);
    EXPECT_EQ(std::string(buf, n), "one\ntwo\n");
    EXPECT_TRUE(shell.DebugLines().empty());
}

TEST(HeadlessBackend, FilesReadRealFilesAndRefuseBadHandles) {
    HostFileSystem fs;
    const std::string path = std::string(VORNA_SOURCE_DIR) + "/tests/unit/headless_backend_test.cpp";
    int f = fs.Open(path.c_str());
    ASSERT_NE(f, kNoFile);
    uint32_t size = 0;
    ASSERT_TRUE(fs.Size(f, size));
    EXPECT_GT(size, 100u);
    char head[3] = {};
    EXPECT_EQ(fs.Read(f, head, 2), 2);
    EXPECT_EQ(std::string(head), "//");
    ASSERT_TRUE(fs.Seek(f, size - 1));
    char last = 0;
    EXPECT_EQ(fs.Read(f, &last, 1), 1);
    EXPECT_EQ(last, '\n');
    EXPECT_EQ(fs.Read(f, &last, 1), 0);
    EXPECT_EQ(fs.OpenCount(), 1);
    fs.Close(f);
    EXPECT_EQ(fs.OpenCount(), 0);
    EXPECT_EQ(fs.Read(f, &last, 1), -1);
    EXPECT_FALSE(fs.Size(f, size));
    EXPECT_FALSE(fs.Seek(-1, 0));
    fs.Close(12345);
    EXPECT_EQ(fs.Open("/nonexistent/m00.dat"), kNoFile);
    EXPECT_EQ(fs.Open(""), kNoFile);
    EXPECT_EQ(fs.Open(nullptr), kNoFile);
}

TEST(HeadlessBackend, ModuleFileNameIsThisProgramAndFitsTheBuffer) {
    HostFileSystem fs;
    char path[4096] = {};
    uint32_t n = fs.ModuleFileName(path, sizeof path);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::strlen(path), n);
    EXPECT_NE(std::string(path).find("vorna_tests"), std::string::npos) << path;
    char tiny[5];
    std::memset(tiny, 'x', sizeof tiny);
    n = fs.ModuleFileName(tiny, sizeof tiny);
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(tiny[4], '\0');
}

TEST(HeadlessBackend, ResourcesAskTheBuiltInAssets) {
    EmbeddedResources r;
    ByteView view{nullptr, 0};
    EXPECT_FALSE(r.Find("NO_SUCH_ASSET", "BITMAP", view));
    EXPECT_FALSE(r.Find(nullptr, "BITMAP", view));
}
