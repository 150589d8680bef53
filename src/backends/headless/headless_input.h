// Keyboard and joystick of the headless backend, driven by the lines of an input script.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/joystick.h"
#include "platform/keyboard.h"

namespace vorna {

// The script's key names, one bit each, in the order the script format lists them.
enum ScriptKey : uint32_t {
    ScriptKeyUp = 1u << 0,
    ScriptKeyDown = 1u << 1,
    ScriptKeyLeft = 1u << 2,
    ScriptKeyRight = 1u << 3,
    ScriptKeyNum8 = 1u << 4,
    ScriptKeyNum2 = 1u << 5,
    ScriptKeyNum4 = 1u << 6,
    ScriptKeyNum6 = 1u << 7,
    ScriptKeyZ = 1u << 8,
    ScriptKeyX = 1u << 9,
    ScriptKeyEsc = 1u << 10,
    ScriptKeyF3 = 1u << 11,
};

struct ScriptKeyName {
    const char* name;
    uint32_t key;
    int virtualKey;
};
extern const ScriptKeyName kScriptKeyNames[12];

constexpr uint32_t kAxisCentre = 32767;
constexpr uint32_t kAxisMax = 65535;

// What is held from one running frame on, until the next line.
struct InputLine {
    uint32_t frame = 1;
    uint32_t keys = 0;            // ScriptKey bits
    uint32_t joystickButtons = 0; // bit 0 = JOY1 ... bit 7 = JOY8
    uint32_t axisX = kAxisCentre;
    uint32_t axisY = kAxisCentre;
};

struct InputScript {
    std::vector<InputLine> lines; // frames strictly increasing
    bool hasJoystick = false;     // any JOY, JX= or JY= in the script
};

// The script's state for the running frame being played; the runner moves it on frame by frame.
class ScriptedInput {
public:
    explicit ScriptedInput(InputScript script = {});
    void SetFrame(uint32_t runningFrame);
    const InputLine& Current() const { return current_; }
    bool HasJoystick() const { return script_.hasJoystick; }

private:
    InputScript script_;
    InputLine current_;
    size_t next_ = 0; // first line not yet reached
};

class HeadlessKeyboard : public Keyboard {
public:
    explicit HeadlessKeyboard(const ScriptedInput& input) : input_(input) {}
    bool IsKeyDown(int virtualKey) override;

private:
    const ScriptedInput& input_;
};

// One joystick with four axes reporting 0..65535, present only when the script uses it.
class HeadlessJoystick : public Joystick {
public:
    explicit HeadlessJoystick(const ScriptedInput& input) : input_(input) {}
    uint32_t GetNumDevs() override;
    bool GetDevCaps(unsigned id, JoystickCaps& caps) override;
    bool GetPosition(unsigned id, JoystickPosition& pos) override;

private:
    const ScriptedInput& input_;
};

} // namespace vorna
