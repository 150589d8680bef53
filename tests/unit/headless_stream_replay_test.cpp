// A stored replay through the in-process runner: the music stream plays out and refills during the run,
// and the trace stays the stored one.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "programs/headless_runner/runner.h"

using namespace vorna;

namespace {

// The player's first two fills of each song are queued before it plays.
constexpr int kFirstFillsPerSong = 2;

std::string ReplayFile(const std::string& name) {
    return std::string(VORNA_SOURCE_DIR) + "/tests/replays/" + name;
}

std::string FirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

TEST(HeadlessStream, AReplayPlaysItsMusicThroughRefillsWithTheTraceUnchanged) {
    const std::string name = "play_mission_won";
    std::FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    HeadlessRunStats stats;
    int exit = RunHeadlessMain({"--frames", FirstLine(ReplayFile(name + ".frames")), "--input",
                                ReplayFile(name + ".input"), "--expect", ReplayFile(name + ".trace")},
                               stdin, sink, sink, &stats);
    std::fclose(sink);
    // The expected trace is compared byte for byte: music that plays on changes nothing the game shows.
    EXPECT_EQ(exit, RunnerDone);
    // Mission one's song and the title's: many buffers played to their end, each refilled and queued again.
    EXPECT_GT(stats.midiBuffersPlayedOut, 20);
    EXPECT_GE(stats.midiBuffersQueued, stats.midiBuffersPlayedOut + kFirstFillsPerSong);
    // Every stop hands back at most the two buffers in flight.
    EXPECT_LE(stats.midiBuffersStopped, stats.midiBuffersQueued - stats.midiBuffersPlayedOut);
}

TEST(HeadlessStream, StatsAreLeftAtZeroWhenTheArgumentsAreRefused) {
    std::FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    HeadlessRunStats stats;
    EXPECT_EQ(RunHeadlessMain({"--frames", "many"}, stdin, sink, sink, &stats), RunnerBadArguments);
    std::fclose(sink);
    EXPECT_EQ(stats.midiBuffersQueued, 0);
    EXPECT_EQ(stats.midiBuffersPlayedOut, 0);
}
