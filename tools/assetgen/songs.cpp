// Compiles a song to a format 1 Standard MIDI File: a conductor track and one track per part.
#include <algorithm>

#include "assetgen.h"
#include "song_source.h"

namespace assetgen {
namespace {

struct Event {
    uint32_t tick;
    int order; // at one tick: note-offs first, then set-up, then note-ons
    std::vector<uint8_t> bytes;
};

class Track {
public:
    Track(int channel, uint32_t limit) : channel_(channel), limit_(limit) {}
    void Note(uint32_t tick, uint32_t length, int key, int velocity) {
        // Nothing may sound past the loop point, where the song starts again.
        if (tick >= limit_) return;
        length = std::min(length, limit_ - tick);
        if (length == 0) return;
        key = std::clamp(key, 0, 127);
        events_.push_back({tick,
                           2,
                           {static_cast<uint8_t>(0x90 | channel_), static_cast<uint8_t>(key),
                            static_cast<uint8_t>(std::clamp(velocity, 1, 127))}});
        // Note-off as a note-on of velocity 0 keeps the running status unbroken.
        events_.push_back({tick + length, 0, {static_cast<uint8_t>(0x90 | channel_), static_cast<uint8_t>(key), 0}});
    }
    void Control(uint32_t tick, int control, int value) {
        events_.push_back(
            {tick,
             1,
             {static_cast<uint8_t>(0xB0 | channel_), static_cast<uint8_t>(control), static_cast<uint8_t>(value)}});
    }
    void Program(uint32_t tick, int program) {
        events_.push_back({tick, 1, {static_cast<uint8_t>(0xC0 | channel_), static_cast<uint8_t>(program)}});
    }
    void Meta(uint32_t tick, int type, const std::vector<uint8_t>& data) {
        std::vector<uint8_t> b = {0xFF, static_cast<uint8_t>(type), static_cast<uint8_t>(data.size())};
        b.insert(b.end(), data.begin(), data.end());
        events_.push_back({tick, 1, b});
    }
    std::vector<uint8_t> Chunk() {
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        Bytes t;
        uint32_t now = 0;
        uint8_t running = 0;
        for (const Event& e : events_) {
            WriteVarLen(t, e.tick - now);
            now = e.tick;
            if (e.bytes[0] < 0xF0) {
                if (e.bytes[0] != running) t.U8(e.bytes[0]);
                running = e.bytes[0];
                for (size_t i = 1; i < e.bytes.size(); ++i) t.U8(e.bytes[i]);
            } else {
                running = 0; // readers differ on running status across meta events; restate it
                for (uint8_t b : e.bytes) t.U8(b);
            }
        }
        t.U8(0), t.U8(0xFF), t.U8(0x2F), t.U8(0);
        Bytes chunk;
        chunk.Tag("MTrk");
        chunk.BE32(static_cast<uint32_t>(t.b.size()));
        chunk.Append(t.b);
        return chunk.b;
    }
    static void WriteVarLen(Bytes& out, uint32_t v) {
        uint8_t groups[5];
        int n = 0;
        do groups[n++] = v & 0x7F, v >>= 7;
        while (v);
        while (n--) out.U8(groups[n] | (n ? 0x80 : 0));
    }

private:
    int channel_;
    uint32_t limit_;
    std::vector<Event> events_;
};

} // namespace

std::vector<uint8_t> CompileSong(const std::string& path) {
    const Song s = ParseSong(path);
    const uint32_t bar = static_cast<uint32_t>(kTicksPerQuarter * s.meter);
    const uint32_t loop = bar * static_cast<uint32_t>(s.bars);
    const double seconds = double(loop) / kTicksPerQuarter * 60.0 / s.tempo;
    if (seconds < 30 || seconds > 90)
        Fail(path, 0,
             "the loop lasts " + std::to_string(static_cast<int>(seconds)) + " s; songs loop after 30 to 90 s");
    const std::vector<Chord> chords = Chords(s);
    const uint32_t tempo = static_cast<uint32_t>(60000000 / s.tempo);
    const std::vector<uint8_t> tempoBytes = {static_cast<uint8_t>(tempo >> 16), static_cast<uint8_t>(tempo >> 8),
                                             static_cast<uint8_t>(tempo)};

    std::vector<Track> tracks;
    // The conductor: the tempo at every bar, because the game's danger tempo applies from the next tempo
    // event only; and one more at the loop point, since the end-of-track delay is lost when a song loops.
    Track conductor(0, loop);
    std::vector<uint8_t> name(s.title.begin(), s.title.end());
    conductor.Meta(0, 0x03, name);
    conductor.Meta(0, 0x58, {static_cast<uint8_t>(s.meter), 2, 24, 8});
    for (uint32_t t = 0; t <= loop; t += bar) conductor.Meta(t, 0x51, tempoBytes);
    tracks.push_back(conductor);

    for (const Part& p : s.parts) {
        Track t(p.channel, loop);
        std::vector<uint8_t> partName(p.name.begin(), p.name.end());
        t.Meta(0, 0x03, partName);
        if (p.style != "drums") t.Program(0, p.program);
        t.Control(0, 7, p.volume);
        t.Control(0, 10, p.pan);
        t.Control(0, 91, 48);
        t.Control(0, 93, p.style == "pad" ? 40 : 10);
        const uint32_t from = static_cast<uint32_t>(p.enter - 1) * bar;
        if (from >= loop) Fail(path, p.line, "part " + p.name + " enters after the loop ends");
        if (p.style == "notes") {
            const Melody m = ParseMelody(s, p);
            if (m.length == 0 || (loop - from) % m.length)
                Fail(path, p.line,
                     "the notes of part " + p.name + " last " + std::to_string(m.length) +
                         " ticks, which does not divide the " + std::to_string(loop - from) + " ticks it plays");
            for (uint32_t base = from; base < loop; base += m.length)
                for (const Melody::Note& n : m.notes) {
                    // A short gap before the next note keeps repeated notes distinct.
                    const uint32_t len = n.length > 12 ? n.length - 4 : n.length - 1;
                    t.Note(base + n.tick, len, n.key, n.velocity);
                }
        } else if (p.style == "drums") {
            if (p.drums.empty()) Fail(path, p.line, "drum part " + p.name + " has no drum lines");
            const uint32_t stepTicks = bar / 16;
            for (const auto& [key, grid] : p.drums) {
                const uint32_t gridLen = static_cast<uint32_t>(grid.size()) * stepTicks;
                if ((loop - from) % gridLen)
                    Fail(path, p.line, "a drum grid of part " + p.name + " does not divide the loop");
                for (uint32_t base = from; base < loop; base += gridLen)
                    for (size_t k = 0; k < grid.size(); ++k) {
                        const char c = grid[k];
                        if (c == '.') continue;
                        const int v = c == 'X' ? 122 : c == 'o' ? 64 : 96;
                        t.Note(base + static_cast<uint32_t>(k) * stepTicks, stepTicks / 2, key, v * p.velocity / 100);
                    }
            }
        } else {
            if (chords.empty()) Fail(path, p.line, "part " + p.name + " follows chords, but the song has none");
            for (const Chord& c : chords) {
                if (c.start < from) continue;
                const int base = (p.octave + 1) * 12 + c.root;
                if (p.style == "pad") {
                    for (int tone : c.tones) t.Note(c.start, c.length - 2, base + tone, p.velocity);
                    continue;
                }
                if (p.pattern.empty()) Fail(path, p.line, "part " + p.name + " needs a pattern");
                const uint32_t stepTicks = kWhole / static_cast<uint32_t>(p.step);
                const uint32_t steps = c.length / stepTicks;
                if (p.style == "stab") {
                    // stab: the whole chord on each 'x', held over '.', silent on '-'.
                    for (uint32_t k = 0; k < steps; ++k) {
                        const char sym = p.pattern[k % p.pattern.size()];
                        if (sym == '.' || sym == '-') continue;
                        if (sym != 'x') Fail(path, p.line, std::string("unknown stab step '") + sym + "'");
                        uint32_t len = stepTicks;
                        while (k + len / stepTicks < steps &&
                               p.pattern[(k + len / stepTicks) % p.pattern.size()] == '.')
                            len += stepTicks;
                        for (int tone : c.tones) t.Note(c.start + k * stepTicks, len - 3, base + tone, p.velocity);
                    }
                    continue;
                }
                // chords: a pattern of chord tones per step (1 root, 3 third, 5 fifth, 7 seventh or octave,
                // 8 octave, 9 the tenth, '.' holds, '-' rests), restarting with each chord.
                for (uint32_t k = 0; k < steps; ++k) {
                    const char sym = p.pattern[k % p.pattern.size()];
                    if (sym == '.' || sym == '-') continue;
                    uint32_t len = stepTicks;
                    while (k + len / stepTicks < steps && p.pattern[(k + len / stepTicks) % p.pattern.size()] == '.')
                        len += stepTicks;
                    int key;
                    switch (sym) {
                    case '1':
                        key = base;
                        break;
                    case '3':
                        key = base + c.tones[1 % c.tones.size()];
                        break;
                    case '5':
                        key = base + c.tones[std::min<size_t>(2, c.tones.size() - 1)];
                        break;
                    case '7':
                        key = base + (c.tones.size() > 3 ? c.tones[3] : 12);
                        break;
                    case '8':
                        key = base + 12;
                        break;
                    case '9':
                        key = base + 12 + c.tones[1 % c.tones.size()];
                        break;
                    default:
                        Fail(path, p.line, std::string("unknown pattern step '") + sym + "'");
                    }
                    t.Note(c.start + k * stepTicks, len - 3, key, p.velocity - (k % 2 ? 12 : 0));
                }
            }
        }
        t.Control(loop, 7, p.volume); // the real event at the loop point
        tracks.push_back(t);
    }

    Bytes file;
    file.Tag("MThd");
    file.BE32(6);
    file.BE16(1);
    file.BE16(static_cast<unsigned>(tracks.size()));
    file.BE16(kTicksPerQuarter);
    for (Track& t : tracks) file.Append(t.Chunk());
    return file.b;
}

} // namespace assetgen
