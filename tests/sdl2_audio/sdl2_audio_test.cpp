// The SDL2 audio engine: resampling effect voices, events scheduled in sample time, FluidSynth output
// checked with sox, and the fall-back to SDL's dummy driver.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "../unit/support/audio_fixtures.h"
#include "backends/sdl2/sdl2_audio_engine.h"
#include "music/music_player.h"
#include "sound/sound_effects.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

// The levels and lengths below are worked out for a 44.1 kHz output, whatever the program's own rate.
constexpr int kTestRate = 44100;

std::unique_ptr<Sdl2AudioEngine> Offline(const char* soundFont = nullptr) {
    Sdl2AudioOptions options;
    options.soundFont = soundFont;
    options.sampleRate = kTestRate;
    return Sdl2AudioEngine::Create(options, true);
}

WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
    return WaveFormat{1, channels, rate, rate * channels * bits / 8, uint16_t(channels * bits / 8), bits};
}

// Returns once the notifier has called back n times (or after a second).
struct DoneCounter {
    std::atomic<int> done{0};
    static void Callback(void* self, unsigned message, MidiHeader*) {
        if (message == MOM_DONE) static_cast<DoneCounter*>(self)->done.fetch_add(1);
    }
    bool WaitFor(int n) {
        for (int i = 0; i < 1000 && done.load() < n; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return done.load() >= n;
    }
};

void WriteWave(const std::string& path, const std::vector<float>& stereo, int rate) {
    Bytes data;
    for (float f : stereo) PutLe16(data, uint16_t(int16_t(std::lround(f * 32767.0f))));
    Bytes image = RiffImage({Chunk("fmt ", FormatChunkContents(2, uint32_t(rate), 16)), Chunk("data", data)});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), long(image.size()));
}

} // namespace

TEST(AudioMixer, ResamplesEightBitMonoAndStopsAtTheEnd) {
    auto engine = Offline();
    SoundDevice& sound = engine->Sound();
    ASSERT_TRUE(sound.Create());
    // 11025 Hz, 100 frames: 400 frames at 44100 Hz, a constant level of +64/128.
    int buffer = sound.CreateBuffer(Pcm(1, 11025, 8), 100);
    ASSERT_NE(buffer, kNoSoundBuffer);
    std::vector<uint8_t> pcm(100, 128 + 64);
    ASSERT_TRUE(sound.FillBuffer(buffer, pcm.data(), 100));
    int voice = sound.Duplicate(buffer);
    sound.Play(voice);
    std::vector<float> out(2 * 500);
    engine->Render(out.data(), 500);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 396 + 1], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 401], 0.0f);
    uint32_t status = 1;
    ASSERT_TRUE(sound.GetStatus(voice, status));
    EXPECT_EQ(status, 0u);
    // Playing again starts from the beginning; a stop and rewind in the middle does too.
    sound.Play(voice);
    engine->Render(out.data(), 100);
    sound.Stop(voice);
    sound.SetCurrentPosition(voice, 0);
    sound.Play(voice);
    engine->Render(out.data(), 400);
    EXPECT_FLOAT_EQ(out[2 * 399], 0.5f);
    sound.Release();
    EXPECT_FALSE(sound.GetStatus(voice, status));
}

TEST(AudioMixer, StereoSixteenBitAndPanAndRefusedFormats) {
    auto engine = Offline();
    SoundDevice& sound = engine->Sound();
    int buffer = sound.CreateBuffer(Pcm(2, 44100, 16), 4 * 10);
    Bytes pcm;
    for (int i = 0; i < 10; ++i) {
        PutLe16(pcm, uint16_t(int16_t(16384)));
        PutLe16(pcm, uint16_t(int16_t(-16384)));
    }
    sound.FillBuffer(buffer, pcm.data(), uint32_t(pcm.size()));
    int voice = sound.Duplicate(buffer);
    sound.Play(voice);
    std::vector<float> out(2 * 4);
    engine->Render(out.data(), 4);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], -0.5f);
    sound.SetPan(voice, 10000); // right only
    engine->Render(out.data(), 4);
    EXPECT_NEAR(out[0], 0.0f, 1e-4);
    EXPECT_FLOAT_EQ(out[1], -0.5f);
    EXPECT_EQ(sound.CreateBuffer(Pcm(1, 44100, 24), 30), kNoSoundBuffer);
    EXPECT_EQ(sound.CreateBuffer(Pcm(3, 44100, 8), 30), kNoSoundBuffer);
    EXPECT_EQ(sound.CreateBuffer(Pcm(1, 0, 8), 30), kNoSoundBuffer);
    WaveFormat adpcm = Pcm(1, 22050, 8);
    adpcm.formatTag = 2;
    EXPECT_EQ(sound.CreateBuffer(adpcm, 30), kNoSoundBuffer);
}

