// The runner's command line: defaults, values and a one-line error naming the option.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "programs/headless_runner/runner_options.h"

using namespace vorna;

namespace {

std::string ErrorOf(const std::vector<std::string>& args) {
    RunnerOptions o;
    std::string error;
    EXPECT_FALSE(ParseRunnerOptions(args, o, error));
    return error;
}

} // namespace

TEST(HeadlessOptions, DefaultsAndEveryOption) {
    RunnerOptions o;
    std::string error;
    ASSERT_TRUE(ParseRunnerOptions({}, o, error));
    EXPECT_EQ(o.frames, 1000u);
    EXPECT_TRUE(o.inputPath.empty());
    EXPECT_TRUE(o.tracePath.empty());
    EXPECT_TRUE(o.dumpFrames.Empty());
    ASSERT_TRUE(ParseRunnerOptions({"--frames", "3", "--input", "a.input", "--switches", "/S /f", "--trace", "-",
                                    "--expect", "a.trace", "--dump-dir", "d", "--dump-frames", "1,128-130,500",
                                    "--debug-output", "dbg.txt"},
                                   o, error))
        << error;
    EXPECT_EQ(o.frames, 3u);
    EXPECT_EQ(o.inputPath, "a.input");
    EXPECT_EQ(o.switches, "/S /f");
    EXPECT_EQ(o.tracePath, "-");
    EXPECT_EQ(o.expectPath, "a.trace");
    EXPECT_EQ(o.dumpDir, "d");
    EXPECT_EQ(o.debugOutputPath, "dbg.txt");
    EXPECT_TRUE(o.dumpFrames.Contains(1));
    EXPECT_FALSE(o.dumpFrames.Contains(2));
    EXPECT_FALSE(o.dumpFrames.Contains(127));
    EXPECT_TRUE(o.dumpFrames.Contains(128));
    EXPECT_TRUE(o.dumpFrames.Contains(130));
    EXPECT_FALSE(o.dumpFrames.Contains(131));
    EXPECT_TRUE(o.dumpFrames.Contains(500));
    ASSERT_TRUE(ParseRunnerOptions({"--switches", ""}, o, error));
    ASSERT_TRUE(ParseRunnerOptions({"--frames", "0"}, o, error));
    EXPECT_EQ(o.frames, 0u);
}

TEST(HeadlessOptions, ErrorsNameTheOption) {
    EXPECT_EQ(ErrorOf({"--frame", "3"}), "unknown option \"--frame\"");
    EXPECT_EQ(ErrorOf({"foo"}), "unexpected argument \"foo\"");
    EXPECT_EQ(ErrorOf({"--frames"}), "--frames: a value is missing");
    EXPECT_EQ(ErrorOf({"--frames", "-1"}), "--frames: \"-1\" is not a number of frames (0 to 2000000000)");
    EXPECT_EQ(ErrorOf({"--frames", "3x"}), "--frames: \"3x\" is not a number of frames (0 to 2000000000)");
    EXPECT_EQ(ErrorOf({"--frames", "99999999999"}),
              "--frames: \"99999999999\" is not a number of frames (0 to 2000000000)");
    EXPECT_EQ(ErrorOf({"--frames", "3", "--frames", "4"}), "--frames: given twice");
    EXPECT_EQ(ErrorOf({"--trace", ""}), "--trace: the value is empty");
    EXPECT_EQ(ErrorOf({"--dump-frames", "1"}), "--dump-frames: needs --dump-dir to say where the pictures go");
    EXPECT_EQ(ErrorOf({"--dump-dir", "d"}), "--dump-dir: needs --dump-frames to say which frames to write");
    EXPECT_EQ(ErrorOf({"--trace", "-", "--debug-output", "-"}), "--debug-output: standard output is already the trace");
    EXPECT_EQ(ErrorOf({"--input", "-", "--expect", "-"}), "--expect: standard input is already the input script");
}

TEST(HeadlessOptions, FrameListsRefuseMalformedItems) {
    const char* bad[] = {"", "0", "1,", ",1", "5-3", "1-", "-4", "a", "1-2-3", "1;2", " 1"};
    for (const char* text : bad) {
        FrameList list;
        std::string error;
        EXPECT_FALSE(list.Parse(text, error)) << text;
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(list.Empty());
    }
    FrameList list;
    std::string error;
    ASSERT_TRUE(list.Parse("7-7,2", error));
    EXPECT_TRUE(list.Contains(7));
    EXPECT_TRUE(list.Contains(2));
    EXPECT_FALSE(list.Contains(3));
}
