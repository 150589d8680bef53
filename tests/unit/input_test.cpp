// Keyboard and joystick input: key table, calibration, dead zone and the input record.
#include <gtest/gtest.h>

#include "input/input.h"
#include "support/fakes.h"

using namespace vorna;
using vorna::testing::FakeJoystick;
using vorna::testing::FakeKeyboard;

namespace {

struct InputFixture : ::testing::Test {
    Game g;
    FakeKeyboard keyboard;
    FakeJoystick joystick;
    void SetUp() override {
        g.platform.keyboard = &keyboard;
        g.platform.joystick = &joystick;
    }
    InputRecord Read() {
        InputRecord r;
        r.InputBits = 12345; // must be overwritten
        const int32_t bits = ReadInput(g.input, g.platform.keyboard, g.platform.joystick, &r);
        EXPECT_EQ(bits, r.InputBits);
        return r;
    }
};

void ExpectRecord(const InputRecord& r, std::array<int32_t, 9> v) {
    const std::array<int32_t, 9> got{r.InputBits, r.XOffset, r.YOffset, r.ZOffset, r.ROffset,
                                     r.XRange,    r.YRange,  r.ZRange,  r.RRange};
    EXPECT_EQ(got, v);
}

} // namespace

TEST(KeyBindingTable, ListsTheKeysInPollingOrder) {
    const KeyBinding expected[12] = {{0x1, 0x26}, {0x1, 0x68}, {0x2, 0x28},  {0x2, 0x62},  {0x4, 0x25},    {0x4, 0x64},
                                     {0x8, 0x27}, {0x8, 0x66}, {0x10, 0x5A}, {0x20, 0x58}, {0x8000, 0x1B}, {0, 0}};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(KeyBindingTable[i].bit, expected[i].bit) << i;
        EXPECT_EQ(KeyBindingTable[i].virtualKey, expected[i].virtualKey) << i;
    }
}

