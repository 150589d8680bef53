// vorna_soak: random held keys through every mission into the next level; checks the run repeats exactly
// and that no running frame allocates.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <string>

#include "../unit/support/hostile_songs.h"
#include "app/shell.h"
#include "backends/headless/headless_platform.h"
#include "backends/headless/memory_files.h"
#include "music/music_player.h"
#include "programs/headless_runner/trace.h"

namespace {

// Every operator new of the process goes through here, so a frame's allocations can be counted.
uint64_t g_allocations = 0;
// Those made inside the music device's done-callback: on a real device it runs on the device's own thread,
// refilling buffers (the reader allocates each event's payload), so they are not the frame's.
uint64_t g_callbackAllocations = 0;

uint64_t FrameAllocations() {
    return g_allocations - g_callbackAllocations;
}

} // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
// The music player allocates without exceptions; those must come from the same heap as the deletes below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++g_allocations;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace vorna {
namespace {

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";
#else
constexpr const char* kNullDevice = "/dev/null";
#endif

// The soak's own generator (xorshift32), apart from the game's, so that the input does not follow the game.
struct SoakRandom {
    uint32_t x;
    uint32_t Next() {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return x;
    }
    bool Chance(uint32_t percent) { return Next() % 100 < percent; }
};

// Random held keys that change every 1..8 frames. Buttons are rarer than directions, so that a mission
// lasts long enough to be cleared; F3 is rarer still, so that the continue scene also ends on buttons.
InputScript MakeSoakScript(uint32_t seed, uint32_t frames) {
    SoakRandom r{seed == 0 ? 1u : seed};
    InputScript script;
    for (uint32_t f = 1; f <= frames; f += 1 + r.Next() % 8) {
        InputLine line;
        line.frame = f;
        if (r.Chance(55)) line.keys |= ScriptKeyUp;
        if (r.Chance(20)) line.keys |= ScriptKeyDown;
        if (r.Chance(30)) line.keys |= ScriptKeyLeft;
        if (r.Chance(30)) line.keys |= ScriptKeyRight;
        if (r.Chance(8)) line.keys |= ScriptKeyZ;
        if (r.Chance(10)) line.keys |= ScriptKeyX;
        if (r.Chance(3)) line.keys |= ScriptKeyF3;
        script.lines.push_back(line);
    }
    return script;
}

struct SoakResult {
    uint64_t hash = kFnvOffsetBasis;
    uint32_t checkpointFrame = 0; // the hash after this frame is kept for a shorter repeat run
    uint64_t checkpointHash = 0;
    uint32_t frames = 0;
    uint32_t allocatingFrames = 0;
    uint32_t songFrames = 0;
    uint32_t buffersPlayedOut = 0; // music buffers the stream played to their end (each then refilled)
    uint32_t firstAllocatingFrame = 0;
    uint32_t missionsEntered = 0;
    uint32_t forcedClears = 0;
    int32_t highestLevel = 0;
    uint32_t endings = 0;
    uint32_t continues = 0;
    bool stalled = false;
};

template <typename T> void Mix(uint64_t& hash, const T& value) {
    hash = Fnv1a64(reinterpret_cast<const uint8_t*>(&value), sizeof value, hash);
}

// The trace's byte-wise hash of the frame would cost most of the soak's time; eight bytes a step do as well
// for telling two runs apart.
uint64_t FrameHash(const Surface& s) {
    uint64_t h = kFnvOffsetBasis;
    const size_t words = s.pixels.size() / 8;
    const uint8_t* p = s.pixels.data();
    for (size_t i = 0; i < words; ++i) {
        uint64_t w;
        std::memcpy(&w, p + i * 8, 8);
        h = (h ^ w) * kFnvPrime;
    }
    for (size_t i = words * 8; i < s.pixels.size(); ++i) h = (h ^ p[i]) * kFnvPrime;
    return h;
}

// Folds every frame's state, requests and picture into one hash, counts allocations between frames, and
// clears a mission now and then (at a random moment, as if its last block fell) so that the mission
// counter runs through all ten and on into the next level.
class SoakObserver : public GameObserver {
public:
    SoakObserver(Game& g, HeadlessBackend& backend, uint32_t frames, uint32_t seed, SoakResult& result)
        : g_(g), backend_(backend), frames_(frames), random_{seed * 2654435761u + 7u}, result_(result) {}

    bool verbose_ = false;
    void SoundRequested(int number) override { Mix(result_.hash, number); }
    void MusicCalled(MusicCall call, int argument) override {
        if (call == MusicCall::Play) songStarted_ = true;
        Mix(result_.hash, static_cast<int>(call));
        Mix(result_.hash, argument);
    }

