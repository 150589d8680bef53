// vorna_player: a scripted player that plays the game on the headless backend and writes what it pressed
// as an input script, for replays whose state takes too long to reach by hand.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/shell.h"
#include "backends/headless/headless_platform.h"
#include "base/game_math.h"
#include "play/globe.h"

namespace vorna {
namespace {

constexpr uint32_t kMaxFrames = 60000;

// A press that lasts one frame, on every second frame, so that each one is a new press.
uint32_t Tap(uint32_t frame, uint32_t key) {
    return (frame & 1u) != 0 ? key : 0u;
}

int32_t HeadingTo(int32_t dx, int32_t dy) {
    const double steps = std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 128.0 / 3.14159265358979;
    return static_cast<int32_t>(std::lround(steps)) & 255;
}

int CellOf(int32_t x, int32_t y) {
    const int32_t cx = x < 0 ? 0 : (x > 319 ? 4 : x / 64);
    const int32_t cy = y < 0 ? 0 : (y > 479 ? 9 : y / 48);
    return cy * 5 + cx;
}

// The player's memory between frames: how long the mission has gone without a block falling, and
// the block it picked at random to get away from a spot where the nearest blocks lie behind stones.
struct PilotMemory {
    int32_t blocksLeft = -1;
    uint32_t sinceProgress = 0;
    int32_t detourCell = -1;
    uint32_t detourFrames = 0;
    uint32_t random = 12345;
    uint32_t seed = 0; // per mission: a retry changes the detours and the caution
};

// Where the globe would stand after `frames` frames on its current heading and speed.
void Ahead(const GlobeRecord& globe, int frames, int32_t& x, int32_t& y) {
    const int32_t n = static_cast<int32_t>(globe.Speed);
    x = globe.X + frames * ScaledCos(globe.Heading, n);
    y = globe.Y + frames * ScaledSin(globe.Heading, n);
}

// The stone cell the globe would run into within the next few frames, or -1.
int StoneAhead(const Game& g, int frames) {
    for (int f = 1; f <= frames; ++f) {
        int32_t x, y;
        Ahead(g.play.globe, f, x, y);
        if (x < 0 || x > 319 || y < 0 || y > 479) return -1;
        const int cell = FirstSolidCellAt(g, x, y);
        if (cell >= 0) return g.play.CellType[cell] == 3 ? cell : -1;
    }
    return -1;
}

// Steers the globe at the nearest standing block it can see past the stones (or at VORNA in mission
// ten) in the form that breaks it fastest: SUN for red, TERA for blue, MOON held close to green blocks
// and to VORNA.
uint32_t Autopilot(const Game& g, uint32_t previousKeys, PilotMemory& m) {
    const GlobeRecord& globe = g.play.globe;
    int32_t tx = 0, ty = 0, type = -1;
    bool waypoint = false;
    if (g.play.counters.BlocksLeft != m.blocksLeft) {
        m.blocksLeft = g.play.counters.BlocksLeft;
        m.sinceProgress = 0;
    } else if (++m.sinceProgress > 300 + 100 * (m.seed % 4)) {
        m.sinceProgress = 0;
        m.random = m.random * 1103515245u + 12345u + m.seed * 2u;
        m.detourCell = static_cast<int32_t>((m.random >> 8) % kCellCount);
        m.detourFrames = 120;
    }
    if (g.play.counters.MissionNumber == 9) {
        tx = g.play.vorna.X;
        ty = g.play.vorna.Y;
        type = 1; // rammed in MOON form
    } else if (m.detourFrames > 0) {
        --m.detourFrames;
        tx = (m.detourCell % 5) * 64 + 32;
        ty = (m.detourCell / 5) * 48 + 24;
        type = 0;
    } else {
        // Breadth-first over the cells from the globe's cell: stones block the way, everything else may be
        // crossed (blocks on the way break). The nearest block by path wins; the globe heads for the next
        // cell of that path, slowly while the way still turns.
        const int start = CellOf(globe.X, globe.Y);
        int from[kCellCount];
        for (int& f : from) f = -2;
        int queue[kCellCount], head = 0, tail = 0, found = -1;
        from[start] = -1;
        queue[tail++] = start;
        while (head < tail && found < 0) {
            const int c = queue[head++];
            const int32_t t = g.play.CellType[c];
            if (c != start && t >= 0 && t <= 2) {
                found = c;
                break;
            }
            const int col = c % 5, row = c / 5;
            const int next[4] = {col > 0 ? c - 1 : -1, col < 4 ? c + 1 : -1, row > 0 ? c - 5 : -1,
                                 row < 9 ? c + 5 : -1};
            for (int k = 0; k < 4; ++k) {
                const int n = next[(k + static_cast<int>(m.seed)) % 4];
                if (n < 0 || from[n] != -2 || g.play.CellType[n] == 3) continue;
                from[n] = c;
                queue[tail++] = n;
            }
        }
        if (found < 0) return 0;
        int step = found;
        while (from[step] >= 0 && from[step] != start) step = from[step];
        tx = (step % 5) * 64 + 32;
        ty = (step / 5) * 48 + 24;
        type = g.play.CellType[found];
        waypoint = step != found;
    }
    const int32_t dx = tx - globe.X, dy = ty - globe.Y;
    const double distance = std::sqrt(double(dx) * dx + double(dy) * dy);
    const int32_t error = ((HeadingTo(dx, dy) - globe.Heading + 128) & 255) - 128;
    uint32_t keys = 0;
    if (error > 2) keys |= ScriptKeyRight;
    if (error < -2) keys |= ScriptKeyLeft;
    const int32_t turn = std::abs(error);
    const float top = waypoint ? 5.0f + static_cast<float>(m.seed % 3) : 17.0f;
    if ((turn > 24 || globe.Speed > top + 1.0f) && globe.Speed > 4.0f) {
        keys |= ScriptKeyDown;
    } else if ((turn <= 24 && globe.Speed < top) || globe.Speed < 3.0f) {
        keys |= ScriptKeyUp;
    }
    const int stone = g.play.counters.MissionNumber == 9 ? -1 : StoneAhead(g, 4 + static_cast<int>(m.seed % 3) * 2);
    if (stone >= 0) {
        // Turn away from the stone's centre and slow down rather than pay 5 energy for the touch.
        const int32_t sx = (stone % 5) * 64 + 32 - globe.X, sy = (stone / 5) * 48 + 24 - globe.Y;
        const int32_t toStone = ((HeadingTo(sx, sy) - globe.Heading + 128) & 255) - 128;
        keys &= ~(ScriptKeyLeft | ScriptKeyRight | ScriptKeyUp);
        keys |= toStone >= 0 ? ScriptKeyLeft : ScriptKeyRight;
        if (globe.Speed > 3.0f) keys |= ScriptKeyDown;
    }
    if (type == 1) {
        if (!waypoint && distance < 90 && turn < 24 && globe.Energy > 60) keys |= ScriptKeyZ;
    } else if (globe.Form != MOON) {
        const int32_t want = type == 0 ? SUN : TERA;
        if (globe.Form != want && (previousKeys & ScriptKeyX) == 0) keys |= ScriptKeyX;
    }
    return keys;
}

// What each scenario does where the common behaviour is not enough, and when it is finished.
struct Scenario {
    const char* name;
    const char* comment;
    uint32_t (*play)(const Game& g, uint32_t previousKeys, PilotMemory& m);
    uint32_t (*afterLoss)(const Game& g, uint32_t frame, int& state);
    bool (*done)(const Game& g, int& state);
    // A loss here sends the player back to try the mission again with other choices.
    bool (*mustNotLose)(const Game& g);
};

bool Never(const Game&) {
    return false;
}
bool Always(const Game&) {
    return true;
}
bool AtLevelZero(const Game& g) {
    return g.play.counters.Level == 0;
}

uint32_t ContinueByF3(const Game& g, uint32_t, int&) {
    return g.scene.SceneStep == 1 ? uint32_t{ScriptKeyF3} : 0u;
}
uint32_t GiveUp(const Game& g, uint32_t frame, int&) {
    return g.scene.SceneStep == 1 && g.scene.SceneTimer > 100 ? Tap(frame, ScriptKeyZ) : 0;
}

// Won: mission one played to its end, the results counted up and left with two presses.
uint32_t WonPlay(const Game& g, uint32_t previous, PilotMemory& m) {
    return Autopilot(g, previous, m);
}
bool WonDone(const Game& g, int&) {
    return g.scene.Scene == ScenePlay && g.play.counters.MissionNumber == 1 && g.scene.SceneTimer >= 60;
}

// Lost on time: two turns leave the globe off the axes at speed 1, where it stands still until time is up.
uint32_t StandStill(const Game& g, uint32_t, PilotMemory&) {
    return g.scene.SceneTimer <= 2 ? uint32_t{ScriptKeyLeft} : 0u;
}
bool BackAtTitle(const Game& g, int& state) {
    if (g.scene.Scene == SceneContinue) state = 1;
    return state == 1 && g.scene.Scene == SceneTitle && g.scene.SceneTimer >= 60;
}

// Lost on energy: every form shown, some blocks hit, then MOON held until the energy is gone; F3 goes on.
uint32_t FormsThenDrain(const Game& g, uint32_t previous, PilotMemory& m) {
    const uint32_t t = g.scene.SceneTimer;
    if (t == 20 || t == 40) return ScriptKeyX; // TERA, then SUN again
    if (t >= 60 && t < 90) return ScriptKeyZ;  // MOON while held
    if (t >= 90 && t < 95) return ScriptKeyX;  // pressed as MOON is let go: back, then toggled
    if (t < 400) return Autopilot(g, previous, m) & ~ScriptKeyZ;
    return ScriptKeyZ | ScriptKeyUp; // MOON until the energy is gone
}
bool RestartedByF3(const Game& g, int& state) {
    if (g.scene.Scene == SceneContinue) state = 1;
    return state == 1 && g.scene.Scene == ScenePlay && g.scene.SceneTimer >= 120;
}

// All ten missions and the ending; then mission one of the next level is lost in MOON form and given up,
// which records the high score.
uint32_t AllPlay(const Game& g, uint32_t previous, PilotMemory& m) {
    if (g.play.counters.Level >= 1) return ScriptKeyZ; // the drain, at the next level
    return Autopilot(g, previous, m);
}
uint32_t AllAfterLoss(const Game& g, uint32_t frame, int& state) {
    if (g.play.counters.Level >= 1 || state >= 1) return GiveUp(g, frame, state);
    return ContinueByF3(g, frame, state);
}
bool AllDone(const Game& g, int& state) {
    if (g.scene.Scene == SceneEnding) state = 1;
    if (state == 1 && g.scene.Scene == SceneContinue) state = 2;
    return state == 2 && g.scene.Scene == SceneTitle && g.scene.SceneTimer >= 60;
}

const Scenario kScenarios[] = {
    {"play_mission_won", "Mission one won by the scripted player, its results counted up and left with two presses.",
     WonPlay, ContinueByF3, WonDone, Always},
    {"play_lost_on_time", "Mission one lost on time with the globe standing off the axes, then given up at continue.",
     StandStill, GiveUp, BackAtTitle, Never},
    {"play_lost_on_energy_f3",
     "Every form and the MOON drain: mission one lost on energy, continued with F3 (score and level cleared).",
     FormsThenDrain, ContinueByF3, RestartedByF3, Never},
    {"play_all_missions",
     "All ten missions (stones, ghosts, VORNA defeated), the ending, then the next level lost and given up "
     "with the high score recorded.",
     AllPlay, AllAfterLoss, AllDone, AtLevelZero},
};

class PlayerObserver : public GameObserver {
public:
    PlayerObserver(Game& g, HeadlessBackend& backend, const Scenario& scenario, const uint32_t* seeds)
        : g_(g), backend_(backend), scenario_(scenario), seeds_(seeds) {}

