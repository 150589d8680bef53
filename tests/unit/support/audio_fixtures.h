// Builders for WAVE and Standard MIDI File images, and a game wired to the headless audio devices.
#pragma once
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "backends/headless/headless_sound.h"
#include "backends/headless/memory_files.h"
#include "base/game.h"

namespace vorna::testing {

using Bytes = std::vector<uint8_t>;

inline void PutLe32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
inline void PutLe16(Bytes& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void PutBe32(Bytes& b, uint32_t v) {
    for (int i = 3; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
}
inline void PutBe16(Bytes& b, uint16_t v) {
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v));
}
inline void PutTag(Bytes& b, const char* tag) {
    b.insert(b.end(), tag, tag + 4);
}

inline Bytes Chunk(const char* tag, const Bytes& contents, bool pad = true) {
    Bytes b;
    PutTag(b, tag);
    PutLe32(b, uint32_t(contents.size()));
    b.insert(b.end(), contents.begin(), contents.end());
    if (pad && (contents.size() & 1)) b.push_back(0);
    return b;
}

inline Bytes FormatChunkContents(uint16_t channels, uint32_t rate, uint16_t bits, size_t size = 16) {
    Bytes f;
    PutLe16(f, 1);
    PutLe16(f, channels);
    PutLe32(f, rate);
    PutLe32(f, rate * channels * bits / 8);
    PutLe16(f, uint16_t(channels * bits / 8));
    PutLe16(f, bits);
    f.resize(size);
    return f;
}

// RIFF image around the given chunks; riffSizeDelta skews the RIFF size.
inline Bytes RiffImage(const std::vector<Bytes>& chunks, int riffSizeDelta = 0) {
    Bytes body;
    PutTag(body, "WAVE");
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    PutTag(b, "RIFF");
    PutLe32(b, uint32_t(int64_t(body.size()) + riffSizeDelta));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

inline Bytes SimpleWave(uint32_t samples = 100, uint32_t rate = 22050) {
    Bytes data(samples, 0x80);
    for (uint32_t i = 0; i < samples; ++i) data[i] = uint8_t(0x80 + (i % 32) - 16);
    return RiffImage({Chunk("fmt ", FormatChunkContents(1, rate, 8)), Chunk("data", data)});
}

// Standard MIDI File assembly.
inline void PutVarLen(Bytes& b, uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = uint8_t(v & 0x7F);
        v >>= 7;
    } while (v);
    for (int i = n - 1; i >= 0; --i) b.push_back(uint8_t(groups[i] | (i ? 0x80 : 0)));
}

struct TrackBuilder {
    Bytes data;
    TrackBuilder& Note(uint32_t delta, uint8_t status, uint8_t d1, uint8_t d2) {
        PutVarLen(data, delta);
        data.push_back(status);
        data.push_back(d1);
        data.push_back(d2);
        return *this;
    }
    TrackBuilder& Raw(uint32_t delta, const Bytes& bytes) {
        PutVarLen(data, delta);
        data.insert(data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    TrackBuilder& Meta(uint32_t delta, uint8_t type, const Bytes& payload) {
        PutVarLen(data, delta);
        data.push_back(0xFF);
        data.push_back(type);
        PutVarLen(data, uint32_t(payload.size()));
        data.insert(data.end(), payload.begin(), payload.end());
        return *this;
    }
    TrackBuilder& Tempo(uint32_t delta, uint32_t usPerQuarter) {
        return Meta(delta, 0x51, {uint8_t(usPerQuarter >> 16), uint8_t(usPerQuarter >> 8), uint8_t(usPerQuarter)});
    }
    TrackBuilder& End(uint32_t delta = 0) { return Meta(delta, 0x2F, {}); }
};

inline Bytes Song(const std::vector<TrackBuilder>& tracks, uint16_t division = 96, uint32_t headerLength = 6,
                  uint16_t format = 1) {
    Bytes b;
    PutTag(b, "MThd");
    PutBe32(b, headerLength);
    Bytes fields;
    PutBe16(fields, format);
    PutBe16(fields, uint16_t(tracks.size()));
    PutBe16(fields, division);
    fields.resize(headerLength < 6 ? 6 : headerLength, 0);
    if (headerLength < 6) fields.resize(headerLength);
    b.insert(b.end(), fields.begin(), fields.end());
    for (const TrackBuilder& t : tracks) {
        PutTag(b, "MTrk");
        PutBe32(b, uint32_t(t.data.size()));
        b.insert(b.end(), t.data.begin(), t.data.end());
    }
    return b;
}

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Resources held in a map, found before files.
class MapResources : public Resources {
public:
    std::map<std::string, Bytes> items;
    bool Find(const char* name, const char* type, ByteView& out) override {
        if (!name || std::strcmp(type, "WAVE") != 0) return false;
        auto it = items.find(name);
        if (it == items.end()) return false;
        out = {it->second.data(), it->second.size()};
        return true;
    }
};

// A game with the headless audio devices and an in-memory file system.
struct AudioGame {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    HeadlessSoundDevice sound;
    HeadlessMidiStreamDevice midi;
    MemoryFileSystem files;
    MapResources resources;
    AudioGame() {
        sound.recordLog = true;
        game->platform.sound = &sound;
        game->platform.midi = &midi;
        game->platform.files = &files;
        game->platform.resources = &resources;
    }
    Game& g() { return *game; }
};

} // namespace vorna::testing
