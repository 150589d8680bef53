// Headless frames per second of play: a scripted mission-ten run and a busy ordinary mission with every
// effect pool full, each measured whole and with drawing switched off (the logic alone).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "app/shell.h"
#include "backends/headless/headless_platform.h"
#include "play/effects.h"
#include "scenes/scene_machine.h"

#ifdef VORNA_BENCH_REPLAYS
#include <fstream>
#include <sstream>
#include <string>

#include "programs/headless_runner/input_script.h"
#endif

namespace vorna {
namespace {

// Keys the scripted player holds this frame.
class BenchKeyboard : public Keyboard {
public:
    bool held[256] = {};
    bool IsKeyDown(int virtualKey) override { return virtualKey >= 0 && virtualKey < 256 && held[virtualKey]; }
    void Clear() {
        for (bool& h : held) h = false;
    }
};

// Swallows the drawing family's "missing surface" lines of the logic-only runs.
class QuietShell : public Shell {
public:
    int MessageBox(const char*, const char*, unsigned) override { return IDOK_ANSWER; }
    void DebugOutput(const char*) override {}
};

// Stands in for the graphics sheet when the program was built without its assets, so that every
// sprite copy does its full work: a pattern with transparent black holes.
void MakeStandInSheet(Surface& s) {
    s = Surface{};
    s.exists = true;
    s.width = 320;
    s.height = 240;
    s.pitch = 320;
    s.pixels.resize(320u * 240u);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            s.pixels[y * 320 + x] = ((x ^ y) & 3) == 0 ? 0 : static_cast<uint8_t>(10 + (x + y) % 236);
    s.hasColourKey = true;
}

enum class Run { MissionTen, BusyMission };

struct PlayBench {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    std::unique_ptr<HeadlessBackend> backend;
    BenchKeyboard keyboard;
    QuietShell quiet;
    Run run;
    uint32_t frame = 0;

    PlayBench(Run which, bool drawing) : run(which) {
        Game& g = *game;
        backend = std::make_unique<HeadlessBackend>(g, InputScript{});
        backend->Attach();
        backend->input.SetFrame(1);
        g.platform.keyboard = &keyboard;
        InitAppState(g);
        g.app.AppPhase = PhaseStartup;
        FrameDriver(g); // opens the devices
        FrameDriver(g); // the boot frame: seeds, loads the sheet, enters the logo
        if (!g.display.SheetSurface.exists) MakeStandInSheet(g.display.SheetSurface);
        if (!drawing) {
            // Every drawing call then returns at its first test: what is left is the game's logic.
            g.platform.shell = &quiet;
            g.display.BackBuffer.exists = false;
            g.display.SheetSurface.exists = false;
        }
        EnterMission();
    }

    void EnterMission() {
        Game& g = *game;
        g.play.counters.MissionNumber = run == Run::MissionTen ? 9 : 7;
        EnterScene(g, ScenePlay);
        g.scene.SceneTimer = 1;
    }

    // Chases VORNA (or circles the field), speeds up, and takes every way on that the scenes offer.
    void Steer() {
        Game& g = *game;
        keyboard.Clear();
        const GlobeRecord& globe = g.play.globe;
        int32_t tx = 160, ty = 240;
        if (run == Run::MissionTen) {
            tx = g.play.vorna.X + 12;
            ty = g.play.vorna.Y + 12;
        } else {
            tx = static_cast<int32_t>(frame * 7 % 320);
            ty = static_cast<int32_t>(frame * 13 % 480);
        }
        const double angle = std::atan2(ty - globe.Y, tx - globe.X) * 128.0 / 3.14159265358979;
        const int32_t want = static_cast<int32_t>(std::lround(angle)) & 255;
        const int32_t diff = ((want - globe.Heading + 128) & 255) - 128;
        if (diff > 2) keyboard.held[VK_RIGHT_KEY] = true;
        if (diff < -2) keyboard.held[VK_LEFT_KEY] = true;
        keyboard.held[VK_UP_KEY] = true;
        const bool near = std::abs(tx - globe.X) < 60 && std::abs(ty - globe.Y) < 60;
        if (near && globe.Energy > 300) keyboard.held[VK_Z_KEY] = true;
        if (g.scene.Scene == SceneResults && (frame & 1) != 0) keyboard.held[VK_X_KEY] = true;
        if (g.scene.Scene == SceneContinue) keyboard.held[VK_F3_KEY] = true;
    }

    void FillPools() {
        Game& g = *game;
        const int32_t x = g.play.globe.X, y = g.play.globe.Y;
        SpawnExplosion(g, x, y);
        SpawnSparks(g, x, y, 2);
        SpawnDebris(g, x, y, 1);
    }