    void FrameFinished() override {
        if (result_.frames >= frames_) return;
        ++result_.frames;
        backend_.pump.NoteFrame();
        // The boot frame loads the sheet and the sounds, and starting a song reads it into the music player's
        // buffers: the only allocations the game makes. Every other frame must allocate nothing.
        if (songStarted_) ++result_.songFrames;
        if (result_.frames > 1 && !songStarted_ && FrameAllocations() != allocationsAtLastFrame_) {
            if (result_.allocatingFrames == 0) result_.firstAllocatingFrame = result_.frames;
            ++result_.allocatingFrames;
            if (verbose_ && result_.allocatingFrames <= 20) {
                std::printf("frame %u (scene %u, timer %u) made %llu allocations\n", result_.frames, g_.scene.Scene,
                            g_.scene.SceneTimer,
                            static_cast<unsigned long long>(FrameAllocations() - allocationsAtLastFrame_));
            }
        }
        HashFrame();
        if (result_.frames == result_.checkpointFrame) result_.checkpointHash = result_.hash;
        Steer();
        allocationsAtLastFrame_ = FrameAllocations();
        songStarted_ = false;
        if (result_.frames >= frames_) {
            backend_.pump.RequestClose();
        } else {
            backend_.input.SetFrame(result_.frames + 1);
        }
    }

private:
    void HashFrame() {
        uint64_t& h = result_.hash;
        Mix(h, result_.frames);
        Mix(h, g_.scene.Scene);
        Mix(h, g_.scene.SceneTimer);
        Mix(h, g_.scene.SceneStep);
        Mix(h, g_.random.state);
        Mix(h, g_.scene.InputNow);
        Mix(h, g_.play.counters);
        Mix(h, g_.play.globe);
        Mix(h, g_.play.vorna);
        Mix(h, g_.play.CellType);
        Mix(h, g_.play.CellHits);
        Mix(h, g_.display.PaletteEntries[0]);
        Mix(h, FrameHash(g_.display.BackBuffer));
    }

    void Steer() {
        const PlayCounters& c = g_.play.counters;
        const uint32_t scene = g_.scene.Scene;
        if (scene != lastScene_) {
            if (scene == ScenePlay) {
                ++result_.missionsEntered;
                // Three missions in four are cleared at a random moment; the rest run out by themselves.
                clearAt_ = random_.Chance(75) ? 150 + random_.Next() % 1200 : 0;
            }
            if (scene == SceneEnding) ++result_.endings;
            if (scene == SceneContinue) ++result_.continues;
            lastScene_ = scene;
        }
        if (c.Level > result_.highestLevel) result_.highestLevel = c.Level;
        if (scene == ScenePlay && c.MissionOver == 0 && clearAt_ != 0 && g_.scene.SceneTimer == clearAt_) {
            g_.play.counters.MissionCleared = 1;
            ++result_.forcedClears;
        }
    }

    Game& g_;
    HeadlessBackend& backend_;
    uint32_t frames_;
    SoakRandom random_;
    SoakResult& result_;
    uint64_t allocationsAtLastFrame_ = 0;
    uint32_t lastScene_ = 0;
    uint32_t clearAt_ = 0;
    bool songStarted_ = false;
};

// Every music number plays one of the songs made to be costly or awkward for the reader.
void ServeHostileSongs(MemoryFileSystem& files) {
    const std::vector<testing::Bytes> songs = testing::HostileSongs();
    files.modulePath = "/soak/vorna";
    for (size_t i = 0; i < std::size(MusicFileTable); ++i)
        files.files[std::string("/soak/") + MusicFileTable[i]] = songs[i % songs.size()];
}

// Forwards to the headless MIDI device, keeping count of the allocations its done-callback makes. The
// headless device calls back on the game's thread as virtual time passes; a real one calls from its own.
class CallbackCountingMidi : public MidiStreamDevice {
public:
    explicit CallbackCountingMidi(MidiStreamDevice& device) : device_(device) {}
    uint32_t Open(MidiStreamCallback callback, void* context) override {
        callback_ = callback;
        context_ = context;
        return device_.Open(&CallbackCountingMidi::Forward, this);
    }
    uint32_t SetTimeDivision(uint32_t ticks) override { return device_.SetTimeDivision(ticks); }
    uint32_t PrepareHeader(MidiHeader* header) override { return device_.PrepareHeader(header); }
    uint32_t UnprepareHeader(MidiHeader* header) override { return device_.UnprepareHeader(header); }
    uint32_t Out(MidiHeader* header) override { return device_.Out(header); }
    uint32_t Restart() override { return device_.Restart(); }
    uint32_t Stop() override { return device_.Stop(); }
    uint32_t Reset() override { return device_.Reset(); }
    uint32_t Close() override { return device_.Close(); }
    SyncEvent* CreateEvent() override { return device_.CreateEvent(); }
    void DestroyEvent(SyncEvent* event) override { device_.DestroyEvent(event); }

private:
    static void Forward(void* self, unsigned message, MidiHeader* header) {
        auto& me = *static_cast<CallbackCountingMidi*>(self);
        const uint64_t before = g_allocations;
        me.callback_(me.context_, message, header);
        g_callbackAllocations += g_allocations - before;
    }
    MidiStreamDevice& device_;
    MidiStreamCallback callback_ = nullptr;
    void* context_ = nullptr;
};

SoakResult RunSoak(uint32_t frames, uint32_t seed, bool verbose, bool hostileSongs, uint32_t checkpoint = 0) {
    SoakResult result;
    result.checkpointFrame = checkpoint;
    auto game = std::make_unique<Game>();
    auto backend = std::make_unique<HeadlessBackend>(*game, MakeSoakScript(seed, frames));
    SoakObserver observer(*game, *backend, frames, seed, result);
    observer.verbose_ = verbose;
    backend->Attach();
    CallbackCountingMidi countingMidi(*game->platform.midi);
    game->platform.midi = &countingMidi;
    MemoryFileSystem hostileFiles;
    if (hostileSongs) {
        ServeHostileSongs(hostileFiles);
        game->platform.files = &hostileFiles;
    }
    // Debug lines (a missing sheet gives one per drawing call) go nowhere, so the backend keeps nothing.
    std::FILE* debugSink = std::fopen(kNullDevice, "w");
    backend->shell.SetDebugSink(debugSink);
    game->platform.observer = &observer;
    backend->input.SetFrame(1);
    ParseCommandLine(*game, "");
    InitAppState(*game);
    MessageLoop(*game);
    result.buffersPlayedOut = uint32_t(backend->midi.BuffersPlayedOut());
    result.stalled = backend->pump.Stalled() || result.frames < frames;
    if (debugSink != nullptr) std::fclose(debugSink);
    return result;
}

void Report(const char* label, const SoakResult& r) {
    std::printf("%s: %u frames, hash %016llx, %u missions entered (%u cleared by the soak), %u continues, "
                "%u endings, highest level %d, %u frames starting a song, %u other frames allocating, "
                "%u music buffers played out",
                label, r.frames, static_cast<unsigned long long>(r.hash), r.missionsEntered, r.forcedClears,
                r.continues, r.endings, r.highestLevel, r.songFrames, r.allocatingFrames, r.buffersPlayedOut);
    if (r.allocatingFrames != 0) std::printf(" (first: frame %u)", r.firstAllocatingFrame);
    std::printf("\n");
}

bool ParseNumber(const char* text, uint32_t& out) {
    char* end = nullptr;
    const unsigned long long v = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || v > 0xFFFFFFFFull || text[0] == '-') return false;
    out = static_cast<uint32_t>(v);
    return true;
}

} // namespace
} // namespace vorna

