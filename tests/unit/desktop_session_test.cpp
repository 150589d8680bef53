// The desktop program's command line and its input recording: options kept from the game, scripts read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/shell.h"
#include "programs/headless_runner/input_recording.h"
#include "programs/headless_runner/input_script.h"

#ifdef VORNA_HAVE_DESKTOP
#include "backends/sdl2/program_args.h"
#endif

using namespace vorna;

namespace {

class HeldKeys : public Keyboard {
public:
    bool IsKeyDown(int virtualKey) override { return down.count(virtualKey) != 0; }
    std::set<int> down;
};

class OnePad : public Joystick {
public:
    uint32_t GetNumDevs() override { return present ? 1 : 0; }
    bool GetDevCaps(unsigned, JoystickCaps& caps) override {
        caps = JoystickCaps{0, 65535, 0, 65535, 0, 65535, 0, 65535};
        return present;
    }
    bool GetPosition(unsigned id, JoystickPosition& pos) override {
        pos = position;
        return present && answers && id == 0;
    }
    bool present = false;
    bool answers = true;
    JoystickPosition position{kAxisCentre, kAxisCentre, kAxisCentre, kAxisCentre, 0};
};

// The keys ReadInput polls, in the game's own order.
const int kPolledKeys[] = {VK_UP_KEY,    VK_NUMPAD8_KEY, VK_DOWN_KEY, VK_NUMPAD2_KEY, VK_LEFT_KEY,  VK_NUMPAD4_KEY,
                           VK_RIGHT_KEY, VK_NUMPAD6_KEY, VK_Z_KEY,    VK_X_KEY,       VK_ESCAPE_KEY};

struct Recording {
    HeldKeys keys;
    OnePad pad;
    std::FILE* file = std::tmpfile();
    std::unique_ptr<InputRecorder> recorder;
    Recording() { recorder = std::make_unique<InputRecorder>(keys, pad, file); }
    ~Recording() {
        if (file != nullptr) std::fclose(file);
    }
    // One running frame as the game sees it: every polled key, then the pad when it was detected.
    void Frame(uint32_t frame, bool padDetected) {
        for (int k : kPolledKeys) recorder->IsKeyDown(k);
        if (padDetected) {
            JoystickPosition pos;
            recorder->GetPosition(0, pos);
        }
        recorder->FrameDone(frame);
    }
    std::string Text() {
        std::fflush(file);
        std::rewind(file);
        std::string text;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, file)) > 0) text.append(buf, n);
        return text;
    }
};

InputScript ReadBack(const std::string& text) {
    InputScript script;
    std::string error;
    EXPECT_TRUE(ParseInputScript(text, "rec.input", script, error)) << error << "\n" << text;
    return script;
}

} // namespace

TEST(DesktopRecording, WritesAHeaderWithTheSwitchesAndOneLinePerChange) {
    Recording r;
    ASSERT_NE(r.file, nullptr);
    r.recorder->WriteHeader("/S", "9.9");
    r.Frame(1, false);
    r.keys.down = {VK_Z_KEY};
    r.Frame(2, false);
    r.Frame(3, false); // held: nothing new to say
    r.keys.down = {VK_LEFT_KEY, VK_NUMPAD6_KEY};
    r.Frame(4, false);
    r.keys.down.clear();
    r.Frame(5, false);
    EXPECT_EQ(r.Text(), "vorna-input 1\n# recorded by vorna 9.9\n# switches: /S\n2 Z\n4 LEFT NUM6\n5 -\n");
    EXPECT_FALSE(r.recorder->Failed());
}

TEST(DesktopRecording, ReadsBackAsTheInputTheGameSaw) {
    Recording r;
    ASSERT_NE(r.file, nullptr);
    r.recorder->WriteHeader("", "1");
    const std::vector<std::set<int>> frames = {
        {}, {VK_Z_KEY}, {VK_Z_KEY, VK_UP_KEY}, {VK_ESCAPE_KEY}, {}, {VK_X_KEY, VK_DOWN_KEY, VK_NUMPAD8_KEY}};
    for (size_t i = 0; i < frames.size(); ++i) {
        r.keys.down = frames[i];
        r.Frame(static_cast<uint32_t>(i + 1), false);
    }
    ScriptedInput replay(ReadBack(r.Text()));
    HeadlessKeyboard keyboard(replay);
    EXPECT_FALSE(replay.HasJoystick());
    for (size_t i = 0; i < frames.size(); ++i) {
        replay.SetFrame(static_cast<uint32_t>(i + 1));
        for (int k : kPolledKeys) EXPECT_EQ(keyboard.IsKeyDown(k), frames[i].count(k) != 0) << "frame " << i + 1;
    }
}

TEST(DesktopRecording, AKeyNotPolledKeepsItsLastValue) {
    Recording r;
    ASSERT_NE(r.file, nullptr);
    r.keys.down = {VK_F3_KEY};
    r.recorder->IsKeyDown(VK_F3_KEY);
    r.recorder->FrameDone(1);
    // F3 is asked only in some scenes: a frame that does not ask cannot have seen it released.
    r.keys.down.clear();
    r.recorder->FrameDone(2);
    r.recorder->IsKeyDown(VK_F3_KEY);
    r.recorder->FrameDone(3);
    EXPECT_EQ(r.Text(), "1 F3\n3 -\n");
}

