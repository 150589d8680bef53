// The generated sheet, sounds, songs and icon, read back through the game's own readers and tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "base/sprite_rects.h"
#include "gfx/display.h"
#include "gfx/sheet.h"
#include "gfx/sheet_text.h"
#include "platform/embedded_assets.h"
#include "support/run_command.h"

#ifdef VORNA_ASSET_BUILD_DIR

namespace vorna {
namespace {

uint32_t U32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

std::vector<uint8_t> ReadBuilt(const std::string& name) {
    std::ifstream in(std::string(VORNA_ASSET_BUILD_DIR) + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FindEmbeddedAsset("BMP_00", "BITMAP", view));
        ASSERT_TRUE(DecodeDib(view.data, view.size, dib));
    }
    uint8_t At(int x, int y) const { return dib.pixels[static_cast<size_t>(y * dib.width + x)]; }
    bool Empty(int x, int y, int w, int h) const {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                if (At(i, j)) return false;
        return true;
    }
    ByteView view{nullptr, 0};
    DibImage dib;
};

TEST_F(SheetTest, HeaderIsTheBareDibOfTheResourceAndTheFileAddsItsHeader) {
    ASSERT_GE(view.size, 40u + 1024 + 76800);
    EXPECT_EQ(U32(view.data), 40u);
    EXPECT_EQ(static_cast<int32_t>(U32(view.data + 4)), 320);
    EXPECT_EQ(static_cast<int32_t>(U32(view.data + 8)), 240); // positive: bottom-up
    EXPECT_EQ(U16(view.data + 12), 1);
    EXPECT_EQ(U16(view.data + 14), 8);
    EXPECT_EQ(U32(view.data + 16), 0u);
    EXPECT_EQ(U32(view.data + 20), 76800u);
    EXPECT_EQ(dib.colours[0], 0x040504u);

    const std::vector<uint8_t> file = ReadBuilt("BMP_00.bmp");
    ASSERT_EQ(file.size(), 14 + view.size);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file.data() + 2), file.size());
    EXPECT_EQ(U32(file.data() + 10), 14u + 40 + 1024);
    EXPECT_TRUE(std::equal(view.data, view.data + view.size, file.begin() + 14));
}

TEST_F(SheetTest, NoVisiblePixelFallsOnTheBlackKeyOfTheDisplay) {
    PaletteEntry display[256] = {};
    FillStandardSystemColours(display);
    for (int i = 0; i < 236; ++i) display[10 + i] = ColourCube(i);
    bool used[256] = {};
    for (uint8_t v : dib.pixels) used[v] = true;
    for (int v = 1; v < 256; ++v) {
        if (!used[v]) continue;
        const int r = (dib.colours[v] >> 16) & 0xFF, g = (dib.colours[v] >> 8) & 0xFF, b = dib.colours[v] & 0xFF;
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < 256; ++i) {
            const int d = (display[i].red - r) * (display[i].red - r) +
                          (display[i].green - g) * (display[i].green - g) +
                          (display[i].blue - b) * (display[i].blue - b);
            if (d < bestDistance) bestDistance = d, best = i;
        }
        EXPECT_EQ(bestDistance, 0) << "table colour " << v << " is not a display colour";
        EXPECT_FALSE(display[best].red == 0 && display[best].green == 0 && display[best].blue == 0)
            << "table colour " << v << " shows as the transparent black";
    }
}

TEST_F(SheetTest, LettersFillTheirCellsAndKeepTheSeparatingColumnEmpty) {
    for (int k = 0; k < 26; ++k) {
        const int x = GlyphStartTable[k], w = GlyphStartTable[k + 1] - x - 1;
        EXPECT_FALSE(Empty(x, 0, w, 16)) << static_cast<char>('A' + k);
        EXPECT_TRUE(Empty(x + w, 0, 1, 16)) << "column after " << static_cast<char>('A' + k);
        // Ink reaches the left edge of the cell, so letters set edge to edge do not gape.
        EXPECT_FALSE(Empty(x, 0, 1, 16)) << static_cast<char>('A' + k);
    }
    for (int d = 0; d < 10; ++d) EXPECT_FALSE(Empty(48 + 8 * d, 208, 8, 16)) << d;
    // Below the letters, the free strip holds only what the table names or decorations.
    EXPECT_TRUE(Empty(0, 208, MinimapArea.w, MinimapArea.h));
}

