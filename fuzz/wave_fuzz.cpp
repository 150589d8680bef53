// libFuzzer target: the WAVE reader on any bytes, and loading the result into the recording sound device.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "backends/headless/headless_sound.h"
#include "backends/headless/memory_files.h"
#include "base/game.h"
#include "sound/sound_effects.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorna;
    // An exact-size copy so that any read past the end is caught.
    std::unique_ptr<uint8_t[]> image(new uint8_t[size ? size : 1]);
    for (size_t i = 0; i < size; ++i) image[i] = data[i];
    WaveChunks chunks;
    if (ParseWave(image.get(), size, chunks)) {
        const uint8_t* end = image.get() + size;
        if (chunks.format + chunks.formatSize > end || chunks.data + chunks.dataSize > end) __builtin_trap();
    }
    // The whole load from a file of these bytes: parse, create, fill, duplicate, play.
    auto game = std::make_unique<Game>();
    HeadlessSoundDevice sound;
    MemoryFileSystem files;
    files.files["WAV_00"].assign(data, data + size);
    game->platform.sound = &sound;
    game->platform.files = &files;
    InitSound(game->sound, game->platform.sound);
    LoadAllSounds(SoundOf(*game));
    PlaySoundEffect(SoundOf(*game), 0);
    PlaySoundEffect(SoundOf(*game), 0);
    ShutdownSound(game->sound, game->platform.sound);
    return 0;
}
