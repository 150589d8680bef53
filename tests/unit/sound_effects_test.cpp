// Sound effects: the WAVE reader, loading from resources and files, the voice rings, silence without a device.
#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <set>
#include <string>

#include "sound/sound_effects.h"
#include "support/audio_fixtures.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

bool Parses(const Bytes& image, WaveChunks* out = nullptr) {
    WaveChunks chunks;
    bool ok = ParseWave(image.data(), image.size(), chunks);
    if (out) *out = chunks;
    return ok;
}

// The twelve sounds as resources, each with its own length so that buffers can be told apart.
void AddAllSounds(AudioGame& a) {
    const char* names[] = {"WAV_00", "WAV_01", "WAV_02", "WAV_03", "WAV_04", "WAV_05",
                           "WAV_06", "WAV_07", "WAV_08", "WAV_09", "WAV_0A", "WAV_0B"};
    for (int i = 0; i < 12; ++i) a.resources.items[names[i]] = SimpleWave(1000 + uint32_t(i));
}

int PlaysOf(const HeadlessSoundDevice& d, int voice) {
    return std::count(d.log.begin(), d.log.end(), "play " + std::to_string(voice));
}

} // namespace

TEST(ParseWave, FindsFormatAndDataInEitherOrder) {
    Bytes fmt = Chunk("fmt ", FormatChunkContents(2, 11025, 8));
    Bytes data = Chunk("data", Bytes(40, 0x80));
    WaveChunks c;
    ASSERT_TRUE(Parses(RiffImage({fmt, data}), &c));
    EXPECT_EQ(c.dataSize, 40u);
    EXPECT_EQ(c.formatSize, 16u);
    Bytes reversed = RiffImage({data, fmt});
    ASSERT_TRUE(Parses(reversed, &c));
    EXPECT_EQ(c.data, reversed.data() + 12 + 8);
    EXPECT_EQ(c.dataSize, 40u);
}

TEST(ParseWave, OddChunkIsFollowedByOnePadByte) {
    Bytes junk = Chunk("junk", Bytes(3, 0xEE)); // 3 bytes and a pad
    Bytes image = RiffImage({Chunk("fmt ", FormatChunkContents(1, 22050, 8)), junk, Chunk("data", Bytes(5, 1))});
    WaveChunks c;
    ASSERT_TRUE(Parses(image, &c));
    EXPECT_EQ(c.dataSize, 5u);
    EXPECT_EQ(c.data[0], 1);
    // Without the pad the data chunk is not found where the reader looks for it.
    Bytes unpadded = RiffImage({Chunk("fmt ", FormatChunkContents(1, 22050, 8)), Chunk("junk", Bytes(3, 0xEE), false),
                                Chunk("data", Bytes(5, 1))});
    EXPECT_FALSE(Parses(unpadded));
}

TEST(ParseWave, KeepsTheFirstFormatAndTheFirstNonEmptyData) {
    Bytes image = RiffImage({Chunk("data", {}), Chunk("fmt ", FormatChunkContents(1, 22050, 8)),
                             Chunk("fmt ", FormatChunkContents(2, 11025, 16))});
    WaveChunks c;
    // An empty data chunk does not count as found: the format alone is not enough.
    EXPECT_FALSE(Parses(image, &c));
    Bytes emptyAfter = RiffImage({Chunk("fmt ", FormatChunkContents(1, 22050, 8)), Chunk("data", {})});
    ASSERT_TRUE(Parses(emptyAfter, &c));
    EXPECT_EQ(c.dataSize, 0u); // parsed, but an empty sound cannot be filled and stays silent
    EXPECT_FALSE(FillSoundBuffer((*std::make_unique<Game>()).platform.sound, 0, c.data, c.dataSize));
    EXPECT_FALSE(Parses(RiffImage({Chunk("fmt ", FormatChunkContents(1, 22050, 8, 13)), Chunk("data", {1})})));
    EXPECT_TRUE(Parses(RiffImage({Chunk("fmt ", FormatChunkContents(1, 22050, 8, 14)), Chunk("data", {1})})));
}