int main(int argc, char** argv) {
    uint32_t frames = 1000000;
    uint32_t seed = 1;
    bool twice = true;
    uint32_t repeatFrames = 0; // 0: the repeat run is as long as the first
    bool verbose = false;
    bool hostileSongs = false;
    uint32_t minLevel = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--frames" && i + 1 < argc && vorna::ParseNumber(argv[i + 1], frames)) {
            ++i;
        } else if (a == "--seed" && i + 1 < argc && vorna::ParseNumber(argv[i + 1], seed)) {
            ++i;
        } else if (a == "--min-level" && i + 1 < argc && vorna::ParseNumber(argv[i + 1], minLevel)) {
            ++i;
        } else if (a == "--repeat-frames" && i + 1 < argc && vorna::ParseNumber(argv[i + 1], repeatFrames)) {
            ++i;
        } else if (a == "--verbose") {
            verbose = true;
        } else if (a == "--hostile-songs") {
            hostileSongs = true;
        } else if (a == "--once") {
            twice = false;
        } else {
            std::fprintf(stderr, "usage: vorna_soak [--frames N] [--seed S] [--min-level L] [--repeat-frames K] "
                                 "[--hostile-songs] [--once] "
                                 "[--verbose]\n");
            return 2;
        }
    }
    if (repeatFrames == 0 || repeatFrames > frames) repeatFrames = frames;
    // The script and the soak's own choices are drawn frame by frame, so a shorter repeat run sees the same
    // first K frames and must end on the hash the first run had after frame K.
    const vorna::SoakResult first = vorna::RunSoak(frames, seed, verbose, hostileSongs, repeatFrames);
    vorna::Report("run 1", first);
    // The hostile songs carry a payload (a tempo, a text) in nearly every event, which the reader allocates as
    // it converts during play: there only the stall and the repeat are checked.
    bool ok = !first.stalled && (hostileSongs || first.allocatingFrames == 0);
    if (first.stalled) std::printf("vorna_soak: the game stopped before the last frame\n");
    if (static_cast<uint32_t>(first.highestLevel) < minLevel) {
        std::printf("vorna_soak: the run never reached level %u\n", minLevel);
        ok = false;
    }
    if (twice) {
        const vorna::SoakResult second = vorna::RunSoak(repeatFrames, seed, verbose, hostileSongs);
        vorna::Report("run 2", second);
        if (second.hash != first.checkpointHash || second.frames != repeatFrames) {
            std::printf("vorna_soak: the same input gave a different run\n");
            ok = false;
        }
    }
    std::printf("vorna_soak: %s\n", ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
