// The music player over the SDL2 stream device on SDL's dummy driver: audio thread, notifier thread, game thread.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "../../unit/support/audio_fixtures.h"
#include "backends/sdl2/sdl2_audio_engine.h"
#include "music/music_player.h"
#include "sound/sound_effects.h"

using namespace vorna;
using namespace vorna::testing;

TEST(Sdl2MusicThreads, AThousandPlayTempoStopCyclesOnTheDummyDriver) {
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
    game->platform.midi = &engine->Midi();
    game->platform.sound = &engine->Sound();
    ASSERT_TRUE(InitSound(*game));
    ASSERT_EQ(OpenMusic(*game), 1);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(PlayMusic(*game, i % 14), 1) << i;
        SetMusicTempo(*game, i % 2 ? 150 : 100);
        if (i % 100 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(120)); // a few real refills
        ASSERT_EQ(StopMusic(*game), 1) << i;
    }
    // No stop had to wait out its two seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ(CloseMusic(*game), 1);
    ShutdownSound(*game);
    EXPECT_EQ(game->music.song.PayloadCount.load(), 0);
    EXPECT_EQ(files.OpenCount(), 0);
}
