// A MIDI channel message as the stream carries it: the status byte low, then two seven-bit data bytes.
#pragma once
#include <cstdint>

namespace vorna {

constexpr int kMidiChannelCount = 16;
constexpr int kMidiControllerCount = 128;

constexpr uint32_t kMidiStatusMask = 0xF0;
constexpr uint32_t kMidiChannelMask = 0x0F;
constexpr uint32_t kMidiDataMask = 0x7F;
constexpr int kMidiDataBits = 7;
constexpr int kMidiFirstDataShift = 8;
constexpr int kMidiSecondDataShift = 16;

// Status values (the top four bits of the status byte).
constexpr uint32_t kMidiNoteOff = 0x80;
constexpr uint32_t kMidiNoteOn = 0x90;
constexpr uint32_t kMidiKeyPressure = 0xA0;
constexpr uint32_t kMidiControlChange = 0xB0;
constexpr uint32_t kMidiProgramChange = 0xC0;
constexpr uint32_t kMidiChannelPressure = 0xD0;
constexpr uint32_t kMidiPitchBend = 0xE0;

// Channel-mode controllers.
constexpr uint32_t kMidiAllSoundOff = 120;
constexpr uint32_t kMidiResetAllControllers = 121;
constexpr uint32_t kMidiAllNotesOff = 123;

constexpr uint32_t MidiMessage(uint32_t status, int channel, int first, int second) {
    return status | uint32_t(channel) | uint32_t(first) << kMidiFirstDataShift |
           uint32_t(second) << kMidiSecondDataShift;
}
constexpr uint32_t MidiStatusOf(uint32_t message) {
    return message & kMidiStatusMask;
}
constexpr int MidiChannelOf(uint32_t message) {
    return int(message & kMidiChannelMask);
}
constexpr int MidiFirstDataOf(uint32_t message) {
    return int((message >> kMidiFirstDataShift) & kMidiDataMask);
}
constexpr int MidiSecondDataOf(uint32_t message) {
    return int((message >> kMidiSecondDataShift) & kMidiDataMask);
}

} // namespace vorna
