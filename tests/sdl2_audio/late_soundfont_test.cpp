// The SoundFont loading off the game's thread: what the music set before it arrived still holds after.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "backends/sdl2/midi_channel_memory.h"
#include "backends/sdl2/sdl2_audio_engine.h"

using namespace vorna;

namespace {

constexpr uint32_t kTempoEvent = 0x01000000u | 250000u;
constexpr uint32_t kVolumeZero = 0x000007B0u; // controller 7 (channel volume) = 0, channel 0
constexpr uint32_t kNoteOn = 0x007F3C90u;     // middle C at full velocity, channel 0

void IgnoreDone(void*, unsigned, MidiHeader*) {}

std::vector<uint32_t> Replayed(const MidiChannelMemory& memory) {
    std::vector<uint32_t> sent;
    memory.Replay([&](uint32_t m) { sent.push_back(m); });
    return sent;
}

// A stream buffer of events that are all due at once.
struct Events {
    explicit Events(std::vector<uint32_t> words) : data(words.size() * 12) {
        for (size_t i = 0; i < words.size(); ++i)
            for (int b = 0; b < 4; ++b) data[12 * i + 8 + size_t(b)] = uint8_t(words[i] >> (8 * b));
        header = MidiHeader{data.data(), uint32_t(data.size()), uint32_t(data.size()), 0, nullptr};
    }
    std::vector<uint8_t> data;
    MidiHeader header{};
};

float Loudest(Sdl2AudioEngine& engine, int frames) {
    std::vector<float> out(2 * size_t(frames));
    engine.Render(out.data(), frames);
    float loudest = 0;
    for (float f : out) loudest = std::fmax(loudest, std::fabs(f));
    return loudest;
}

// Sends the first events at once (the font is most likely still loading), then a note once it has loaded.
float NoteAfterLateFont(const std::vector<uint32_t>& early) {
    Sdl2AudioOptions options;
    options.soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    auto engine = Sdl2AudioEngine::Create(options, true);
    MidiStreamDevice& midi = engine->Midi();
    EXPECT_EQ(midi.Open(&IgnoreDone, nullptr), MMSYSERR_NOERROR);
    midi.SetTimeDivision(96);
    Events first(early), note({kNoteOn});
    midi.PrepareHeader(&first.header);
    midi.Out(&first.header);
    midi.Restart();
    Loudest(*engine, 64);
    if (!engine->HasSynth()) return -1;
    midi.PrepareHeader(&note.header);
    midi.Out(&note.header);
    const float loudest = Loudest(*engine, 4410);
    midi.Stop();
    midi.Close();
    return loudest;
}

} // namespace

TEST(MidiChannelMemory, ReplaysControllersBeforeTheProgramAndLeavesNotesOut) {
    MidiChannelMemory memory;
    EXPECT_TRUE(Replayed(memory).empty());
    memory.Note(0x000005C3u); // program 5 on channel 3
    memory.Note(0x000100B3u); // bank select 1 on channel 3, after the program
    memory.Note(0x00403C93u); // a note: not remembered
    memory.Note(0x00602AE3u); // pitch bend on channel 3
    memory.Note(0x000007B0u); // volume 0 on channel 0
    memory.Note(0x005007B0u); // then 80: the last value wins
    const std::vector<uint32_t> expected{0x005007B0u, 0x000100B3u, 0x000005C3u, 0x00602AE3u};
    EXPECT_EQ(Replayed(memory), expected);
    memory.Clear();
    EXPECT_TRUE(Replayed(memory).empty());
}

TEST(MidiChannelMemory, KeepsEveryChannelApart) {
    MidiChannelMemory memory;
    for (uint32_t channel = 0; channel < kMidiChannelCount; ++channel) memory.Note(0xC0u | channel | channel << 8);
    const std::vector<uint32_t> sent = Replayed(memory);
    ASSERT_EQ(sent.size(), size_t(kMidiChannelCount));
    for (uint32_t channel = 0; channel < kMidiChannelCount; ++channel)
        EXPECT_EQ(sent[channel], 0xC0u | channel | channel << 8);
}

TEST(Sdl2LateSoundFont, AVolumeSetBeforeTheFontArrivedStillHoldsAfter) {
    const float loud = NoteAfterLateFont({kTempoEvent});
    if (loud < 0) GTEST_SKIP() << "TimGM6mb.sf2 is not installed";
    EXPECT_GT(loud, 0.01f);
    EXPECT_LT(NoteAfterLateFont({kTempoEvent, kVolumeZero}), 1e-4f);
}

TEST(Sdl2LateSoundFont, AMissingOrDamagedFontEndsTheWaitWithoutASynthesizer) {
    Sdl2AudioOptions options;
    options.soundFont = "/nonexistent/none.sf2";
    EXPECT_FALSE(Sdl2AudioEngine::Create(options, true)->HasSynth());
    const std::string damaged = std::string(VORNA_TEST_OUTPUT_DIR) + "/damaged.sf2";
    std::ofstream(damaged, std::ios::binary) << "RIFF\x10\0\0\0sfbkLIST";
    options.soundFont = damaged.c_str();
    auto engine = Sdl2AudioEngine::Create(options, true);
    EXPECT_FALSE(engine->HasSynth());
    // The stream still runs, silently.
    MidiStreamDevice& midi = engine->Midi();
    EXPECT_EQ(midi.Open(&IgnoreDone, nullptr), MMSYSERR_NOERROR);
    EXPECT_EQ(Loudest(*engine, 64), 0.0f);
    EXPECT_EQ(midi.Close(), MMSYSERR_NOERROR);
}
