// Headless sound and MIDI stream devices: they record what the game asks of them, in virtual time.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "backends/headless/headless_midi.h"
#include "platform/sound_device.h"

namespace vorna {

// Static buffers and their voices, kept as records; a voice "plays" for its length in virtual time.
class HeadlessSoundDevice : public SoundDevice {
public:
    bool Create() override;
    int CreateBuffer(const WaveFormat& format, uint32_t bytes) override;
    bool FillBuffer(int buffer, const uint8_t* data, uint32_t size) override;
    void ReleaseBuffer(int buffer) override;
    int Duplicate(int buffer) override;
    bool GetStatus(int voice, uint32_t& status) override;
    void Stop(int voice) override;
    void SetCurrentPosition(int voice, uint32_t position) override;
    void SetPan(int voice, int32_t pan) override;
    void SetVolume(int voice, int32_t volume) override;
    void Play(int voice) override;
    void Release() override;

    // Moves every playing voice on by ms of virtual time; a voice stops at its end.
    void Advance(uint32_t ms);

    struct Buffer {
        bool alive = false;
        int source = -1; // the buffer a voice duplicates; -1 for a loaded buffer
        WaveFormat format{};
        std::shared_ptr<std::vector<uint8_t>> data;
        bool playing = false;
        uint32_t position = 0;
        int32_t pan = 0;
        int32_t volume = 0;
        int plays = 0;
    };
    std::vector<Buffer> buffers;
    // Every request in order, e.g. "create", "play 3", "stop 3", "position 3 0", "release", when asked
    // for: a frame of the game must not allocate.
    bool recordLog = false;
    std::vector<std::string> log;
    size_t logLimit = 100000;

    // Fault injection.
    bool available = true;
    bool failCreateBuffer = false;
    bool failFill = false;
    int failDuplicateAfter = -1; // >= 0: that many duplicates succeed, then they fail
    bool failStatus = false;
    bool created = false;

private:
    Buffer* Live(int id);
    void Note(const std::string& line);
};

} // namespace vorna
