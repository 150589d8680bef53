// Recording what the player does as an input script ("vorna-input 1") that the headless runner replays.
#include "programs/headless_runner/input_recording.h"

#include "backends/headless/headless_input.h"

namespace vorna {

namespace {

constexpr uint32_t kJoystickButtons = 8;

uint32_t ScriptKeyOf(int virtualKey) {
    for (const ScriptKeyName& k : kScriptKeyNames)
        if (k.virtualKey == virtualKey) return k.key;
    return 0;
}

} // namespace

InputRecorder::InputRecorder(Keyboard& keyboard, Joystick& joystick, std::FILE* out)
    : keyboard_(keyboard), joystick_(joystick), out_(out) {
    now_.axisX = now_.axisY = written_.axisX = written_.axisY = kAxisCentre;
}

void InputRecorder::WriteHeader(const std::string& switches, const char* version) {
    if (out_ == nullptr) return;
    std::fprintf(out_, "vorna-input 1\n# recorded by vorna %s\n# switches: %s\n", version, switches.c_str());
    failed_ = failed_ || std::fflush(out_) != 0;
}

bool InputRecorder::IsKeyDown(int virtualKey) {
    const bool down = keyboard_.IsKeyDown(virtualKey);
    const uint32_t key = ScriptKeyOf(virtualKey);
    if (key != 0) {
        polledKeys_ |= key;
        now_.keys = down ? (now_.keys | key) : (now_.keys & ~key);
    }
    return down;
}

uint32_t InputRecorder::GetNumDevs() {
    const uint32_t count = joystick_.GetNumDevs();
    // The game detects once, at start-up: a joystick then exists for the whole run, as in a replay.
    hasJoystick_ = count > 0;
    return count;
}

bool InputRecorder::GetDevCaps(unsigned id, JoystickCaps& caps) {
    return joystick_.GetDevCaps(id, caps);
}

bool InputRecorder::GetPosition(unsigned id, JoystickPosition& pos) {
    const bool ok = joystick_.GetPosition(id, pos);
    if (id != 0) return ok;
    // A pad that stops answering leaves only the keyboard: a centred pad without buttons reads the same.
    now_.axisX = ok ? pos.x : kAxisCentre;
    now_.axisY = ok ? pos.y : kAxisCentre;
    now_.buttons = ok ? (pos.buttons & ((1u << kJoystickButtons) - 1)) : 0;
    return ok;
}

void InputRecorder::FrameDone(uint32_t frame) {
    // A key the game did not ask about this frame keeps its last value: it cannot have mattered.
    now_.keys = (now_.keys & polledKeys_) | (written_.keys & ~polledKeys_);
    polledKeys_ = 0;
    // The first line names the axes when a joystick exists, so that the replay has one too.
    if (!(now_ == written_) || (frame == 1 && hasJoystick_)) WriteLine(frame, now_);
    written_ = now_;
}

void InputRecorder::WriteLine(uint32_t frame, const Held& held) {
    if (out_ == nullptr) return;
    std::string line = std::to_string(frame);
    for (const ScriptKeyName& k : kScriptKeyNames)
        if (held.keys & k.key) line += std::string(" ") + k.name;
    for (uint32_t b = 0; b < kJoystickButtons; ++b)
        if (held.buttons & (1u << b)) line += " JOY" + std::to_string(b + 1);
    if (hasJoystick_) line += " JX=" + std::to_string(held.axisX) + " JY=" + std::to_string(held.axisY);
    if (line.find(' ') == std::string::npos) line += " -";
    line += '\n';
    // Each line goes out at once: a recording of a session that crashed is still worth attaching.
    failed_ = failed_ || std::fputs(line.c_str(), out_) < 0 || std::fflush(out_) != 0;
}

} // namespace vorna