TEST(Sdl2MidiStream, EventsAreScheduledInSampleTimeAndBuffersReturnWhenPlayed) {
    auto engine = Offline();
    MidiStreamDevice& midi = engine->Midi();
    DoneCounter counter;
    ASSERT_EQ(midi.Open(&DoneCounter::Callback, &counter), MMSYSERR_NOERROR);
    ASSERT_EQ(midi.SetTimeDivision(96), MMSYSERR_NOERROR);
    // Tempo 250000 at once, then a note 96 ticks (a quarter: 0.25 s = 11025 samples) later.
    uint8_t data[1024] = {};
    auto put = [&](int index, uint32_t delta, uint32_t word) {
        uint8_t* p = data + 12 * index;
        for (int i = 0; i < 4; ++i) {
            p[i] = uint8_t(delta >> (8 * i));
            p[8 + i] = uint8_t(word >> (8 * i));
        }
    };
    put(0, 0, 0x01000000u | 250000u);
    put(1, 96, 0x007F3C90u);
    MidiHeader header{data, 1024, 24, 0, nullptr};
    ASSERT_EQ(midi.Out(&header), MIDIERR_UNPREPARED);
    ASSERT_EQ(midi.PrepareHeader(&header), MMSYSERR_NOERROR);
    ASSERT_EQ(midi.Out(&header), MMSYSERR_NOERROR);
    std::vector<float> out(2 * 11025);
    engine->Render(out.data(), 11025);
    EXPECT_EQ(counter.done.load(), 0); // paused until Restart
    midi.Restart();
    engine->Render(out.data(), 11024);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(counter.done.load(), 0);
    engine->Render(out.data(), 2);
    EXPECT_TRUE(counter.WaitFor(1));
    EXPECT_EQ(midi.UnprepareHeader(&header), MMSYSERR_NOERROR);
    // A stop hands every queued buffer back at once; a buffer still queued cannot be queued twice.
    uint8_t secondData[1024] = {};
    MidiHeader second{secondData, 1024, 24, 0, nullptr};
    std::memcpy(secondData, data, sizeof secondData);
    midi.PrepareHeader(&header);
    midi.PrepareHeader(&second);
    EXPECT_EQ(midi.Out(&header), MMSYSERR_NOERROR);
    EXPECT_EQ(midi.Out(&header), MIDIERR_STILLPLAYING);
    EXPECT_EQ(midi.Out(&second), MMSYSERR_NOERROR);
    EXPECT_EQ(midi.Stop(), MMSYSERR_NOERROR);
    EXPECT_TRUE(counter.WaitFor(3));
    EXPECT_EQ(midi.Close(), MMSYSERR_NOERROR);
    EXPECT_NE(midi.Stop(), MMSYSERR_NOERROR);
}

TEST(Sdl2MidiStream, WithoutASoundFontTheMusicRunsOnSilently) {
    auto engine = Offline("/nonexistent/none.sf2");
    EXPECT_FALSE(engine->HasSynth());
    MidiStreamDevice& midi = engine->Midi();
    DoneCounter counter;
    ASSERT_EQ(midi.Open(&DoneCounter::Callback, &counter), MMSYSERR_NOERROR);
    ASSERT_EQ(midi.SetTimeDivision(96), MMSYSERR_NOERROR);
    // One note at once: the buffer must still come back, and the output stays silent.
    uint8_t data[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0x90, 0x3C, 0x7F, 0x00};
    MidiHeader header{data, sizeof data, sizeof data, 0, nullptr};
    ASSERT_EQ(midi.PrepareHeader(&header), MMSYSERR_NOERROR);
    ASSERT_EQ(midi.Out(&header), MMSYSERR_NOERROR);
    midi.Restart();
    std::vector<float> out(2 * 441, 1.0f);
    engine->Render(out.data(), 441);
    EXPECT_TRUE(counter.WaitFor(1));
    for (float sample : out) ASSERT_EQ(sample, 0.0f);
    EXPECT_EQ(midi.Stop(), MMSYSERR_NOERROR);
    EXPECT_EQ(midi.Close(), MMSYSERR_NOERROR);
}

