// Headless sound device: records requests and plays voices in virtual time.
#include "backends/headless/headless_sound.h"

#include <cstring>

namespace vorna {

void HeadlessSoundDevice::Note(const std::string& line) {
    if (recordLog && log.size() < logLimit) log.push_back(line);
}

HeadlessSoundDevice::Buffer* HeadlessSoundDevice::Live(int id) {
    if (!created || id < 0 || size_t(id) >= buffers.size() || !buffers[size_t(id)].alive) return nullptr;
    return &buffers[size_t(id)];
}

bool HeadlessSoundDevice::Create() {
    if (recordLog) Note("create");
    created = available;
    return created;
}

int HeadlessSoundDevice::CreateBuffer(const WaveFormat& format, uint32_t bytes) {
    if (!created || failCreateBuffer || bytes == 0) return kNoSoundBuffer;
    Buffer b;
    b.alive = true;
    b.format = format;
    b.data = std::make_shared<std::vector<uint8_t>>(bytes);
    buffers.push_back(b);
    if (recordLog) Note("buffer " + std::to_string(buffers.size() - 1) + " " + std::to_string(bytes));
    return int(buffers.size() - 1);
}

bool HeadlessSoundDevice::FillBuffer(int buffer, const uint8_t* data, uint32_t size) {
    Buffer* b = Live(buffer);
    if (!b || failFill || !data || size > b->data->size()) return false;
    std::memcpy(b->data->data(), data, size);
    return true;
}

void HeadlessSoundDevice::ReleaseBuffer(int buffer) {
    if (Buffer* b = Live(buffer)) {
        b->alive = false;
        if (recordLog) Note("release " + std::to_string(buffer));
    }
}

int HeadlessSoundDevice::Duplicate(int buffer) {
    Buffer* b = Live(buffer);
    if (!b) return kNoSoundBuffer;
    if (failDuplicateAfter == 0) return kNoSoundBuffer;
    if (failDuplicateAfter > 0) --failDuplicateAfter;
    Buffer voice = *b;
    voice.source = buffer;
    voice.playing = false;
    voice.position = 0;
    buffers.push_back(voice);
    return int(buffers.size() - 1);
}

bool HeadlessSoundDevice::GetStatus(int voice, uint32_t& status) {
    Buffer* b = Live(voice);
    if (!b || failStatus) return false;
    status = b->playing ? kSoundStatusPlaying : 0;
    return true;
}

void HeadlessSoundDevice::Stop(int voice) {
    if (Buffer* b = Live(voice)) {
        b->playing = false;
        if (recordLog) Note("stop " + std::to_string(voice));
    }
}

void HeadlessSoundDevice::SetCurrentPosition(int voice, uint32_t position) {
    if (Buffer* b = Live(voice)) {
        b->position = position;
        if (recordLog) Note("position " + std::to_string(voice) + " " + std::to_string(position));
    }
}

void HeadlessSoundDevice::SetPan(int voice, int32_t pan) {
    if (Buffer* b = Live(voice)) b->pan = pan;
}

void HeadlessSoundDevice::SetVolume(int voice, int32_t volume) {
    if (Buffer* b = Live(voice)) b->volume = volume;
}

void HeadlessSoundDevice::Play(int voice) {
    if (Buffer* b = Live(voice)) {
        // A stopped voice that has reached its end starts again from the beginning, as a static buffer does.
        if (b->position >= b->data->size()) b->position = 0;
        b->playing = true;
        b->plays += 1;
        if (recordLog) Note("play " + std::to_string(voice));
    }
}

void HeadlessSoundDevice::Release() {
    if (recordLog) Note("release");
    for (Buffer& b : buffers) b.alive = false;
    created = false;
}

void HeadlessSoundDevice::Advance(uint32_t ms) {
    for (Buffer& b : buffers) {
        if (!b.alive || !b.playing) continue;
        uint64_t bytes = uint64_t(b.format.avgBytesPerSec) * ms / 1000;
        uint64_t position = b.position + bytes;
        if (position >= b.data->size()) {
            b.position = uint32_t(b.data->size());
            b.playing = false;
        } else {
            b.position = uint32_t(position);
        }
    }
}

} // namespace vorna