TEST_F(SheetTest, EveryTableRegionHoldsAPictureWithATransparentSurroundWhereItIsRound) {
    for (int i = 0; i < kSpriteRectCount; ++i) {
        const SpriteRect& r = SpriteRectTable[i];
        EXPECT_FALSE(Empty(r.x, r.y, r.w, r.h)) << "entry " << i;
    }
    for (int k = 0; k < 3; ++k) {
        const SpriteRect& g = SpriteRectTable[IntroGlobeSprite + k];
        EXPECT_EQ(At(g.x, g.y), 0) << k;
        EXPECT_EQ(At(g.x + g.w - 1, g.y + g.h - 1), 0) << k;
        EXPECT_NE(At(g.x + g.w / 2, g.y + g.h / 2), 0) << k;
    }
    // Blocks tile the field edge to edge: they are solid rectangles.
    for (int k = 0; k < 4; ++k) {
        const SpriteRect& b = SpriteRectTable[BlockSprite + k];
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x) ASSERT_NE(At(x, y), 0) << k;
    }
}

TEST(SoundAssets, FormatsLengthsAndQuietEdgesFollowTheSoundTable) {
    struct Row {
        int channels, rate;
        uint32_t bytes;
    };
    const Row table[12] = {{2, 11025, 29768}, {1, 22050, 15579}, {1, 22050, 11915}, {1, 22050, 5679},
                           {1, 22050, 22728}, {1, 22050, 23975}, {1, 11025, 28016}, {1, 22050, 32727},
                           {1, 22050, 37853}, {2, 11025, 6616},  {2, 11025, 13230}, {2, 11025, 21500}};
    for (int n = 0; n < 12; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, "WAV_%02X", n);
        ByteView v{nullptr, 0};
        ASSERT_TRUE(FindEmbeddedAsset(name, "WAVE", v)) << name;
        ASSERT_GE(v.size, 44u) << name;
        const uint8_t* p = v.data;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(p), 4), "RIFF");
        EXPECT_EQ(U32(p + 4) + 8, v.size) << name;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(p + 8), 8), "WAVEfmt ");
        EXPECT_EQ(U32(p + 16), 16u);
        EXPECT_EQ(U16(p + 20), 1) << "PCM";
        EXPECT_EQ(U16(p + 22), table[n].channels) << name;
        EXPECT_EQ(static_cast<int>(U32(p + 24)), table[n].rate) << name;
        EXPECT_EQ(static_cast<int>(U32(p + 28)), table[n].rate * table[n].channels) << name;
        EXPECT_EQ(U16(p + 32), table[n].channels) << name;
        EXPECT_EQ(U16(p + 34), 8);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(p + 36), 4), "data");
        const uint32_t size = U32(p + 40);
        EXPECT_EQ(size, table[n].bytes) << name;
        ASSERT_LE(44 + size, v.size);
        EXPECT_EQ(v.size, 44 + size + (size & 1)) << "odd data is padded";
        const uint8_t* s = p + 44;
        int peak = 0;
        for (uint32_t i = 0; i < size; ++i) {
            EXPECT_TRUE(s[i] > 0 && s[i] < 255) << name << " clips at " << i;
            peak = std::max(peak, std::abs(s[i] - 128));
        }
        EXPECT_GE(peak, 110) << name << " is too quiet";
        for (uint32_t i = 0; i < 4; ++i) {
            EXPECT_LE(std::abs(s[i] - 128), 2) << name << " starts with a click";
            EXPECT_LE(std::abs(s[size - 1 - i] - 128), 2) << name << " ends with a click";
        }
    }
}

TEST(IconAsset, HoldsTheGlobeAtSixteenAndThirtyTwoPixels) {
    ByteView v{nullptr, 0};
    ASSERT_TRUE(FindEmbeddedAsset("ICN_01", "ICON", v));
    ASSERT_GE(v.size, 6u + 2 * 16);
    EXPECT_EQ(U16(v.data), 0);
    EXPECT_EQ(U16(v.data + 2), 1);
    ASSERT_EQ(U16(v.data + 4), 2);
    const int sizes[2] = {16, 32};
    for (int i = 0; i < 2; ++i) {
        const uint8_t* e = v.data + 6 + 16 * i;
        EXPECT_EQ(e[0], sizes[i]);
        EXPECT_EQ(e[1], sizes[i]);
        const uint32_t bytes = U32(e + 8), offset = U32(e + 12);
        ASSERT_LE(uint64_t{offset} + bytes, v.size);
        const uint8_t* img = v.data + offset;
        EXPECT_EQ(U32(img), 40u);
        EXPECT_EQ(static_cast<int>(U32(img + 4)), sizes[i]);
        EXPECT_EQ(static_cast<int>(U32(img + 8)), 2 * sizes[i]); // colours and mask
        EXPECT_EQ(U16(img + 14), 32);
        const int n = sizes[i];
        ASSERT_GE(bytes, 40u + n * n * 4 + n * 4);
        auto alpha = [&](int x, int y) { return img[40 + ((n - 1 - y) * n + x) * 4 + 3]; };
        EXPECT_EQ(alpha(0, 0), 0) << "the corners are transparent";
        EXPECT_EQ(alpha(n / 2, n / 2), 255) << "the globe is opaque";
    }
}

// A small reader of its own, independent of the generator's writer, for the songs' structure.
struct SongEvent {
    int track;
    uint32_t tick;
    std::string text;
};

