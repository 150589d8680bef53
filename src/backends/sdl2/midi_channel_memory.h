// What the music set on each MIDI channel, so that a synthesizer that arrives late can be brought level.
#pragma once
#include "platform/midi_message.h"
#include <cstdint>
#include <functional>

namespace vorna {

// Remembers the lasting state of every channel (controllers, program, pitch bend) from the short
// messages sent to it; notes are left out, as a late note would only sound out of time.
class MidiChannelMemory {
public:
    MidiChannelMemory() { Clear(); }
    // A short message as the stream sends it: status in the low byte, then the two data bytes.
    void Note(uint32_t message);
    // A system reset: every channel is back at its defaults.
    void Clear();
    // Sends what is remembered, channel by channel: controllers first (the bank select must come before
    // the program that it qualifies), then the program, then the pitch bend.
    void Replay(const std::function<void(uint32_t)>& send) const;

private:
    static constexpr int16_t kUnset = -1;
    struct Channel {
        int16_t controllers[kMidiControllerCount];
        int16_t program;
        int16_t pitchBend;
    };
    Channel channels_[kMidiChannelCount];
};

} // namespace vorna
