// Recording what the player does as an input script ("vorna-input 1") that the headless runner replays.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/joystick.h"
#include "platform/keyboard.h"

namespace vorna {

// Stands between the game and the real keyboard and joystick: it answers every poll with the real
// device's answer and remembers what the game saw, so that the script holds exactly the game's input.
class InputRecorder : public Keyboard, public Joystick {
public:
    InputRecorder(Keyboard& keyboard, Joystick& joystick, std::FILE* out);

    // The header, with the switches in a comment: a replay needs the same ones.
    void WriteHeader(const std::string& switches, const char* version);
    // After running frame `frame`: one line when what the game saw differs from the frame before.
    void FrameDone(uint32_t frame);
    bool Failed() const { return failed_; }

    bool IsKeyDown(int virtualKey) override;
    uint32_t GetNumDevs() override;
    bool GetDevCaps(unsigned id, JoystickCaps& caps) override;
    bool GetPosition(unsigned id, JoystickPosition& pos) override;

private:
    struct Held {
        uint32_t keys = 0;
        uint32_t buttons = 0;
        uint32_t axisX = 0;
        uint32_t axisY = 0;
        bool operator==(const Held& o) const {
            return keys == o.keys && buttons == o.buttons && axisX == o.axisX && axisY == o.axisY;
        }
    };
    void WriteLine(uint32_t frame, const Held& held);

    Keyboard& keyboard_;
    Joystick& joystick_;
    std::FILE* out_;
    bool hasJoystick_ = false;
    bool failed_ = false;
    uint32_t polledKeys_ = 0; // keys the game asked about in this frame
    Held now_, written_;
};

} // namespace vorna
