// The trace line's exact bytes, the frame hash and the comparison with a stored trace.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "programs/headless_runner/trace.h"
#include "programs/headless_runner/trace_compare.h"

using namespace vorna;

namespace {

uint64_t HashOf(const char* s) {
    return Fnv1a64(reinterpret_cast<const uint8_t*>(s), std::strlen(s));
}

std::string Zeros(int n) {
    std::string s = "[0";
    for (int i = 1; i < n; ++i) s += ",0";
    return s + "]";
}

} // namespace

TEST(HeadlessTrace, Fnv1aMatchesThePublishedVectors) {
    EXPECT_EQ(HashOf(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(HashOf("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(HashOf("foobar"), 0x85944171f73967e8ull);
    // Hashing in pieces gives the hash of the whole.
    EXPECT_EQ(Fnv1a64(reinterpret_cast<const uint8_t*>("bar"), 3, HashOf("foo")), HashOf("foobar"));
}

TEST(HeadlessTrace, FrameHashCoversExactlyTheVisible320x240) {
    std::vector<uint8_t> zeros(76800, 0);
    const uint64_t blank = Fnv1a64(zeros.data(), zeros.size());
    Surface none;
    EXPECT_EQ(BackBufferHash(none), blank);

    Surface s;
    s.exists = true;
    s.width = 320;
    s.height = 240;
    s.pitch = 336; // padding bytes beyond each row must not count
    s.pixels.assign(336 * 240, 0);
    for (int y = 0; y < 240; ++y)
        for (int x = 320; x < 336; ++x) s.pixels[y * 336 + x] = 0xAB;
    EXPECT_EQ(BackBufferHash(s), blank);
    s.pixels[239 * 336 + 319] = 7; // the last visible pixel
    std::vector<uint8_t> expected(76800, 0);
    expected[76799] = 7;
    EXPECT_EQ(BackBufferHash(s), Fnv1a64(expected.data(), expected.size()));
}

TEST(HeadlessTrace, LineOfAKnownStateIsExact) {
    auto g = std::make_unique<Game>();
    g->scene.Scene = 128;
    g->scene.SceneTimer = 0xFFFFFFFFu; // unsigned
    g->scene.SceneStep = -3;
    g->random.state = 0x80000000u;
    g->scene.InputNow = 0x8011;
    g->play.counters = PlayCounters{120, 2000, 5400, 0, 0, 7, 0, 9, 2};
    g->play.globe = GlobeRecord{160, 120, 159, 121, 192, 0.9f, 100, TERA, SUN};
    g->play.vorna = VornaRecord{-5, 3, 0, 0, 64, 16.0f, 30, 1, 2};
    g->play.CellType[0] = 3;
    g->play.CellHits[49] = -1;
    g->display.PaletteEntries[0] = PaletteEntry{0x12, 0x34, 0x56, 4};
    FrameEvents ev;
    ev.sounds = {4, 0};
    ev.music = {"stop", "play 3", "tempo 100"};
    std::string line;
    AppendTraceLine(line, *g, 17, ev);

    std::string cells = Zeros(50);
    cells[1] = '3';
    std::string hits = Zeros(49);
    hits.back() = ',';
    hits += "-1]";
    std::vector<uint8_t> zeros(76800, 0);
    char fb[17];
    std::snprintf(fb, sizeof fb, "%016llx", static_cast<unsigned long long>(Fnv1a64(zeros.data(), zeros.size())));
    const std::string expected = "{\"f\":17,\"scene\":128,\"t\":4294967295,\"step\":-3,\"rng\":2147483648,\"in\":32785,"
                                 "\"c\":[120,2000,5400,0,0,7,0,9,2],\"g\":[160,120,159,121,192,0.899999976,100,1,0],"
                                 "\"v\":[-5,3,0,0,64,16,30,1,2],\"cells\":" +
                                 cells + ",\"hits\":" + hits +
                                 ",\"snd\":[4,0],\"mus\":[\"stop\",\"play 3\",\"tempo 100\"],\"pal0\":1193046," +
                                 "\"fb\":\"" + fb + "\"}";
    EXPECT_EQ(line, expected);
}

TEST(HeadlessTrace, SpeedsReadBackExactly) {
    auto g = std::make_unique<Game>();
    const float speeds[] = {0.1f, 0.2f + 0.1f, 15.8000002f, 1e-7f, -0.0f};
    for (float s : speeds) {
        g->play.globe.Speed = s;
        std::string line;
        AppendTraceLine(line, *g, 1, FrameEvents{});
        size_t start = line.find("\"g\":[") + 5;
        for (int i = 0; i < 5; ++i) start = line.find(',', start) + 1;
        float back = std::strtof(line.c_str() + start, nullptr);
        EXPECT_EQ(std::memcmp(&back, &s, sizeof s), 0) << line.substr(start, 16);
    }
}

TEST(HeadlessTrace, EmptyEventListsAreEmptyArrays) {
    auto g = std::make_unique<Game>();
    std::string line;
    AppendTraceLine(line, *g, 1, FrameEvents{});
    EXPECT_NE(line.find(",\"snd\":[],\"mus\":[],\"pal0\":0,"), std::string::npos) << line;
    EXPECT_EQ(line.find(' '), std::string::npos);
}

TEST(HeadlessCompare, IdenticalTracesAgree) {
    std::string msg;
    EXPECT_TRUE(CompareTraces({"{\"f\":1}", "{\"f\":2}"}, {"{\"f\":1}", "{\"f\":2}"}, msg));
    EXPECT_TRUE(CompareTraces({}, {}, msg));
}

TEST(HeadlessCompare, NamesTheFirstDifferentKeyWithBothValues) {
    std::vector<std::string> want = {"{\"f\":1,\"scene\":4,\"c\":[0,2000],\"mus\":[\"play 1\"]}",
                                     "{\"f\":2,\"scene\":4,\"c\":[0,2000],\"mus\":[]}"};
    std::vector<std::string> got = want;
    std::string msg;
    got[1] = "{\"f\":2,\"scene\":16,\"c\":[0,2001],\"mus\":[]}";
    EXPECT_FALSE(CompareTraces(want, got, msg));
    EXPECT_EQ(msg, "frame 2: scene expected 4 got 16");
    got[1] = "{\"f\":2,\"scene\":4,\"c\":[0,2001],\"mus\":[]}";
    EXPECT_FALSE(CompareTraces(want, got, msg));
    EXPECT_EQ(msg, "frame 2: c expected [0,2000] got [0,2001]");
    got = want;
    got[0] = "{\"f\":1,\"scene\":4,\"c\":[0,2000],\"mus\":[\"play 1\",\"stop\"]}";
    EXPECT_FALSE(CompareTraces(want, got, msg));
    EXPECT_EQ(msg, "frame 1: mus expected [\"play 1\"] got [\"play 1\",\"stop\"]");
}

TEST(HeadlessCompare, ReportsTracesOfDifferentLengths) {
    std::string msg;
    EXPECT_FALSE(CompareTraces({"{\"f\":1}", "{\"f\":2}"}, {"{\"f\":1}"}, msg));
    EXPECT_EQ(msg, "frame 2: f expected 2 got nothing");
    EXPECT_FALSE(CompareTraces({"{\"f\":1}"}, {"{\"f\":1}", "{\"f\":2}"}, msg));
    EXPECT_EQ(msg, "frame 2: f expected nothing got 2");
}

TEST(HeadlessCompare, ReportsMissingExtraAndDamagedFields) {
    std::string msg;
    EXPECT_FALSE(CompareTraces({"{\"f\":1,\"a\":1}"}, {"{\"f\":1,\"a\":1,\"b\":2}"}, msg));
    EXPECT_EQ(msg, "frame 1: b expected nothing got 2");
    EXPECT_FALSE(CompareTraces({"{\"f\":1,\"a\":1,\"b\":2}"}, {"{\"f\":1,\"a\":1}"}, msg));
    EXPECT_EQ(msg, "frame 1: b expected 2 got nothing");
    EXPECT_FALSE(CompareTraces({"{\"f\":1,\"b\":1}"}, {"{\"f\":1,\"a\":1}"}, msg));
    EXPECT_EQ(msg, "frame 1: key 2 expected b got a");
    EXPECT_FALSE(CompareTraces({"{\"f\":1,\"a\":[1,2"}, {"{\"f\":1,\"a\":[1,2]}"}, msg));
    EXPECT_EQ(msg, "frame 1: line expected {\"f\":1,\"a\":[1,2 got {\"f\":1,\"a\":[1,2]}");
    EXPECT_FALSE(CompareTraces({"garbage"}, {"{\"f\":1}"}, msg));
    EXPECT_EQ(msg, "frame 1: line expected garbage got {\"f\":1}");
}

TEST(HeadlessCompare, SplitsLinesWithOrWithoutAFinalLineEnd) {
    EXPECT_EQ(SplitTraceLines("a\nb\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitTraceLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(SplitTraceLines("").empty());
    EXPECT_EQ(SplitTraceLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
}