// Ten seconds of a song and effects through the engine, offline, judged by sox: not silent, not clipping.
TEST(Sdl2AudioRender, TenSecondsOfMusicAndEffectsSoundWithoutClipping) {
    auto engine = Offline();
    if (!engine->HasSynth()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    auto game = std::make_unique<Game>();
    MemoryFileSystem files;
    files.modulePath = "/opt/game/vorna";
    files.files["/opt/game/m00.dat"] =
        ReadFileBytes(std::string(VORNA_TESTDATA_DIR) + "/midi/test-multichannel-chords-0.mid");
    MapResources resources;
    const char* names[] = {"WAV_00", "WAV_01", "WAV_02", "WAV_03", "WAV_04", "WAV_05",
                           "WAV_06", "WAV_07", "WAV_08", "WAV_09", "WAV_0A", "WAV_0B"};
    for (int i = 0; i < 12; ++i) resources.items[names[i]] = SimpleWave(8000, i % 2 ? 22050 : 11025);
    game->platform.files = &files;
    game->platform.resources = &resources;
    game->platform.midi = &engine->Midi();
    game->platform.sound = &engine->Sound();
    ASSERT_TRUE(InitSound(game->sound, game->platform.sound));
    LoadAllSounds(SoundOf(*game));
    ASSERT_EQ(OpenMusic(MusicOf(*game)), 1);
    ASSERT_EQ(PlayMusic(MusicOf(*game), 0), 1);
    const int rate = engine->SampleRate();
    std::vector<float> all;
    std::vector<float> block(2 * 512);
    for (int n = 0; n < rate * 10 / 512; ++n) {
        if (n % 40 == 0) PlaySoundEffect(SoundOf(*game), (n / 40) % 12);
        engine->Render(block.data(), 512);
        all.insert(all.end(), block.begin(), block.end());
        // Give the notifier the time a real audio period would.
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    EXPECT_EQ(StopMusic(MusicOf(*game)), 1);
    CloseMusic(MusicOf(*game));
    ShutdownSound(game->sound, game->platform.sound);
    const std::string path = std::string(VORNA_TEST_OUTPUT_DIR) + "/ten-seconds.wav";
    WriteWave(path, all, rate);
    std::FILE* p = popen(("sox '" + path + "' -n stat 2>&1").c_str(), "r");
    ASSERT_NE(p, nullptr);
    double rms = -1, maximum = -1, minimum = 1;
    char line[256];
    while (std::fgets(line, sizeof line, p)) {
        std::sscanf(line, "RMS     amplitude: %lf", &rms);
        std::sscanf(line, "Maximum amplitude: %lf", &maximum);
        std::sscanf(line, "Minimum amplitude: %lf", &minimum);
    }
    if (pclose(p) != 0 && rms < 0) GTEST_SKIP() << "sox is not installed";
    EXPECT_GT(rms, 0.01) << path;
    EXPECT_LT(maximum, 0.999) << path;
    EXPECT_GT(minimum, -0.999) << path;
}

TEST(Sdl2AudioOutput, WithoutASoundCardTheDummyDriverKeepsTheMusicRunning) {
    Sdl2AudioOptions options;
    options.driver = "no-such-driver";
    auto engine = Sdl2AudioEngine::Create(options, false);
    ASSERT_TRUE(engine->Sound().Create());
    EXPECT_STRNE(engine->DriverName(), "");
    DoneCounter counter;
    MidiStreamDevice& midi = engine->Midi();
    ASSERT_EQ(midi.Open(&DoneCounter::Callback, &counter), MMSYSERR_NOERROR);
    uint8_t data[1024] = {};
    MidiHeader header{data, 1024, 0, 0, nullptr};
    midi.PrepareHeader(&header);
    midi.Out(&header);
    midi.Restart();
    EXPECT_TRUE(counter.WaitFor(1)); // an empty buffer comes back at the next audio period
    midi.Close();
}