TEST(ParseWave, RefusesImagesThatClaimMoreThanTheyHold) {
    Bytes good = SimpleWave(64);
    ASSERT_TRUE(Parses(good));
    // A RIFF size beyond the image.
    EXPECT_FALSE(Parses(RiffImage({Chunk("fmt ", FormatChunkContents(1, 22050, 8)), Chunk("data", Bytes(64))}, 1)));
    // A data chunk whose size runs past the end.
    Bytes longData = good;
    longData[good.size() - 64 - 4] = 65;
    EXPECT_FALSE(Parses(longData));
    // A format chunk whose size runs past the end.
    Bytes hugeFormat = RiffImage({Chunk("data", Bytes(4)), Chunk("fmt ", FormatChunkContents(1, 22050, 8))});
    hugeFormat[hugeFormat.size() - 16 - 4] = 0xFF;
    EXPECT_FALSE(Parses(hugeFormat));
    // Every truncation of a good image is refused, and none is read past its end (ASan watches).
    for (size_t n = 0; n < good.size(); ++n) {
        Bytes cut(good.begin(), good.begin() + long(n));
        EXPECT_FALSE(Parses(cut)) << n;
    }
    WaveChunks none;
    EXPECT_FALSE(ParseWave(nullptr, 0, none));
}

// Every shared test file: none crashes; the valid and unsupported ones parse (the device judges the format)
// and the broken ones are refused, except the faults this reader does not look at: extension fields inside a
// well-sized format chunk, sampler chunks, and a format chunk after the data, which the game accepts.
TEST(ParseWave, SharedTestFiles) {
    const std::string root = std::string(VORNA_TESTDATA_DIR) + "/wave/";
    const std::set<std::string> acceptedInvalid = {
        "extensible_format_chunk_extension_incomplete.wav",
        "extensible_format_chunk_extension_incomplete_in_large_enough_chunk.wav",
        "extensible_format_chunk_extension_missing.wav",
        "extensible_format_chunk_extension_size_incomplete_with_padding_byte.wav",
        "float_format_chunk_extension_size_incomplete_with_padding_byte.wav",
        "unsupported_format_extension_size_incomplete_with_padding_byte.wav",
        "format_chunk_after_data_chunk.wav",
        "smpl_chunk_empty.wav",
        "smpl_chunk_loop_count_too_high.wav",
        "smpl_chunk_truncated_sampler_specific_data.wav",
    };
    int seen = 0;
    for (const char* dir : {"valid", "invalid", "unsupported"}) {
        DIR* d = opendir((root + dir).c_str());
        ASSERT_NE(d, nullptr) << root + dir;
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name.size() < 4 || name.substr(name.size() - 4) != ".wav") continue;
            Bytes image = ReadFileBytes(root + dir + "/" + name);
            WaveChunks c;
            bool ok = ParseWave(image.data(), image.size(), c);
            bool expected = std::string(dir) == "invalid" ? acceptedInvalid.count(name) > 0 : true;
            EXPECT_EQ(ok, expected) << dir << "/" << name;
            if (ok) {
                EXPECT_GE(c.formatSize, 14u);
                EXPECT_LE(c.data + c.dataSize, image.data() + image.size()) << name;
                EXPECT_LE(c.format + c.formatSize, image.data() + image.size()) << name;
            }
            ++seen;
        }
        closedir(d);
    }
    EXPECT_GT(seen, 100);
}

TEST(SoundEffects, LoadsAllTwelveWithTheirVoiceCounts) {
    AudioGame a;
    AddAllSounds(a);
    ASSERT_TRUE(InitSound(a.g().sound, a.g().platform.sound));
    EXPECT_FALSE(InitSound(a.g().sound, a.g().platform.sound)); // already started
    LoadAllSounds(SoundOf(a.g()));
    const int voices[12] = {1, 1, 2, 2, 1, 1, 1, 1, 1, 2, 2, 2};
    for (int n = 0; n < 12; ++n) {
        const SoundEffect& e = a.g().sound.SoundEffectTable[n];
        EXPECT_EQ(e.voiceCount, voices[n]) << n;
        for (int v = 0; v < 8; ++v) EXPECT_EQ(e.voices[v] != kNoSoundBuffer, v < voices[n]) << n << " " << v;
        EXPECT_EQ(a.sound.buffers[size_t(e.voices[0])].data->size(), 1000u + unsigned(n));
    }
}

