// Input scripts: the accepted format, the joystick defaults and every error with its line number.
#include <gtest/gtest.h>

#include <string>

#include "programs/headless_runner/input_script.h"

using namespace vorna;

namespace {

InputScript MustParse(const std::string& text) {
    InputScript script;
    std::string error;
    EXPECT_TRUE(ParseInputScript(text, "s.input", script, error)) << error;
    return script;
}

std::string ErrorOf(const std::string& text) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(ParseInputScript(text, "s.input", script, error)) << text;
    EXPECT_TRUE(script.lines.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    return error;
}

} // namespace

TEST(HeadlessScript, ReadsTheDocumentedExample) {
    InputScript s = MustParse("vorna-input 1\n# from 450 hold Z\n450 Z\n452 -\n\n600 UP RIGHT Z\n900 -\n");
    ASSERT_EQ(s.lines.size(), 4u);
    EXPECT_EQ(s.lines[0].frame, 450u);
    EXPECT_EQ(s.lines[0].keys, uint32_t{ScriptKeyZ});
    EXPECT_EQ(s.lines[1].keys, 0u);
    EXPECT_EQ(s.lines[2].keys, uint32_t{ScriptKeyUp | ScriptKeyRight | ScriptKeyZ});
    EXPECT_EQ(s.lines[3].frame, 900u);
    EXPECT_FALSE(s.hasJoystick);
}

TEST(HeadlessScript, AcceptsCarriageReturnsTabsAndEveryKeyName) {
    InputScript s = MustParse("vorna-input 1\r\n1\tUP DOWN LEFT RIGHT NUM8 NUM2 NUM4 NUM6 Z X ESC F3\r\n2 -\r\n");
    ASSERT_EQ(s.lines.size(), 2u);
    EXPECT_EQ(s.lines[0].keys, 0xFFFu);
    // A script of only its header holds nothing ever.
    EXPECT_TRUE(MustParse("vorna-input 1").lines.empty());
}

TEST(HeadlessScript, AxesNotNamedOnALineAreCentred) {
    InputScript s = MustParse("vorna-input 1\n5 JX=0 JOY1 JOY8\n9 JY=65535\n12 Z\n");
    ASSERT_TRUE(s.hasJoystick);
    ASSERT_EQ(s.lines.size(), 3u);
    EXPECT_EQ(s.lines[0].axisX, 0u);
    EXPECT_EQ(s.lines[0].axisY, kAxisCentre);
    EXPECT_EQ(s.lines[0].joystickButtons, 0x81u);
    EXPECT_EQ(s.lines[1].axisX, kAxisCentre);
    EXPECT_EQ(s.lines[1].axisY, 65535u);
    EXPECT_EQ(s.lines[1].joystickButtons, 0u);
    EXPECT_EQ(s.lines[2].axisX, kAxisCentre);
    EXPECT_EQ(s.lines[2].axisY, kAxisCentre);
}

TEST(HeadlessScript, NamesTheLineOfEveryError) {
    EXPECT_EQ(ErrorOf(""), "s.input:1: the script is empty; its first line must be \"vorna-input 1\"");
    EXPECT_EQ(ErrorOf("vorna-input 2\n1 Z\n"), "s.input:1: the first line must be exactly \"vorna-input 1\"");
    EXPECT_NE(ErrorOf("\xEF\xBB\xBFvorna-input 1\n").find("byte-order mark"), std::string::npos);
    EXPECT_EQ(ErrorOf("vorna-input 1\n0 Z\n"), "s.input:2: \"0\" is not a frame number (1 or more)");
    EXPECT_EQ(ErrorOf("vorna-input 1\n-5 Z\n"), "s.input:2: \"-5\" is not a frame number (1 or more)");
    EXPECT_EQ(ErrorOf("vorna-input 1\nUP\n"), "s.input:2: \"UP\" is not a frame number (1 or more)");
    EXPECT_EQ(ErrorOf("vorna-input 1\n99999999999 Z\n"),
              "s.input:2: \"99999999999\" is not a frame number (1 or more)");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 Z\n# c\n\n3 X\n"), "s.input:5: frame 3 does not come after frame 3");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 Z\n2 X\n"), "s.input:3: frame 2 does not come after frame 3");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3\n"), "s.input:2: no keys after the frame number (\"-\" holds nothing)");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 Z -\n"), "s.input:2: \"-\" cannot stand together with keys");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 - Z\n"), "s.input:2: \"-\" cannot stand together with keys");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 Z Z\n"), "s.input:2: key Z is named twice");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 JOY2 JOY2\n"), "s.input:2: button JOY2 is named twice");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 JX=1 JX=2\n"), "s.input:2: axis JX is set twice");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 JX=65536\n"),
              "s.input:2: \"JX=65536\": an axis position is a number from 0 to 65535");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 JY=\n"), "s.input:2: \"JY=\": an axis position is a number from 0 to 65535");
    EXPECT_EQ(ErrorOf("vorna-input 1\n3 JY=-1\n"),
              "s.input:2: \"JY=-1\": an axis position is a number from 0 to 65535");
    EXPECT_EQ(ErrorOf("vorna-input 1\n1 Z\n2 up\n").rfind("s.input:3: unknown key \"up\"", 0), 0u);
    EXPECT_EQ(ErrorOf("vorna-input 1\n1 JOY9\n").rfind("s.input:2: unknown key \"JOY9\"", 0), 0u);
    EXPECT_EQ(ErrorOf("vorna-input 1\n1 JOY0\n").rfind("s.input:2: unknown key \"JOY0\"", 0), 0u);
    EXPECT_EQ(ErrorOf("vorna-input 1\n1 Z\x01\n").rfind("s.input:2: unknown key \"Z\\x01\"", 0), 0u);
    EXPECT_EQ(ErrorOf(std::string("vorna-input 1\n1 Z\n2 X\0\n", 22)), "s.input:3: the line holds a zero byte");
}