TEST(DesktopRecording, AJoystickGetsItsAxesFromTheFirstFrameOn) {
    Recording r;
    ASSERT_NE(r.file, nullptr);
    r.pad.present = true;
    r.recorder->WriteHeader("", "1");
    ASSERT_EQ(r.recorder->GetNumDevs(), 1u);
    r.Frame(1, true);
    r.pad.position.x = 0;
    r.pad.position.buttons = 0x81; // buttons 1 and 8
    r.Frame(2, true);
    r.pad.answers = false; // unplugged: it reads as centred without buttons
    r.Frame(3, true);
    const InputScript script = ReadBack(r.Text());
    ASSERT_TRUE(script.hasJoystick);
    ASSERT_EQ(script.lines.size(), 3u);
    EXPECT_EQ(script.lines[0].frame, 1u);
    EXPECT_EQ(script.lines[0].axisX, kAxisCentre);
    EXPECT_EQ(script.lines[1].axisX, 0u);
    EXPECT_EQ(script.lines[1].joystickButtons, 0x81u);
    EXPECT_EQ(script.lines[2].axisX, kAxisCentre);
    EXPECT_EQ(script.lines[2].joystickButtons, 0u);
}

TEST(DesktopRecording, AFailedWriteIsReported) {
    std::FILE* readOnly = std::fopen("/dev/null", "r");
    ASSERT_NE(readOnly, nullptr);
    HeldKeys keys;
    OnePad pad;
    InputRecorder recorder(keys, pad, readOnly);
    recorder.WriteHeader("", "1");
    keys.down = {VK_Z_KEY};
    recorder.IsKeyDown(VK_Z_KEY);
    recorder.FrameDone(1);
    EXPECT_TRUE(recorder.Failed());
    std::fclose(readOnly);
}

#ifdef VORNA_HAVE_DESKTOP

namespace {

DesktopOptions MustParseArgs(std::vector<const char*> args) {
    args.insert(args.begin(), "vorna");
    DesktopOptions options;
    std::string error;
    EXPECT_TRUE(ParseProgramArgs(static_cast<int>(args.size()), args.data(), options, error)) << error;
    return options;
}

std::string ArgsError(std::vector<const char*> args) {
    args.insert(args.begin(), "vorna");
    DesktopOptions options;
    std::string error;
    EXPECT_FALSE(ParseProgramArgs(static_cast<int>(args.size()), args.data(), options, error));
    EXPECT_EQ(error.find('\n'), std::string::npos);
    return error;
}

// What the game's own switch scanner makes of the text the program hands it.
struct Switches {
    int32_t fullScreen, skipPeriod, emulationOnly, systemMemory;
};

Switches SwitchesOf(const DesktopOptions& options) {
    auto g = std::make_unique<Game>();
    ParseCommandLine(*g, options.gameText.c_str());
    return {g->display.FullScreenMode, g->app.FrameSkipPeriod, g->display.EmulationOnly,
            g->display.SystemMemorySurfaces};
}

} // namespace

TEST(DesktopArgs, PathsNeverReachTheGameSwitches) {
    // Every path here holds a '/' followed by a switch letter.
    for (const std::vector<const char*>& args :
         {std::vector<const char*>{"--record", "/home/fred/full/slow.input"},
          std::vector<const char*>{"--replay=/media/Stick/Movie.input"},
          std::vector<const char*>{"--trace", "/srv/e/f/m/s.trace", "--force"}}) {
        const DesktopOptions options = MustParseArgs(args);
        EXPECT_EQ(options.gameText, "");
        const Switches s = SwitchesOf(options);
        EXPECT_EQ(s.fullScreen, 0) << args[1];
        EXPECT_EQ(s.skipPeriod, 0) << args[1];
        EXPECT_EQ(s.emulationOnly, 1) << args[1];
        EXPECT_EQ(s.systemMemory, 1) << args[1];
    }
}

TEST(DesktopArgs, GameSwitchesPassAroundTheOptions) {
    const DesktopOptions options = MustParseArgs({"/F", "--record", "/tmp/s.input", "/s"});
    EXPECT_EQ(options.recordPath, "/tmp/s.input");
    EXPECT_EQ(options.gameText, "/F /s");
    const Switches s = SwitchesOf(options);
    EXPECT_EQ(s.fullScreen, 1);
    EXPECT_EQ(s.skipPeriod, 20);
}

TEST(DesktopArgs, DoubleDashHandsTheRestToTheGame) {
    const DesktopOptions options = MustParseArgs({"--", "--record", "/F"});
    EXPECT_EQ(options.recordPath, "");
    EXPECT_EQ(options.gameText, "--record /F");
    EXPECT_EQ(SwitchesOf(options).fullScreen, 1);
}

TEST(DesktopArgs, BadCommandLinesNameTheirFault) {
    EXPECT_NE(ArgsError({"--record"}).find("--record needs a file name"), std::string::npos);
    EXPECT_NE(ArgsError({"--replay="}).find("--replay needs a file name"), std::string::npos);
    EXPECT_NE(ArgsError({"--trace", "a", "--trace", "b"}).find("given twice"), std::string::npos);
    EXPECT_NE(ArgsError({"--record", "a", "--replay", "b"}).find("cannot be used together"), std::string::npos);
    EXPECT_NE(ArgsError({"--full"}).find("unknown option --full"), std::string::npos);
    // A longer option that merely starts like a known one is not that one.
    EXPECT_NE(ArgsError({"--recording", "a"}).find("unknown option"), std::string::npos);
}

TEST(DesktopArgs, HelpVersionAndForceAreFlags) {
    const DesktopOptions options = MustParseArgs({"--force", "--help", "--version"});
    EXPECT_TRUE(options.force);
    EXPECT_TRUE(options.help);
    EXPECT_TRUE(options.version);
    EXPECT_EQ(options.gameText, "");
}

#endif