TEST(SoundEffects, ResourceFirstThenAFileOfThatName) {
    AudioGame a;
    a.files.files["WAV_03"] = SimpleWave(77);
    a.resources.items["WAV_04"] = SimpleWave(55);
    a.files.files["WAV_04"] = SimpleWave(66);
    ASSERT_TRUE(InitSound(a.g().sound, a.g().platform.sound));
    SoundEffect e3, e4, e5;
    EXPECT_TRUE(LoadSoundEffect(SoundOf(a.g()), e3, "WAV_03", 2));
    EXPECT_TRUE(LoadSoundEffect(SoundOf(a.g()), e4, "WAV_04", 1));
    EXPECT_FALSE(LoadSoundEffect(SoundOf(a.g()), e5, "WAV_05", 1));
    EXPECT_EQ(a.sound.buffers[size_t(e3.voices[0])].data->size(), 77u);
    EXPECT_EQ(a.sound.buffers[size_t(e4.voices[0])].data->size(), 55u);
    EXPECT_EQ(a.files.opened, (std::vector<std::string>{"WAV_03", "WAV_05"}));
    EXPECT_EQ(a.files.OpenCount(), 0);
    EXPECT_EQ(e5.voiceCount, 0);
    EXPECT_FALSE(LoadSoundEffect(SoundOf(a.g()), e5, "WAV_03", 9));
    EXPECT_FALSE(LoadSoundEffect(SoundOf(a.g()), e5, "WAV_03", -1));
    EXPECT_FALSE(LoadSoundEffect(SoundOf(a.g()), e5, nullptr, 1));
    EXPECT_TRUE(LoadSoundEffect(SoundOf(a.g()), e5, "WAV_03", 0));
    EXPECT_EQ(PlayEffectVoice(a.g().sound, a.g().platform.sound, &e5), kNoSoundBuffer);
}

TEST(SoundEffects, FailuresLeaveTheRecordAloneAndReleaseWhatWasMade) {
    AudioGame a;
    a.resources.items["WAV_02"] = SimpleWave(10);
    a.resources.items["BAD"] = RiffImage({Chunk("fmt ", FormatChunkContents(1, 22050, 8))});
    ASSERT_TRUE(InitSound(a.g().sound, a.g().platform.sound));
    SoundEffect e;
    a.sound.failDuplicateAfter = 1;
    EXPECT_FALSE(LoadSoundEffect(SoundOf(a.g()), e, "WAV_02", 2));
    EXPECT_EQ(e.voiceCount, 0);
    EXPECT_EQ(e.voices[0], kNoSoundBuffer);
    for (const auto& b : a.sound.buffers) EXPECT_FALSE(b.alive);
    a.sound.failDuplicateAfter = -1;
    a.sound.failFill = true;
    EXPECT_FALSE(LoadSoundEffect(SoundOf(a.g()), e, "WAV_02", 2));
    for (const auto& b : a.sound.buffers) EXPECT_FALSE(b.alive);
    a.sound.failFill = false;
    EXPECT_FALSE(LoadSoundEffect(SoundOf(a.g()), e, "BAD", 1));
    a.sound.failCreateBuffer = true;
    EXPECT_FALSE(LoadSoundEffect(SoundOf(a.g()), e, "WAV_02", 1));
}

TEST(SoundEffects, OneVoiceRestartsFromTheBeginning) {
    AudioGame a;
    AddAllSounds(a);
    InitSound(a.g().sound, a.g().platform.sound);
    LoadAllSounds(SoundOf(a.g()));
    int voice = a.g().sound.SoundEffectTable[1].voices[0];
    a.sound.log.clear();
    PlaySoundEffect(SoundOf(a.g()), 1);
    a.sound.Advance(10);
    EXPECT_GT(a.sound.buffers[size_t(voice)].position, 0u);
    PlaySoundEffect(SoundOf(a.g()), 1);
    std::vector<std::string> expected = {"play " + std::to_string(voice), "stop " + std::to_string(voice),
                                         "position " + std::to_string(voice) + " 0", "play " + std::to_string(voice)};
    EXPECT_EQ(a.sound.log, expected);
    EXPECT_EQ(a.sound.buffers[size_t(voice)].position, 0u);
    // Once it has played out, a new request starts it without a stop.
    a.sound.Advance(5000);
    a.sound.log.clear();
    PlaySoundEffect(SoundOf(a.g()), 1);
    EXPECT_EQ(a.sound.log, std::vector<std::string>{"play " + std::to_string(voice)});
}

