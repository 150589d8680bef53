// The headless trace: one JSON line per running frame, in a canonical byte-exact form.
#include "programs/headless_runner/trace.h"

#include <cinttypes>
#include <cstdio>

namespace vorna {
namespace {

void AppendInt(std::string& out, int64_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%" PRId64, v);
    out += buf;
}

// %.9g of the single-precision value reads back to the same float.
void AppendFloat(std::string& out, float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    out += buf;
}

// Globe and VORNA share one shape: five integers, the speed, three integers.
struct MoverHead {
    int32_t values[5];
};
struct MoverTail {
    int32_t values[3];
};

void AppendIntArray(std::string& out, const int32_t* values, size_t count) {
    out += '[';
    for (size_t i = 0; i < count; ++i) {
        if (i) out += ',';
        AppendInt(out, values[i]);
    }
    out += ']';
}

void AppendMover(std::string& out, const MoverHead& head, float speed, const MoverTail& tail) {
    out += '[';
    for (int32_t v : head.values) {
        AppendInt(out, v);
        out += ',';
    }
    AppendFloat(out, speed);
    for (int32_t v : tail.values) {
        out += ',';
        AppendInt(out, v);
    }
    out += ']';
}

} // namespace

uint64_t Fnv1a64(const uint8_t* data, size_t size, uint64_t hash) {
    for (size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= kFnvPrime;
    }
    return hash;
}

uint64_t BackBufferHash(const Surface& s) {
    static constexpr uint8_t kZeros[kFrameWidth] = {};
    uint64_t hash = kFnvOffsetBasis;
    for (int y = 0; y < kFrameHeight; ++y) {
        const uint8_t* row = kZeros;
        bool whole = s.exists && s.width >= kFrameWidth && y < s.height && s.pitch >= kFrameWidth &&
                     static_cast<size_t>(y) * static_cast<size_t>(s.pitch) + kFrameWidth <= s.pixels.size();
        if (whole) row = s.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(s.pitch);
        hash = Fnv1a64(row, kFrameWidth, hash);
    }
    return hash;
}

std::string MusicCallText(GameObserver::MusicCall call, int argument) {
    switch (call) {
    case GameObserver::MusicCall::Play:
        return "play " + std::to_string(argument);
    case GameObserver::MusicCall::Stop:
        return "stop";
    case GameObserver::MusicCall::Tempo:
        return "tempo " + std::to_string(argument);
    }
    return "";
}

void AppendTraceLine(std::string& out, const Game& g, uint32_t frame, const FrameEvents& events) {
    const PlayState& p = g.play;
    out += "{\"f\":";
    AppendInt(out, frame);
    out += ",\"scene\":";
    AppendInt(out, g.scene.Scene);
    out += ",\"t\":";
    AppendInt(out, g.scene.SceneTimer);
    out += ",\"step\":";
    AppendInt(out, g.scene.SceneStep);
    out += ",\"rng\":";
    AppendInt(out, g.random.state);
    out += ",\"in\":";
    AppendInt(out, g.scene.InputNow);

    const PlayCounters& c = p.counters;
    const int32_t counters[9] = {c.Score,      c.HiScore,     c.MissionTime,   c.MissionCleared, c.MissionFailed,
                                 c.BlocksLeft, c.MissionOver, c.MissionNumber, c.Level};
    out += ",\"c\":";
    AppendIntArray(out, counters, 9);

    const GlobeRecord& gl = p.globe;
    out += ",\"g\":";
    AppendMover(out, {gl.X, gl.Y, gl.PrevX, gl.PrevY, gl.Heading}, gl.Speed, {gl.Energy, gl.Form, gl.SavedForm});
    const VornaRecord& v = p.vorna;
    out += ",\"v\":";
    AppendMover(out, {v.X, v.Y, v.PrevX, v.PrevY, v.Heading}, v.Speed, {v.Energy, v.Steer, v.HurtTimer});

    out += ",\"cells\":";
    AppendIntArray(out, p.CellType, kCellCount);
    out += ",\"hits\":";
    AppendIntArray(out, p.CellHits, kCellCount);

    out += ",\"snd\":[";
    for (size_t i = 0; i < events.sounds.size(); ++i) {
        if (i) out += ',';
        AppendInt(out, events.sounds[i]);
    }
    out += "],\"mus\":[";
    for (size_t i = 0; i < events.music.size(); ++i) {
        if (i) out += ',';
        out += '"';
        out += events.music[i];
        out += '"';
    }
    out += "],\"pal0\":";
    const PaletteEntry& e = g.display.PaletteEntries[0];
    AppendInt(out, (int64_t{e.red} << 16) | (int64_t{e.green} << 8) | e.blue);
    char hash[24];
    std::snprintf(hash, sizeof hash, "%016" PRIx64, BackBufferHash(g.display.BackBuffer));
    out += ",\"fb\":\"";
    out += hash;
    out += "\"}";
}

} // namespace vorna