    void SoundRequested(int) override {}
    void MusicCalled(MusicCall, int) override {}

    void FrameFinished() override {
        if (finished_) return;
        ++frames_;
        backend_.pump.NoteFrame();
        if (g_.scene.Scene != lastScene_) {
            lastScene_ = g_.scene.Scene;
            if (lastScene_ == ScenePlay) {
                const int32_t m = g_.play.counters.MissionNumber;
                pilot_ = PilotMemory{};
                pilot_.seed = seeds_[(m >= 0 && m < 10) ? m : 0];
                pilot_.random += pilot_.seed * 7919u;
            }
            if (lastScene_ == SceneContinue && scenario_.mustNotLose(g_))
                failedMission_ = g_.play.counters.MissionNumber;
        }
        if (failedMission_ >= 0 || scenario_.done(g_, state_) || frames_ >= kMaxFrames) {
            finished_ = true;
            backend_.pump.RequestClose();
            return;
        }
        const uint32_t next = frames_ + 1;
        const uint32_t keys = Decide(next);
        if (keys != keys_) {
            InputLine line;
            line.frame = next;
            line.keys = keys;
            lines_.push_back(line);
            keys_ = keys;
        }
        InputScript script;
        InputLine line;
        line.frame = next;
        line.keys = keys;
        script.lines.push_back(line);
        backend_.input = ScriptedInput(script);
        backend_.input.SetFrame(next);
    }

