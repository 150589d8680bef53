// What the music set on each MIDI channel, so that a synthesizer that arrives late can be brought level.
#include "backends/sdl2/midi_channel_memory.h"

namespace vorna {

namespace {

constexpr uint32_t kStatusMask = 0xF0;
constexpr uint32_t kChannelMask = 0x0F;
constexpr uint32_t kDataMask = 0x7F;
constexpr uint32_t kControlChange = 0xB0;
constexpr uint32_t kProgramChange = 0xC0;
constexpr uint32_t kPitchBend = 0xE0;
constexpr int kDataBits = 7;

uint32_t Message(uint32_t status, int channel, int d1, int d2) {
    return status | uint32_t(channel) | uint32_t(d1) << 8 | uint32_t(d2) << 16;
}

} // namespace

void MidiChannelMemory::Note(uint32_t message) {
    const uint32_t status = message & kStatusMask;
    Channel& c = channels_[message & kChannelMask];
    const int d1 = int((message >> 8) & kDataMask), d2 = int((message >> 16) & kDataMask);
    if (status == kControlChange) c.controllers[d1] = int16_t(d2);
    if (status == kProgramChange) c.program = int16_t(d1);
    if (status == kPitchBend) c.pitchBend = int16_t(d1 | d2 << kDataBits);
}

void MidiChannelMemory::Clear() {
    for (Channel& c : channels_) {
        for (int16_t& value : c.controllers) value = kUnset;
        c.program = kUnset;
        c.pitchBend = kUnset;
    }
}

void MidiChannelMemory::Replay(const std::function<void(uint32_t)>& send) const {
    for (int channel = 0; channel < kMidiChannelCount; ++channel) {
        const Channel& c = channels_[channel];
        for (int controller = 0; controller < kMidiControllerCount; ++controller)
            if (c.controllers[controller] != kUnset)
                send(Message(kControlChange, channel, controller, c.controllers[controller]));
        if (c.program != kUnset) send(Message(kProgramChange, channel, c.program, 0));
        if (c.pitchBend != kUnset)
            send(Message(kPitchBend, channel, c.pitchBend & int(kDataMask), c.pitchBend >> kDataBits));
    }
}

} // namespace vorna
