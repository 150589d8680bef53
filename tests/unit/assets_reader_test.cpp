// The generated songs and sounds through the game's own song reader and WAVE parser.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

// Until the song reader and its test support exist, there is nothing to compare against.
#if defined(VORNA_ASSET_BUILD_DIR) && __has_include("music/song_reader.h") && __has_include("support/song_driver.h")

#include "music/song_reader.h"
#include "platform/embedded_assets.h"
#include "sound/sound_effects.h"
#include "support/audio_fixtures.h"
#include "support/run_command.h"
#include "support/song_driver.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

std::vector<uint8_t> ReadBuiltSong(const std::string& name) {
    std::ifstream in(std::string(VORNA_ASSET_BUILD_DIR) + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The stream the game should make of a song as Debian's MIDI library reads it: channel messages and
// tempo events merged by time, the earlier track first at equal times.
std::vector<ConvertedEvent> ExpectedStream(const std::string& dump, uint32_t& loop) {
    struct Item {
        uint32_t tick;
        int track;
        size_t order;
        uint32_t word;
    };
    std::vector<Item> items;
    std::istringstream in(dump);
    std::string line;
    loop = 0;
    while (std::getline(in, line)) {
        std::istringstream l(line);
        int track;
        uint32_t tick;
        std::string kind;
        l >> track >> tick >> kind;
        loop = std::max(loop, tick);
        if (kind == "tempo") {
            uint32_t tempo;
            l >> tempo;
            items.push_back({tick, track, items.size(), 1u << 24 | tempo});
        } else if (kind == "midi") {
            uint32_t word = 0, b;
            for (int shift = 0; l >> b; shift += 8) word |= b << shift;
            items.push_back({tick, track, items.size(), word});
        }
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
    });
    std::vector<ConvertedEvent> out;
    for (const Item& i : items) out.push_back({i.tick, i.word});
    return out;
}

TEST(GeneratedSongs, TheGamesReaderAndDebiansMidiLibraryGiveTheSameEvents) {
    int status = 0;
    RunCommand("/usr/bin/python3 -c 'import mido' 2>/dev/null", status);
    if (status != 0) GTEST_SKIP() << "python3-mido is not installed (scripts/install-deps installs it)";
    for (int n = 0; n < 14; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "m%02x.dat", n);
        AudioGame a;
        a.files.files["song"] = ReadBuiltSong(name);
        const Conversion c = ConvertSong(a.g(), "song");
        ASSERT_EQ(c.openResult, 0) << name;
        EXPECT_EQ(c.lastResult, FillEnd) << name;
        EXPECT_EQ(a.g().music.song.PayloadCount.load(), 0) << name;
        const std::string dump =
            RunCommand(std::string("/usr/bin/python3 ") + VORNA_SOURCE_DIR + "/tests/tools/check_songs.py - --dump " +
                           VORNA_ASSET_BUILD_DIR + "/" + name,
                       status);
        ASSERT_EQ(status, 0) << name;
        uint32_t loop = 0;
        const std::vector<ConvertedEvent> expected = ExpectedStream(dump, loop);
        EXPECT_TRUE(c.events == expected) << name << ": " << c.events.size() << " events, mido " << expected.size();
        // The end-of-track delay is lost on a loop, so the last written event has to stand at the loop point.
        ASSERT_FALSE(c.events.empty()) << name;
        EXPECT_EQ(c.events.back().tick, loop) << name;
    }
}

TEST(GeneratedSounds, TheGamesWaveParserFindsTheFormatAndTheData) {
    const uint32_t sizes[12] = {29768, 15579, 11915, 5679, 22728, 23975, 28016, 32727, 37853, 6616, 13230, 21500};
    for (int n = 0; n < 12; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, "WAV_%02X", n);
        ByteView v{nullptr, 0};
        ASSERT_TRUE(FindEmbeddedAsset(name, "WAVE", v)) << name;
        WaveChunks chunks;
        ASSERT_TRUE(ParseWave(v.data, v.size, chunks)) << name;
        EXPECT_EQ(chunks.formatSize, 16u) << name;
        EXPECT_EQ(chunks.dataSize, sizes[n]) << name;
        EXPECT_EQ(chunks.format[0] | chunks.format[1] << 8, 1) << name << " is PCM";
    }
}

} // namespace

#endif
