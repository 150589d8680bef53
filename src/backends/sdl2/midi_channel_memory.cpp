// What the music set on each MIDI channel, so that a synthesizer that arrives late can be brought level.
#include "backends/sdl2/midi_channel_memory.h"

namespace vorna {

void MidiChannelMemory::Note(uint32_t message) {
    const uint32_t status = MidiStatusOf(message);
    Channel& c = channels_[MidiChannelOf(message)];
    const int d1 = MidiFirstDataOf(message), d2 = MidiSecondDataOf(message);
    if (status == kMidiControlChange) c.controllers[d1] = int16_t(d2);
    if (status == kMidiProgramChange) c.program = int16_t(d1);
    if (status == kMidiPitchBend) c.pitchBend = int16_t(d1 | d2 << kMidiDataBits);
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
                send(MidiMessage(kMidiControlChange, channel, controller, c.controllers[controller]));
        if (c.program != kUnset) send(MidiMessage(kMidiProgramChange, channel, c.program, 0));
        if (c.pitchBend != kUnset)
            send(MidiMessage(kMidiPitchBend, channel, c.pitchBend & int(kMidiDataMask), c.pitchBend >> kMidiDataBits));
    }
}

} // namespace vorna