bool ReadSong(const std::vector<uint8_t>& f, std::vector<SongEvent>& out, int& division, bool& usedRunning) {
    auto be32 = [&](size_t at) {
        return static_cast<uint32_t>(f[at] << 24 | f[at + 1] << 16 | f[at + 2] << 8 | f[at + 3]);
    };
    if (f.size() < 14 || std::string(f.begin(), f.begin() + 4) != "MThd" || be32(4) != 6) return false;
    const int format = f[8] << 8 | f[9], tracks = f[10] << 8 | f[11];
    division = f[12] << 8 | f[13];
    if (format != 1) return false;
    size_t at = 14;
    for (int t = 0; t < tracks; ++t) {
        if (at + 8 > f.size() || std::string(f.begin() + at, f.begin() + at + 4) != "MTrk") return false;
        const size_t end = at + 8 + be32(at + 4);
        if (end > f.size()) return false;
        at += 8;
        uint32_t tick = 0;
        uint8_t running = 0;
        bool ended = false;
        while (at < end && !ended) {
            uint32_t delta = 0;
            do delta = delta << 7 | (f[at] & 0x7F);
            while (f[at++] & 0x80 && at < end);
            tick += delta;
            uint8_t status = f[at];
            if (status < 0x80) {
                if (!running) return false;
                status = running;
                usedRunning = true;
            } else {
                ++at;
            }
            std::ostringstream e;
            if (status == 0xFF) {
                const uint8_t type = f[at++];
                const uint8_t len = f[at++];
                if (type == 0x51)
                    e << "tempo " << (f[at] << 16 | f[at + 1] << 8 | f[at + 2]);
                else if (type == 0x2F)
                    e << "end", ended = true;
                else
                    e << "meta";
                at += len;
                running = 0;
            } else {
                running = status;
                const int n = (status & 0xE0) == 0xC0 ? 1 : 2;
                e << "midi " << int(status);
                for (int k = 0; k < n; ++k) e << " " << int(f[at++]);
            }
            out.push_back({t, tick, e.str()});
        }
        if (!ended || at != end) return false;
    }
    return at == f.size();
}

TEST(SongAssets, EveryTrackEndsAtTheLoopPointAndTempoEventsStandAtEveryBar) {
    for (int n = 0; n < 14; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "m%02x.dat", n);
        const std::vector<uint8_t> f = ReadBuilt(name);
        std::vector<SongEvent> events;
        int division = 0;
        bool running = false;
        ASSERT_TRUE(ReadSong(f, events, division, running)) << name;
        EXPECT_EQ(division, 96) << name;
        EXPECT_TRUE(running) << name << " does not use running status";
        uint32_t loop = 0;
        for (const SongEvent& e : events) loop = std::max(loop, e.tick);
        std::vector<uint32_t> tempos;
        bool drums = false;
        for (size_t i = 0; i < events.size(); ++i) {
            const SongEvent& e = events[i];
            if (e.text == "end") {
                EXPECT_EQ(e.tick, loop) << name << " track " << e.track;
                ASSERT_GT(i, 0u);
                EXPECT_EQ(events[i - 1].tick, loop) << name << " track " << e.track << ": no event at the loop point";
            }
            if (e.track == 0 && e.text.rfind("tempo", 0) == 0) tempos.push_back(e.tick);
            if (e.text.rfind("midi 153 ", 0) == 0) drums = true;
        }
        EXPECT_TRUE(drums) << name;
        ASSERT_GE(tempos.size(), 9u) << name;
        const uint32_t bar = tempos[1] - tempos[0];
        for (size_t i = 0; i < tempos.size(); ++i) EXPECT_EQ(tempos[i], i * bar) << name;
        EXPECT_EQ(tempos.back(), loop) << name;
    }
}

TEST(SongAssets, DebiansMidiLibraryReadsTheSameEvents) {
    int status = 0;
    RunCommand("/usr/bin/python3 -c 'import mido' 2>/dev/null", status);
    if (status != 0) GTEST_SKIP() << "python3-mido is not installed (scripts/install-deps installs it)";
    for (int n = 0; n < 14; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "m%02x.dat", n);
        std::vector<SongEvent> events;
        int division = 0;
        bool running = false;
        ASSERT_TRUE(ReadSong(ReadBuilt(name), events, division, running)) << name;
        std::ostringstream ours;
        for (const SongEvent& e : events) ours << e.track << " " << e.tick << " " << e.text << "\n";
        const std::string theirs =
            RunCommand(std::string("/usr/bin/python3 ") + VORNA_SOURCE_DIR + "/tests/tools/check_songs.py - --dump " +
                           VORNA_ASSET_BUILD_DIR + "/" + name,
                       status);
        ASSERT_EQ(status, 0) << name;
        EXPECT_EQ(ours.str(), theirs) << name;
    }
}

} // namespace
} // namespace vorna

#endif