    uint32_t Frames() const { return frames_; }
    int32_t FailedMission() const { return failedMission_; }
    bool Reached() const { return frames_ < kMaxFrames; }
    const std::vector<InputLine>& Lines() const { return lines_; }

private:
    uint32_t Decide(uint32_t frame) {
        switch (g_.scene.Scene) {
        case ScenePlay:
            return g_.play.counters.MissionOver == 0 ? scenario_.play(g_, keys_, pilot_) : 0;
        case SceneContinue:
            sawContinue_ = true;
            return scenario_.afterLoss(g_, frame, state_);
        case SceneTitle:
            // After a game given up the title is left alone: it is where the scenario ends.
            return sawContinue_ ? 0 : Tap(frame, ScriptKeyZ);
        case SceneResults:
            // Let the count-up show, then the two presses.
            return g_.scene.SceneTimer > 150 ? Tap(frame, ScriptKeyZ) : 0;
        default:
            return Tap(frame, ScriptKeyZ); // logo, title, intro, ending
        }
    }

    Game& g_;
    HeadlessBackend& backend_;
    const Scenario& scenario_;
    const uint32_t* seeds_;
    uint32_t lastScene_ = 0;
    int32_t failedMission_ = -1;
    uint32_t frames_ = 0;
    uint32_t keys_ = 0;
    int state_ = 0;
    bool finished_ = false;
    bool sawContinue_ = false;
    PilotMemory pilot_;
    std::vector<InputLine> lines_;
};

std::string KeyNames(uint32_t keys) {
    std::string out;
    for (const ScriptKeyName& k : kScriptKeyNames) {
        if ((keys & k.key) == 0) continue;
        if (!out.empty()) out += ' ';
        out += k.name;
    }
    return out.empty() ? "-" : out;
}

struct Attempt {
    uint32_t frames = 0;
    int32_t failedMission = -1;
    bool reached = false;
    std::vector<InputLine> lines;
};

Attempt RunOnce(const Scenario& scenario, const uint32_t* seeds) {
    auto game = std::make_unique<Game>();
    auto backend = std::make_unique<HeadlessBackend>(*game, InputScript{});
    PlayerObserver observer(*game, *backend, scenario, seeds);
    backend->Attach();
    std::FILE* quiet = std::fopen("/dev/null", "w");
    backend->shell.SetDebugSink(quiet);
    game->platform.observer = &observer;
    backend->input.SetFrame(1);
    ParseCommandLine(*game, "");
    InitAppState(*game);
    MessageLoop(*game);
    if (quiet != nullptr) std::fclose(quiet);
    Attempt a;
    a.frames = observer.Frames();
    a.failedMission = observer.FailedMission();
    a.reached = observer.Reached() && a.failedMission < 0;
    a.lines = observer.Lines();
    return a;
}

// Plays the scenario; a mission lost where the scenario must not lose is played again from the start of
// the run with other choices for that mission, up to a limit.
int Play(const Scenario& scenario, const std::string& dir) {
    uint32_t seeds[10] = {};
    Attempt a;
    for (int attempt = 0; attempt < 200; ++attempt) {
        a = RunOnce(scenario, seeds);
        if (a.failedMission < 0) break;
        std::printf("vorna_player: %s: mission %d lost, trying it again\n", scenario.name, a.failedMission + 1);
        seeds[a.failedMission] += 1;
    }

    const std::string base = dir + "/" + scenario.name;
    std::FILE* input = std::fopen((base + ".input").c_str(), "w");
    std::FILE* frames = std::fopen((base + ".frames").c_str(), "w");
    if (input == nullptr || frames == nullptr) {
        std::fprintf(stderr, "vorna_player: cannot write %s.input or .frames\n", base.c_str());
        if (input) std::fclose(input);
        if (frames) std::fclose(frames);
        return 1;
    }
    std::fprintf(input,
                 "vorna-input 1\n# %s\n# Written by vorna_player (scripts/make-player-replays); do not edit by hand.\n",
                 scenario.comment);
    for (const InputLine& line : a.lines)
        std::fprintf(input, "%u %s\n", static_cast<unsigned>(line.frame), KeyNames(line.keys).c_str());
    std::fprintf(frames, "%u\n", static_cast<unsigned>(a.frames));
    const bool ok = std::fclose(input) == 0 && std::fclose(frames) == 0;
    std::printf("vorna_player: %s: %u frames, %zu input lines\n", scenario.name, a.frames, a.lines.size());
    if (!a.reached) {
        std::fprintf(stderr, "vorna_player: %s did not reach its end in %u frames\n", scenario.name, kMaxFrames);
        return 1;
    }
    return ok ? 0 : 1;
}

} // namespace
} // namespace vorna

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vorna_player DIR [SCENARIO...]\nscenarios:");
        for (const vorna::Scenario& s : vorna::kScenarios) std::fprintf(stderr, " %s", s.name);
        std::fprintf(stderr, "\n");
        return 2;
    }
    const std::string dir = argv[1];
    int status = 0;
    for (const vorna::Scenario& s : vorna::kScenarios) {
        bool wanted = argc == 2;
        for (int i = 2; i < argc; ++i) wanted = wanted || s.name == std::string(argv[i]);
        if (wanted) status |= vorna::Play(s, dir);
    }
    return status;
}