TEST_F(InputFixture, BeforeDetectionReadsNothingAndClearsTheRecord) {
    keyboard.down = {VK_Z_KEY, VK_UP_KEY};
    ExpectRecord(Read(), {0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(keyboard.polled.empty());
    EXPECT_EQ(ReadInput(g.input, g.platform.keyboard, g.platform.joystick, nullptr), 0);
}

TEST_F(InputFixture, PollsElevenKeysInTableOrder) {
    joystick.devices = 0;
    DetectJoystick(g.input, g.platform.joystick);
    ReadInput(g.input, g.platform.keyboard, g.platform.joystick, nullptr);
    EXPECT_EQ(keyboard.polled, (std::vector<int>{0x26, 0x68, 0x28, 0x62, 0x25, 0x64, 0x27, 0x66, 0x5A, 0x58, 0x1B}));
}

TEST_F(InputFixture, KeyboardOnlyRecordGivesDirectionsAsUnitSteps) {
    g.platform.joystick = nullptr; // a platform without joystick support counts as no device
    EXPECT_EQ(DetectJoystick(g.input, g.platform.joystick), 1);
    EXPECT_EQ(g.input.JoystickCount, 0);
    keyboard.down = {VK_LEFT_KEY, VK_NUMPAD6_KEY, VK_NUMPAD2_KEY, VK_ESCAPE_KEY};
    ExpectRecord(Read(), {0x8000 | 0x4 | 0x8 | 0x2, 0, 1, 0, 0, 1, 1, 0, 0});
    keyboard.down = {VK_NUMPAD8_KEY, VK_RIGHT_KEY, VK_X_KEY};
    ExpectRecord(Read(), {0x1 | 0x8 | 0x20, 1, -1, 0, 0, 1, 1, 0, 0});
}

TEST_F(InputFixture, CalibratesFromTheReportedLimits) {
    joystick.devices = 16; // more than one device still means exactly one joystick
    joystick.caps = {0, 65535, 100, 201, 10, 10, 7, 3};
    DetectJoystick(g.input, g.platform.joystick);
    EXPECT_EQ(g.input.JoystickCount, 1);
    const JoystickCalibrationRecord& c = g.input.JoystickCalibration;
    EXPECT_EQ(c.XCentre, 32767);
    EXPECT_EQ(c.XHalfRange, 32767);
    EXPECT_EQ(c.YCentre, 150);
    EXPECT_EQ(c.YHalfRange, 50);
    EXPECT_EQ(c.ZCentre, 10);
    EXPECT_EQ(c.ZHalfRange, 0);
    // Maximum below minimum: the span is taken unsigned and halved by a shift.
    EXPECT_EQ(c.RHalfRange, 0x7FFFFFFE);
    EXPECT_EQ(c.RCentre, static_cast<int32_t>(7u + 0x7FFFFFFEu));
}

TEST_F(InputFixture, FailedCapsLeaveACalibrationOfZero) {
    joystick.capsOk = false;
    DetectJoystick(g.input, g.platform.joystick);
    const JoystickCalibrationRecord& c = g.input.JoystickCalibration;
    EXPECT_EQ(c.XCentre, 0);
    EXPECT_EQ(c.XHalfRange, 0);
    joystick.position = {0, 0, 0, 0, 0};
    EXPECT_EQ(ReadInput(g.input, g.platform.keyboard, g.platform.joystick, nullptr), 0);
    joystick.position = {1, 0, 0, 0, 0};
    EXPECT_EQ(ReadInput(g.input, g.platform.keyboard, g.platform.joystick, nullptr), int32_t(InputRight));
}

TEST_F(InputFixture, HugeDeviceCountStillLeavesTheKeyboardWorking) {
    joystick.devices = 0x80000000u; // negative when read as a signed count
    DetectJoystick(g.input, g.platform.joystick);
    EXPECT_EQ(g.input.JoystickCount, 1);
    keyboard.down = {VK_Z_KEY};
    EXPECT_EQ(ReadInput(g.input, g.platform.keyboard, g.platform.joystick, nullptr), int32_t(InputButton1));
}

// Half-range 32767: t = 8191, so left below 24576 and right above 40958.
TEST_F(InputFixture, DeadZoneLimitsCountAsCentre) {
    DetectJoystick(g.input, g.platform.joystick);
    const uint32_t centre = 32767, t = 8191;
    struct Case {
        uint32_t x, y;
        int32_t bits;
    } cases[] = {
        {centre - t, centre, 0},           {centre - t - 1, centre, InputLeft},
        {centre + t, centre, 0},           {centre + t + 1, centre, InputRight},
        {centre, centre - t, 0},           {centre, centre - t - 1, InputUp},
        {centre, centre + t, 0},           {centre, centre + t + 1, InputDown},
        {0, 65535, InputLeft | InputDown},
    };
    for (const Case& c : cases) {
        joystick.position = {c.x, c.y, 32767, 32767, 0};
        EXPECT_EQ(ReadInput(g.input, g.platform.keyboard, g.platform.joystick, nullptr), c.bits) << c.x << "," << c.y;
    }
}

TEST_F(InputFixture, JoystickButtonsMergeWithKeys) {
    DetectJoystick(g.input, g.platform.joystick);
    joystick.position.buttons = 0x1;
    keyboard.down = {VK_Z_KEY};
    EXPECT_EQ(ReadInput(g.input, g.platform.keyboard, g.platform.joystick, nullptr), 0x10);
    joystick.position.buttons = 0xFFFF; // only eight buttons count
    keyboard.down = {VK_ESCAPE_KEY};
    EXPECT_EQ(ReadInput(g.input, g.platform.keyboard, g.platform.joystick, nullptr), 0x8000 | 0xFF0);
    joystick.position.buttons = 0x80;
    keyboard.down = {VK_LEFT_KEY};
    joystick.position.x = 65535; // opposite directions from two devices both stand
    EXPECT_EQ(ReadInput(g.input, g.platform.keyboard, g.platform.joystick, nullptr),
              InputLeft | InputRight | InputButton8);
}

TEST_F(InputFixture, JoystickRecordHoldsDeflectionsAndHalfRanges) {
    joystick.caps = {0, 65535, 0, 65535, 0, 1023, 0, 255};
    DetectJoystick(g.input, g.platform.joystick);
    joystick.position = {0, 65535, 1023, 100, 0x2};
    ExpectRecord(Read(), {InputLeft | InputDown | InputButton2, -32767, 32768, 512, -27, 32767, 32767, 511, 127});
}

TEST_F(InputFixture, UnansweredJoystickFallsBackToTheKeyboard) {
    DetectJoystick(g.input, g.platform.joystick);
    joystick.positionOk = false;
    joystick.position = {0, 0, 0, 0, 0xFF};
    keyboard.down = {VK_UP_KEY};
    ExpectRecord(Read(), {InputUp, 0, -1, 0, 0, 1, 1, 0, 0});
}