TEST(SoundEffects, TwoVoicesAreUsedInTurnZeroOneZero) {
    AudioGame a;
    AddAllSounds(a);
    InitSound(a.g().sound, a.g().platform.sound);
    LoadAllSounds(SoundOf(a.g()));
    const SoundEffect& e = a.g().sound.SoundEffectTable[2];
    a.sound.log.clear();
    EXPECT_EQ(PlayEffectVoice(a.g().sound, a.g().platform.sound, &a.g().sound.SoundEffectTable[2]), e.voices[0]);
    EXPECT_EQ(PlayEffectVoice(a.g().sound, a.g().platform.sound, &a.g().sound.SoundEffectTable[2]), e.voices[1]);
    EXPECT_EQ(PlayEffectVoice(a.g().sound, a.g().platform.sound, &a.g().sound.SoundEffectTable[2]), e.voices[0]);
    EXPECT_EQ(PlaysOf(a.sound, e.voices[0]), 2);
    EXPECT_EQ(PlaysOf(a.sound, e.voices[1]), 1);
    // The third request cut off the older voice and restarted it.
    EXPECT_EQ(std::count(a.sound.log.begin(), a.sound.log.end(), "stop " + std::to_string(e.voices[0])), 1);
    EXPECT_EQ(a.g().sound.SoundEffectTable[2].nextVoice, 1);
    // A failed status query skips the request but still moves the ring on.
    a.sound.failStatus = true;
    EXPECT_EQ(PlayEffectVoice(a.g().sound, a.g().platform.sound, &a.g().sound.SoundEffectTable[2]), kNoSoundBuffer);
    EXPECT_EQ(a.g().sound.SoundEffectTable[2].nextVoice, 2);
}

TEST(SoundEffects, WithoutADeviceEverythingIsSilentAndSucceeds) {
    AudioGame a;
    AddAllSounds(a);
    a.sound.available = false;
    EXPECT_FALSE(InitSound(a.g().sound, a.g().platform.sound));
    EXPECT_EQ(a.g().sound.SoundReady, 0);
    LoadAllSounds(SoundOf(a.g()));
    SoundEffect e;
    EXPECT_TRUE(LoadSoundEffect(SoundOf(a.g()), e, "WAV_00", 1));
    for (int n = 0; n < 12; ++n) {
        PlaySoundEffect(SoundOf(a.g()), n);
        EXPECT_EQ(PlayEffectVoice(a.g().sound, a.g().platform.sound, &a.g().sound.SoundEffectTable[n]), kNoSoundBuffer);
    }
    EXPECT_TRUE(a.sound.buffers.empty());
    ShutdownSound(a.g().sound, a.g().platform.sound);
    EXPECT_EQ(std::count(a.sound.log.begin(), a.sound.log.end(), "release"), 0);
    // Without any device at all.
    Game bare;
    EXPECT_FALSE(InitSound(bare.sound, bare.platform.sound));
    LoadAllSounds(SoundOf(bare));
    PlaySoundEffect(SoundOf(bare), 3);
}

TEST(SoundEffects, ShutdownReleasesOnceAndSilencesPlay) {
    AudioGame a;
    AddAllSounds(a);
    InitSound(a.g().sound, a.g().platform.sound);
    LoadAllSounds(SoundOf(a.g()));
    ShutdownSound(a.g().sound, a.g().platform.sound);
    ShutdownSound(a.g().sound, a.g().platform.sound);
    EXPECT_EQ(std::count(a.sound.log.begin(), a.sound.log.end(), "release"), 1);
    EXPECT_EQ(PlayEffectVoice(a.g().sound, a.g().platform.sound, &a.g().sound.SoundEffectTable[0]), kNoSoundBuffer);
    PlaySoundEffect(SoundOf(a.g()), 12); // out of range: ignored
    PlaySoundEffect(SoundOf(a.g()), -1);
}
