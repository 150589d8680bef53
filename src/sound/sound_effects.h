// The twelve sound effects: loading, the voice rings and playback over the sound device.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/sound_state.h"

namespace vorna {

struct WaveChunks {
    const uint8_t* format = nullptr;
    uint32_t formatSize = 0;
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;
};

// Each routine takes the effects' state and the services it calls; the context carries them all for the
// routines that load (device, resources, files) or announce a request (device, observer).
bool InitSound(SoundState& sound, SoundDevice* device);
void LoadAllSounds(const SoundContext& c);
bool LoadSoundEffect(const SoundContext& c, SoundEffect& effect, const char* name, int32_t voiceCount);
// Never reads outside [image, image + size).
bool ParseWave(const uint8_t* image, size_t size, WaveChunks& out);
bool FillSoundBuffer(SoundDevice* device, int buffer, const uint8_t* data, uint32_t size);
void PlaySoundEffect(const SoundContext& c, int number);
int PlayEffectVoice(const SoundState& sound, SoundDevice* device, SoundEffect* effect);
void ShutdownSound(SoundState& sound, SoundDevice* device);

} // namespace vorna
