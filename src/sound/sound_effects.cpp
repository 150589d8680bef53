// The twelve sound effects: loading, the voice rings and playback over the sound device.
#include "sound/sound_effects.h"

#include <cstring>
#include <new>

namespace vorna {

namespace {

struct SoundName {
    const char* name;
    int32_t voices;
};

// Ends with the empty entry.
constexpr SoundName kSoundNames[] = {{"WAV_00", 1}, {"WAV_01", 1}, {"WAV_02", 2}, {"WAV_03", 2}, {"WAV_04", 1},
                                     {"WAV_05", 1}, {"WAV_06", 1}, {"WAV_07", 1}, {"WAV_08", 1}, {"WAV_09", 2},
                                     {"WAV_0A", 2}, {"WAV_0B", 2}, {nullptr, 0}};

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

// The "fmt " contents as a format record; fields beyond a short chunk read as 0.
WaveFormat ReadFormat(const uint8_t* p, uint32_t size) {
    uint8_t raw[16] = {};
    std::memcpy(raw, p, size < 16 ? size : 16);
    return WaveFormat{Le16(raw), Le16(raw + 2), Le32(raw + 4), Le32(raw + 8), Le16(raw + 12), Le16(raw + 14)};
}

// A whole file read into memory; freed by its owner.
uint8_t* ReadWholeFile(FileSystem* fs, const char* name, uint32_t& size) {
    if (!fs) return nullptr;
    int file = fs->Open(name);
    if (file == kNoFile) return nullptr;
    uint8_t* image = nullptr;
    if (fs->Size(file, size) && size > 0) {
        image = new (std::nothrow) uint8_t[size]();
        if (image && fs->Read(file, image, size) != int32_t(size)) {
            delete[] image;
            image = nullptr;
        }
    }
    fs->Close(file);
    return image;
}

} // namespace

bool InitSound(SoundState& sound, SoundDevice* device) {
    if (sound.SoundReady) return false;
    if (!device || !device->Create()) return false;
    sound.SoundReady = 1;
    return true;
}

void LoadAllSounds(const SoundContext& c) {
    for (int n = 0; kSoundNames[n].name; ++n)
        LoadSoundEffect(c, c.sound.SoundEffectTable[n], kSoundNames[n].name, kSoundNames[n].voices);
}

bool LoadSoundEffect(const SoundContext& c, SoundEffect& effect, const char* name, int32_t voiceCount) {
    if (!c.sound.SoundReady) return true;
    if (!name || voiceCount < 0 || voiceCount > 8) return false;
    SoundDevice& device = *c.device;

    const uint8_t* image = nullptr;
    size_t imageSize = 0;
    uint8_t* fileImage = nullptr; // only a file image needs freeing
    ByteView resource{};
    if (c.resources && c.resources->Find(name, "WAVE", resource)) {
        if (!resource.data) return false;
        image = resource.data;
        imageSize = resource.size;
    } else {
        uint32_t size = 0;
        fileImage = ReadWholeFile(c.files, name, size);
        if (!fileImage) return false;
        image = fileImage;
        imageSize = size;
    }

    bool ok = false;
    WaveChunks chunks;
    if (ParseWave(image, imageSize, chunks)) {
        int buffer = device.CreateBuffer(ReadFormat(chunks.format, chunks.formatSize), chunks.dataSize);
        if (buffer != kNoSoundBuffer) {
            if (FillSoundBuffer(&device, buffer, chunks.data, chunks.dataSize)) {
                int32_t voices[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
                ok = true;
                for (int32_t i = 0; i < voiceCount && ok; ++i) {
                    voices[i] = device.Duplicate(buffer);
                    ok = voices[i] != kNoSoundBuffer;
                }
                if (ok) {
                    std::memcpy(effect.voices, voices, sizeof voices);
                    effect.voiceCount = voiceCount;
                    effect.volume = 0;
                    effect.pan = 0;
                    effect.nextVoice = 0;
                } else {
                    // Duplicates made before the failure would otherwise live until shutdown, unused.
                    for (int32_t v : voices)
                        if (v != kNoSoundBuffer) device.ReleaseBuffer(v);
                    device.ReleaseBuffer(buffer);
                }
            } else {
                device.ReleaseBuffer(buffer);
            }
        }
    }
    delete[] fileImage;
    return ok;
}

bool ParseWave(const uint8_t* image, size_t size, WaveChunks& out) {
    out = WaveChunks{};
    if (!image || size < 12) return false;
    if (std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0) return false;
    uint64_t end = 8 + uint64_t(Le32(image + 4));
    // A RIFF size that claims more than the image holds means a damaged image.
    if (end > size) return false;
    bool haveFormat = false;
    bool haveData = false;
    uint64_t pos = 12;
    while (pos + 8 <= end) {
        const uint8_t* chunk = image + pos;
        uint32_t chunkSize = Le32(chunk + 4);
        const uint8_t* contents = chunk + 8;
        bool runsPastEnd = pos + 8 + chunkSize > end;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !haveFormat) {
            if (chunkSize < 14 || runsPastEnd) return false;
            out.format = contents;
            out.formatSize = chunkSize;
            haveFormat = true;
            if (haveData && out.dataSize > 0) return true;
        } else if (std::memcmp(chunk, "data", 4) == 0 && !(haveData && out.dataSize > 0)) {
            if (runsPastEnd) return false;
            out.data = contents;
            out.dataSize = chunkSize;
            haveData = true;
            if (haveFormat) return true;
        }
        pos += 8 + uint64_t(chunkSize) + (chunkSize & 1);
    }
    out = WaveChunks{};
    return false;
}

bool FillSoundBuffer(SoundDevice* device, int buffer, const uint8_t* data, uint32_t size) {
    if (buffer == kNoSoundBuffer || !data || size == 0 || !device) return false;
    return device->FillBuffer(buffer, data, size);
}

void PlaySoundEffect(const SoundContext& c, int number) {
    if (c.observer) c.observer->SoundRequested(number);
    if (number < 0 || number >= kSoundEffectCount) return;
    PlayEffectVoice(c.sound, c.device, &c.sound.SoundEffectTable[number]);
}

int PlayEffectVoice(const SoundState& sound, SoundDevice* soundDevice, SoundEffect* effect) {
    if (!sound.SoundReady || !effect || !soundDevice) return kNoSoundBuffer;
    SoundDevice& device = *soundDevice;
    if (effect->nextVoice >= effect->voiceCount || effect->nextVoice < 0) effect->nextVoice = 0;
    int32_t voice = effect->voices[effect->nextVoice];
    effect->nextVoice += 1;
    if (voice == kNoSoundBuffer) return kNoSoundBuffer;
    uint32_t status = 0;
    if (!device.GetStatus(voice, status)) return kNoSoundBuffer;
    if (status & kSoundStatusPlaying) {
        device.Stop(voice);
        device.SetCurrentPosition(voice, 0);
    }
    device.SetPan(voice, effect->pan);
    device.SetVolume(voice, effect->volume);
    device.Play(voice);
    return voice;
}

void ShutdownSound(SoundState& sound, SoundDevice* device) {
    if (!sound.SoundReady || !device) return;
    device->Release();
    sound.SoundReady = 0;
    // Releasing the device ended every voice: forget them so nothing can point at a released buffer.
    for (SoundEffect& e : sound.SoundEffectTable) {
        for (int32_t& v : e.voices) v = kNoSoundBuffer;
        e.voiceCount = 0;
    }
}

} // namespace vorna
