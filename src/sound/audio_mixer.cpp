// The effect voices of an audio engine: static PCM buffers, duplicates, and their resampling mix.
#include "sound/audio_mixer.h"

#include <cmath>
#include <cstring>

namespace vorna {

namespace {
uint32_t FrameCount(const std::vector<uint8_t>& data, const WaveFormat& f) {
    return f.blockAlign ? uint32_t(data.size() / f.blockAlign) : 0;
}

// One channel's sample as a float in -1..1.
float SampleAt(const uint8_t* frame, const WaveFormat& f, int channel) {
    if (f.bitsPerSample == 8) return (float(frame[channel]) - 128.0f) / 128.0f;
    const uint8_t* p = frame + 2 * channel;
    return float(int16_t(uint16_t(p[0] | p[1] << 8))) / 32768.0f;
}
} // namespace

AudioMixer::Voice* AudioMixer::Live(int id) {
    if (id < 0 || size_t(id) >= voices_.size() || !voices_[size_t(id)].alive) return nullptr;
    return &voices_[size_t(id)];
}

int AudioMixer::CreateBuffer(const WaveFormat& f, uint32_t bytes) {
    bool pcm = f.formatTag == 1 && (f.bitsPerSample == 8 || f.bitsPerSample == 16) &&
               (f.channels == 1 || f.channels == 2) && f.samplesPerSec >= 1 && f.samplesPerSec <= 384000 &&
               f.blockAlign == f.channels * f.bitsPerSample / 8;
    if (!pcm || bytes == 0 || bytes > (64u << 20)) return kNoSoundBuffer;
    std::lock_guard<std::mutex> lock(mutex);
    Voice v;
    v.alive = true;
    v.format = f;
    v.data = std::make_shared<std::vector<uint8_t>>(bytes, f.bitsPerSample == 8 ? 0x80 : 0);
    v.step = (uint64_t(f.samplesPerSec) << 32) / uint64_t(deviceRate_);
    voices_.push_back(v);
    return int(voices_.size() - 1);
}

bool AudioMixer::FillBuffer(int buffer, const uint8_t* data, uint32_t size) {
    std::lock_guard<std::mutex> lock(mutex);
    Voice* v = Live(buffer);
    if (!v || !data || size > v->data->size()) return false;
    std::memcpy(v->data->data(), data, size);
    return true;
}

void AudioMixer::ReleaseBuffer(int buffer) {
    std::lock_guard<std::mutex> lock(mutex);
    if (Voice* v = Live(buffer)) {
        v->alive = false;
        v->data.reset();
    }
}

int AudioMixer::Duplicate(int buffer) {
    std::lock_guard<std::mutex> lock(mutex);
    Voice* v = Live(buffer);
    if (!v) return kNoSoundBuffer;
    Voice copy = *v;
    copy.playing = false;
    copy.position = 0;
    voices_.push_back(copy);
    return int(voices_.size() - 1);
}

bool AudioMixer::GetStatus(int voice, uint32_t& status) {
    std::lock_guard<std::mutex> lock(mutex);
    Voice* v = Live(voice);
    if (!v) return false;
    status = v->playing ? kSoundStatusPlaying : 0;
    return true;
}

void AudioMixer::Stop(int voice) {
    std::lock_guard<std::mutex> lock(mutex);
    if (Voice* v = Live(voice)) v->playing = false;
}

void AudioMixer::SetCurrentPosition(int voice, uint32_t position) {
    std::lock_guard<std::mutex> lock(mutex);
    if (Voice* v = Live(voice)) v->position = uint64_t(position / v->format.blockAlign) << 32;
}

void AudioMixer::UpdateGains(Voice& v) {
    // Hundredths of a decibel, as DirectSound counts them: 0 is full volume, the pan attenuates one side.
    auto gain = [](int32_t hundredths) { return hundredths >= 0 ? 1.0f : float(std::pow(10.0, hundredths / 2000.0)); };
    float g = gain(v.volume);
    v.left = g * gain(v.pan > 0 ? -v.pan : 0);
    v.right = g * gain(v.pan < 0 ? v.pan : 0);
}

void AudioMixer::SetPan(int voice, int32_t pan) {
    std::lock_guard<std::mutex> lock(mutex);
    if (Voice* v = Live(voice)) {
        v->pan = pan < -10000 ? -10000 : pan > 10000 ? 10000 : pan;
        UpdateGains(*v);
    }
}

void AudioMixer::SetVolume(int voice, int32_t volume) {
    std::lock_guard<std::mutex> lock(mutex);
    if (Voice* v = Live(voice)) {
        v->volume = volume < -10000 ? -10000 : volume > 0 ? 0 : volume;
        UpdateGains(*v);
    }
}

void AudioMixer::Play(int voice) {
    std::lock_guard<std::mutex> lock(mutex);
    if (Voice* v = Live(voice)) {
        if ((v->position >> 32) >= FrameCount(*v->data, v->format)) v->position = 0;
        v->playing = true;
    }
}

void AudioMixer::ReleaseAll() {
    std::lock_guard<std::mutex> lock(mutex);
    voices_.clear();
}

int AudioMixer::PlayingVoices() const {
    int n = 0;
    for (const Voice& v : voices_) n += v.alive && v.playing;
    return n;
}

void AudioMixer::MixInto(float* out, int frames) {
    for (Voice& v : voices_) {
        if (!v.alive || !v.playing) continue;
        const WaveFormat& f = v.format;
        const uint8_t* base = v.data->data();
        uint32_t count = FrameCount(*v.data, f);
        for (int i = 0; i < frames; ++i) {
            uint32_t index = uint32_t(v.position >> 32);
            if (index >= count) {
                v.playing = false; // a static buffer stops at its end; the next Play starts it again
                break;
            }
            // Linear interpolation between this source frame and the next.
            float t = float(uint32_t(v.position)) * (1.0f / 4294967296.0f);
            const uint8_t* a = base + size_t(index) * f.blockAlign;
            const uint8_t* b = index + 1 < count ? a + f.blockAlign : a;
            float l = SampleAt(a, f, 0) + (SampleAt(b, f, 0) - SampleAt(a, f, 0)) * t;
            float r = l;
            if (f.channels == 2) r = SampleAt(a, f, 1) + (SampleAt(b, f, 1) - SampleAt(a, f, 1)) * t;
            out[2 * i] += l * v.left;
            out[2 * i + 1] += r * v.right;
            v.position += v.step;
        }
    }
}

} // namespace vorna