    void Frame() {
        Game& g = *game;
        ++frame;
        Steer();
        if (run == Run::BusyMission) {
            // Keep the mission going and every pool topped up.
            g.play.counters.MissionTime = 5000;
            g.play.globe.Energy = 800;
            for (int i = 0; i < 8; ++i) FillPools();
        }
        FrameDriver(g);
        const uint32_t scene = g.scene.Scene;
        if (scene != ScenePlay && scene != SceneResults && scene != SceneContinue) EnterMission();
        if (run == Run::BusyMission && scene != ScenePlay) EnterMission();
    }
};

void PlayFrames(benchmark::State& state, Run run, bool drawing) {
    PlayBench bench(run, drawing);
    for (int i = 0; i < 300; ++i) bench.Frame(); // past the banner, pools filled
    double inPlay = 0, live = 0;
    for (auto _ : state) {
        bench.Frame();
        // Counted along the way so that the figures show what the frames were made of.
        const Game& g = *bench.game;
        inPlay += g.scene.Scene == ScenePlay ? 1 : 0;
        for (const EffectObject& o : g.play.pools.ExplosionPool) live += o.Active;
        for (const EffectObject& o : g.play.pools.SparkPool) live += o.Active;
        for (const EffectObject& o : g.play.pools.DebrisPool) live += o.Active;
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["frames_per_s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["in_play"] = inPlay / frames;
    state.counters["live_effects"] = live / frames;
}

void MissionTenWhole(benchmark::State& state) {
    PlayFrames(state, Run::MissionTen, true);
}
void MissionTenLogic(benchmark::State& state) {
    PlayFrames(state, Run::MissionTen, false);
}
void BusyMissionWhole(benchmark::State& state) {
    PlayFrames(state, Run::BusyMission, true);
}
void BusyMissionLogic(benchmark::State& state) {
    PlayFrames(state, Run::BusyMission, false);
}

// Whole frames include clearing, drawing and presenting; drawing costs the difference to the logic run.
BENCHMARK(MissionTenWhole)->Unit(benchmark::kMicrosecond);
BENCHMARK(MissionTenLogic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BusyMissionWhole)->Unit(benchmark::kMicrosecond);
BENCHMARK(BusyMissionLogic)->Unit(benchmark::kMicrosecond);

#ifdef VORNA_BENCH_REPLAYS
// The mission-ten stretch of the all-missions replay: running frames 15155 (the mission's first) to 15874
// (the ending entered), played from a save state taken just before it, input script and all.
constexpr uint32_t kMissionTenFirst = 15155;
constexpr uint32_t kMissionTenEnd = 15874;

struct ReplayBench {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    std::unique_ptr<HeadlessBackend> backend;
    QuietShell quiet;
    uint32_t frame = 0;

    explicit ReplayBench(InputScript script) {
        Game& g = *game;
        backend = std::make_unique<HeadlessBackend>(g, std::move(script));
        backend->Attach();
        g.platform.shell = &quiet;
        InitAppState(g);
        Tick(); // start-up: the devices open
    }
    // One tick of the message loop that passes the gate, as the headless runner makes them.
    void Tick() {
        backend->clock.Advance(13);
        game->app.FrameCounter += 1;
        FrameDriver(*game);
    }
    void Frame() {
        backend->input.SetFrame(++frame);
        Tick();
    }
};

bool ReadScript(InputScript& script, std::string& error) {
    const std::string path = std::string(VORNA_SOURCE_DIR) + "/tests/replays/play_all_missions.input";
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseInputScript(text.str(), path, script, error);
}

void MissionTenReplay(benchmark::State& state, bool drawing) {
    InputScript script;
    std::string error;
    if (!ReadScript(script, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    ReplayBench bench(script);
    while (bench.frame < kMissionTenFirst - 1) bench.Frame();
    const Game saved = *bench.game;
    const ScriptedInput savedInput = bench.backend->input;
    bool reachedEnding = true;
    for (auto _ : state) {
        state.PauseTiming();
        *bench.game = saved;
        bench.backend->input = savedInput;
        bench.frame = kMissionTenFirst - 1;
        // Without surfaces every drawing call returns at once; presenting is skipped as well.
        bench.game->display.BackBuffer.exists = drawing;
        bench.game->display.SheetSurface.exists = drawing;
        state.ResumeTiming();
        while (bench.frame < kMissionTenEnd) bench.Frame();
        const PlayCounters& c = bench.game->play.counters;
        reachedEnding = reachedEnding && bench.game->scene.Scene == SceneEnding && c.Level == 1;
    }
    if (!reachedEnding) state.SkipWithError("the replay no longer reaches the ending where it used to");
    const double frames = static_cast<double>(state.iterations()) * (kMissionTenEnd - kMissionTenFirst + 1);
    state.counters["frames_per_s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
}
void MissionTenReplayWhole(benchmark::State& state) {
    MissionTenReplay(state, true);
}
void MissionTenReplayLogic(benchmark::State& state) {
    MissionTenReplay(state, false);
}
BENCHMARK(MissionTenReplayWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(MissionTenReplayLogic)->Unit(benchmark::kMillisecond);
#endif

} // namespace
} // namespace vorna
