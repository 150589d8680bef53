// The twelve sound effects: loading, the voice rings and playback over the sound device.
#include "sound/sound_effects.h"

namespace vorna {

bool InitSound(Game&) { return false; }
void LoadAllSounds(Game&) {}
bool LoadSoundEffect(Game&, SoundEffect&, const char*, int32_t) { return true; }
bool ParseWave(const uint8_t*, size_t, WaveChunks&) { return false; }
bool FillSoundBuffer(Game&, int, const uint8_t*, uint32_t) { return false; }
void PlaySoundEffect(Game& g, int number) {
    if (g.platform.observer) g.platform.observer->SoundRequested(number);
}
int PlayEffectVoice(Game&, SoundEffect*) { return -1; }
void ShutdownSound(Game&) {}

} // namespace vorna