TEST(HeadlessScript, ScriptedInputFollowsTheRunningFrame) {
    ScriptedInput input(MustParse("vorna-input 1\n2 Z JX=100\n4 -\n"));
    HeadlessKeyboard keyboard(input);
    HeadlessJoystick joystick(input);
    JoystickPosition pos{};
    input.SetFrame(1);
    EXPECT_FALSE(keyboard.IsKeyDown(VK_Z_KEY));
    ASSERT_TRUE(joystick.GetPosition(0, pos));
    EXPECT_EQ(pos.x, kAxisCentre);
    input.SetFrame(2);
    // Held for the whole frame: every poll sees it.
    EXPECT_TRUE(keyboard.IsKeyDown(VK_Z_KEY));
    EXPECT_TRUE(keyboard.IsKeyDown(VK_Z_KEY));
    EXPECT_FALSE(keyboard.IsKeyDown(VK_X_KEY));
    ASSERT_TRUE(joystick.GetPosition(0, pos));
    EXPECT_EQ(pos.x, 100u);
    EXPECT_EQ(pos.z, kAxisCentre);
    input.SetFrame(3);
    EXPECT_TRUE(keyboard.IsKeyDown(VK_Z_KEY));
    input.SetFrame(4);
    EXPECT_FALSE(keyboard.IsKeyDown(VK_Z_KEY));
    ASSERT_TRUE(joystick.GetPosition(0, pos));
    EXPECT_EQ(pos.x, kAxisCentre);
    EXPECT_FALSE(joystick.GetPosition(1, pos));
}

TEST(HeadlessScript, KeyNamesMapToTheKeysTheGamePolls) {
    const char* text =
        "vorna-input 1\n1 UP\n2 DOWN\n3 LEFT\n4 RIGHT\n5 NUM8\n6 NUM2\n7 NUM4\n8 NUM6\n9 Z\n10 X\n11 ESC\n12 F3\n";
    const int keys[] = {VK_UP_KEY,      VK_DOWN_KEY,    VK_LEFT_KEY, VK_RIGHT_KEY, VK_NUMPAD8_KEY, VK_NUMPAD2_KEY,
                        VK_NUMPAD4_KEY, VK_NUMPAD6_KEY, VK_Z_KEY,    VK_X_KEY,     VK_ESCAPE_KEY,  VK_F3_KEY};
    ScriptedInput input(MustParse(text));
    HeadlessKeyboard keyboard(input);
    for (uint32_t frame = 1; frame <= 12; ++frame) {
        input.SetFrame(frame);
        for (int i = 0; i < 12; ++i) EXPECT_EQ(keyboard.IsKeyDown(keys[i]), i + 1 == static_cast<int>(frame));
    }
}

TEST(HeadlessScript, JoystickExistsOnlyWhenTheScriptUsesIt) {
    ScriptedInput none(MustParse("vorna-input 1\n1 Z\n"));
    HeadlessJoystick noStick(none);
    JoystickCaps caps{};
    JoystickPosition pos{};
    EXPECT_EQ(noStick.GetNumDevs(), 0u);
    EXPECT_FALSE(noStick.GetDevCaps(0, caps));
    EXPECT_FALSE(noStick.GetPosition(0, pos));

    ScriptedInput some(MustParse("vorna-input 1\n100 JOY3\n"));
    HeadlessJoystick stick(some);
    some.SetFrame(1);
    EXPECT_EQ(stick.GetNumDevs(), 1u);
    ASSERT_TRUE(stick.GetDevCaps(0, caps));
    EXPECT_EQ(caps.xMin, 0u);
    EXPECT_EQ(caps.xMax, 65535u);
    EXPECT_EQ(caps.rMax, 65535u);
    ASSERT_TRUE(stick.GetPosition(0, pos));
    EXPECT_EQ(pos.buttons, 0u);
    EXPECT_EQ(pos.y, kAxisCentre);
    some.SetFrame(100);
    ASSERT_TRUE(stick.GetPosition(0, pos));
    EXPECT_EQ(pos.buttons, 4u);
}
