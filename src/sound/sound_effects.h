// The twelve sound effects: loading, the voice rings and playback over the sound device.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/game.h"

namespace vorna {

struct WaveChunks {
    const uint8_t* format = nullptr;
    uint32_t formatSize = 0;
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;
};

bool InitSound(Game& g);
void LoadAllSounds(Game& g);
bool LoadSoundEffect(Game& g, SoundEffect& effect, const char* name, int32_t voiceCount);
// Never reads outside [image, image + size).
bool ParseWave(const uint8_t* image, size_t size, WaveChunks& out);
bool FillSoundBuffer(Game& g, int buffer, const uint8_t* data, uint32_t size);
void PlaySoundEffect(Game& g, int number);
int PlayEffectVoice(Game& g, SoundEffect* effect);
void ShutdownSound(Game& g);

} // namespace vorna
