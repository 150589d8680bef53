// The music player over the SDL2 stream device on SDL's dummy driver: audio thread, notifier thread, game thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "../../unit/support/audio_fixtures.h"
#include "../stop_cycles.h"
#include "backends/sdl2/sdl2_audio_engine.h"
#include "music/music_player.h"
#include "sound/sound_effects.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

// Passes everything to the real device and counts the stop waits that ran out their time.
class TimeoutCountingMidi : public MidiStreamDevice {
public:
    explicit TimeoutCountingMidi(MidiStreamDevice& inner) : inner_(inner) {}
    uint32_t Open(MidiStreamCallback callback, void* context) override { return inner_.Open(callback, context); }
    uint32_t SetTimeDivision(uint32_t ticks) override { return inner_.SetTimeDivision(ticks); }
    uint32_t PrepareHeader(MidiHeader* header) override { return inner_.PrepareHeader(header); }
    uint32_t UnprepareHeader(MidiHeader* header) override { return inner_.UnprepareHeader(header); }
    uint32_t Out(MidiHeader* header) override { return inner_.Out(header); }
    uint32_t Restart() override { return inner_.Restart(); }
    uint32_t Stop() override { return inner_.Stop(); }
    uint32_t Reset() override { return inner_.Reset(); }
    uint32_t Close() override { return inner_.Close(); }
    SyncEvent* CreateEvent() override {
        SyncEvent* real = inner_.CreateEvent();
        return real ? new CountingEvent(real, timeouts) : nullptr;
    }
    void DestroyEvent(SyncEvent* event) override {
        auto* counting = static_cast<CountingEvent*>(event);
        inner_.DestroyEvent(counting->real);
        delete counting;
    }
    std::atomic<int> timeouts{0};

private:
    struct CountingEvent : SyncEvent {
        CountingEvent(SyncEvent* r, std::atomic<int>& t) : real(r), timeouts(t) {}
        void Set() override { real->Set(); }
        bool Wait(uint32_t ms) override {
            bool came = real->Wait(ms);
            if (!came) timeouts.fetch_add(1);
            return came;
        }
        SyncEvent* real;
        std::atomic<int>& timeouts;
    };
    MidiStreamDevice& inner_;
};

} // namespace

TEST(Sdl2MusicThreads, PlayTempoStopCyclesOnTheDummyDriverNeverWaitOutTheStop) {
    Sdl2AudioOptions options;
    options.driver = "dummy";
    auto engine = Sdl2AudioEngine::Create(options, false);
    auto game = std::make_unique<Game>();
    MemoryFileSystem files;
    files.modulePath = "/opt/game/vorna";
    for (int i = 0; i < 14; ++i) {
        TrackBuilder t;
        t.Tempo(0, 300000);
        for (int k = 0; k < 30 + i; ++k)
            t.Note(k ? 24 : 0, 0x90, uint8_t(48 + k % 24), 90).Note(12, 0x80, uint8_t(48 + k % 24), 0);
        t.End();
        files.files[std::string("/opt/game/") + MusicFileTable[i]] = Song({t}, 96);
    }
    game->platform.files = &files;
    TimeoutCountingMidi midi(engine->Midi());
    game->platform.midi = &midi;
    game->platform.sound = &engine->Sound();
    ASSERT_TRUE(InitSound(game->sound, game->platform.sound));
    ASSERT_EQ(OpenMusic(MusicOf(*game)), 1);
    const int cycles = StopCycles();
    LongestStop longest;
    for (int i = 0; i < cycles; ++i) {
        ASSERT_EQ(PlayMusic(MusicOf(*game), i % 14), 1) << i;
        SetMusicTempo(MusicOf(*game), i % 2 ? 150 : 100);
        if (i % 100 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(120)); // a few real refills
        ASSERT_EQ(longest.Time([&] { return StopMusic(MusicOf(*game)); }), 1) << i;
        ASSERT_EQ(midi.timeouts.load(), 0) << "stop " << i << " waited out its time";
    }
    longest.Report(cycles);
    EXPECT_EQ(CloseMusic(MusicOf(*game)), 1);
    ShutdownSound(game->sound, game->platform.sound);
    EXPECT_EQ(game->music.song.PayloadCount.load(), 0);
    EXPECT_EQ(files.OpenCount(), 0);
}
