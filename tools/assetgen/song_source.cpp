// Reads the compact song notation: header lines, chords, parts, MML melodies and drum grids.
//
// A song source is a list of lines:
//   title TEXT | tempo BPM | meter BEATS | bars N (the loop length)
//   chords Am F:G C ...          one token per bar, ':' splits a bar evenly
//   part NAME channel C program P volume V [pan P] [octave O] [velocity V] [enter BAR] [style S] [step 8|16]
//        [pattern P]            styles: notes (MML melody), pad, chords (pattern of chord tones), stab
//                               (whole chords on a rhythm), drums
//   notes NAME MML...            appended to the part's melody
//   drum NAME INSTRUMENT GRID [every N]  16 steps per bar: x normal, X accent, o soft, . nothing
#include "song_source.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>

#include "assetgen.h"

namespace assetgen {
namespace {

std::vector<std::string> Split(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> w;
    std::string t;
    while (in >> t) {
        if (t[0] == '#') break;
        w.push_back(t);
    }
    return w;
}

int PitchClass(char c) {
    switch (c) {
    case 'c':
        return 0;
    case 'd':
        return 2;
    case 'e':
        return 4;
    case 'f':
        return 5;
    case 'g':
        return 7;
    case 'a':
        return 9;
    case 'b':
        return 11;
    default:
        return -1;
    }
}

int ToInt(const Song& s, int line, const std::string& v, int lo, int hi) {
    char* end = nullptr;
    const long n = std::strtol(v.c_str(), &end, 10);
    if (v.empty() || *end || n < lo || n > hi)
        Fail(s.path, line, "'" + v + "' is not a number from " + std::to_string(lo) + " to " + std::to_string(hi));
    return static_cast<int>(n);
}

Chord ParseChord(const Song& s, int line, const std::string& tok) {
    if (tok.empty()) Fail(s.path, line, "empty chord");
    const int pc = PitchClass(static_cast<char>(std::tolower(tok[0])));
    if (pc < 0) Fail(s.path, line, "unknown chord root in '" + tok + "'");
    size_t i = 1;
    int root = pc;
    if (i < tok.size() && (tok[i] == '#' || tok[i] == 'b')) root += tok[i++] == '#' ? 1 : -1;
    const std::string q = tok.substr(i);
    static const std::map<std::string, std::vector<int>> kinds = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},  {"m7", {0, 3, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}},     {"dim", {0, 3, 6}},    {"aug", {0, 4, 8}},
        {"5", {0, 7}},           {"add9", {0, 4, 7, 14}}, {"m9", {0, 3, 7, 14}}, {"sus2", {0, 2, 7}}};
    auto it = kinds.find(q);
    if (it == kinds.end()) Fail(s.path, line, "unknown chord '" + tok + "'");
    return Chord{(root + 12) % 12, it->second, 0, 0};
}

} // namespace

Song ParseSong(const std::string& path) {
    Song s;
    s.path = path;
    const std::vector<std::string> lines = ReadLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i + 1);
        const std::vector<std::string> w = Split(lines[i]);
        if (w.empty()) continue;
        const std::string& k = w[0];
        if (k == "title") {
            s.title = lines[i].substr(lines[i].find("title") + 5);
            s.title.erase(0, s.title.find_first_not_of(' '));
        } else if (k == "tempo" && w.size() == 2) {
            s.tempo = ToInt(s, line, w[1], 40, 300);
        } else if (k == "meter" && w.size() == 2) {
            s.meter = ToInt(s, line, w[1], 2, 8);
        } else if (k == "bars" && w.size() == 2) {
            s.bars = ToInt(s, line, w[1], 1, 512);
        } else if (k == "chords") {
            for (size_t j = 1; j < w.size(); ++j)
                if (w[j] != "|") s.chordTokens.push_back({w[j], line});
        } else if (k == "part" && w.size() >= 2) {
            Part p;
            p.name = w[1];
            p.line = line;
            for (size_t j = 2; j < w.size(); j += 2) {
                if (j + 1 >= w.size()) Fail(path, line, "option '" + w[j] + "' has no value");
                const std::string& o = w[j];
                const std::string& v = w[j + 1];
                if (o == "channel")
                    p.channel = ToInt(s, line, v, 1, 16) - 1;
                else if (o == "program")
                    p.program = ToInt(s, line, v, 1, 128) - 1;
                else if (o == "volume")
                    p.volume = ToInt(s, line, v, 0, 127);
                else if (o == "pan")
                    p.pan = ToInt(s, line, v, 0, 127);
                else if (o == "octave")
                    p.octave = ToInt(s, line, v, 0, 9);
                else if (o == "velocity")
                    p.velocity = ToInt(s, line, v, 1, 127);
                else if (o == "enter")
                    p.enter = ToInt(s, line, v, 1, 512);
                else if (o == "step")
                    p.step = ToInt(s, line, v, 1, 16);
                else if (o == "pattern")
                    p.pattern = v;
                else if (o == "style") {
                    if (v != "notes" && v != "pad" && v != "chords" && v != "stab" && v != "drums")
                        Fail(path, line, "unknown style '" + v + "'");
                    p.style = v;
                } else
                    Fail(path, line, "unknown part option '" + o + "'");
            }
            for (const Part& q : s.parts)
                if (q.name == p.name) Fail(path, line, "part '" + p.name + "' defined twice");
            s.parts.push_back(p);
        } else if ((k == "notes" || k == "drum") && w.size() >= 2) {
            auto it = std::find_if(s.parts.begin(), s.parts.end(), [&](const Part& p) { return p.name == w[1]; });
            if (it == s.parts.end()) Fail(path, line, "no part named '" + w[1] + "'");
            if (k == "notes") {
                const size_t at = lines[i].find(w[1]) + w[1].size();
                std::string text = lines[i].substr(at);
                const size_t hash = text.find('#');
                if (hash != std::string::npos) text.resize(hash);
                it->mml.push_back({text, line});
            } else {
                if (w.size() != 4 && !(w.size() == 6 && w[4] == "every"))
                    Fail(path, line, "expected 'drum PART NOTE GRID [every BARS]'");
                static const std::map<std::string, int> kit = {
                    {"kick", 36},    {"snare", 38},      {"clap", 39},   {"hat", 42},     {"openhat", 46},
                    {"pedal", 44},   {"crash", 49},      {"ride", 51},   {"tomlow", 45},  {"tommid", 47},
                    {"tomhigh", 50}, {"tambourine", 54}, {"shaker", 70}, {"cowbell", 56}, {"rim", 37},
                    {"splash", 55},  {"china", 52},      {"bongo", 60}};
                auto n = kit.find(w[2]);
                if (n == kit.end()) Fail(path, line, "unknown drum '" + w[2] + "'");
                if (w[3].size() % 16) Fail(path, line, "a drum grid has 16 steps per bar");
                for (char c : w[3])
                    if (c != '.' && c != 'x' && c != 'X' && c != 'o')
                        Fail(path, line, std::string("unknown drum step '") + c + "'");
                std::string grid = w[3];
                // 'every N' plays the grid in the first bar of every N bars only (a crash at each phrase).
                if (w.size() == 6) grid.resize(grid.size() * static_cast<size_t>(ToInt(s, line, w[5], 1, 64)), '.');
                it->drums.push_back({n->second, grid});
            }
        } else {
            Fail(path, line, "cannot read '" + lines[i] + "'");
        }
    }
    if (s.bars == 0) Fail(path, 0, "the song needs 'bars N'");
    if (s.parts.empty()) Fail(path, 0, "the song has no parts");
    return s;
}

namespace {

uint32_t ReadLength(const Song& s, int line, const std::string& t, size_t& i, uint32_t fallback) {
    uint32_t len = fallback;
    if (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
        int n = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) n = n * 10 + (t[i++] - '0');
        if (n != 1 && n != 2 && n != 3 && n != 4 && n != 6 && n != 8 && n != 12 && n != 16 && n != 24 && n != 32)
            Fail(s.path, line, "note length " + std::to_string(n) + " is not 1, 2, 3, 4, 6, 8, 12, 16, 24 or 32");
        len = kWhole / static_cast<uint32_t>(n);
    }
    uint32_t add = len / 2;
    while (i < t.size() && t[i] == '.') len += add, add /= 2, ++i;
    return len;
}

} // namespace

Melody ParseMelody(const Song& s, const Part& p) {
    std::string text;
    std::vector<int> lineOf;
    for (const auto& [t, line] : p.mml) {
        text += t + " ";
        lineOf.insert(lineOf.end(), t.size() + 1, line);
    }
    Melody m;
    int octave = p.octave, velocity = p.velocity;
    uint32_t deflen = kWhole / 8;
    struct Loop {
        size_t start;
        size_t firstNote;
        uint32_t startTick;
    };
    std::vector<Loop> loops;
    const uint32_t bar = static_cast<uint32_t>(kTicksPerQuarter * s.meter);
    size_t i = 0;
    while (i < text.size()) {
        const int line = lineOf[i];
        const char c = static_cast<char>(std::tolower(text[i]));
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (PitchClass(c) >= 0) {
            ++i;
            int key = (octave + 1) * 12 + PitchClass(c);
            while (i < text.size() && (text[i] == '+' || text[i] == '#' || text[i] == '-'))
                key += text[i++] == '-' ? -1 : 1;
            const uint32_t len = ReadLength(s, line, text, i, deflen);
            if (key < 0 || key > 127) Fail(s.path, line, "note out of the MIDI range");
            m.notes.push_back({m.length, len, key, velocity});
            m.length += len;
        } else if (c == 'r') {
            ++i;
            m.length += ReadLength(s, line, text, i, deflen);
        } else if (c == '^') {
            ++i;
            if (m.notes.empty()) Fail(s.path, line, "'^' with no note before it");
            const uint32_t len = ReadLength(s, line, text, i, deflen);
            m.notes.back().length += len;
            m.length += len;
        } else if (c == 'o') {
            ++i;
            if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
                Fail(s.path, line, "'o' needs an octave number");
            octave = text[i++] - '0';
        } else if (c == '>' || c == '<') {
            octave += c == '>' ? 1 : -1;
            ++i;
            if (octave < 0 || octave > 9) Fail(s.path, line, "octave out of range");
        } else if (c == 'l') {
            ++i;
            deflen = ReadLength(s, line, text, i, deflen);
        } else if (c == 'v') {
            ++i;
            int n = 0;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) n = n * 10 + (text[i++] - '0');
            if (n < 1 || n > 127) Fail(s.path, line, "velocity from 1 to 127");
            velocity = n;
        } else if (c == '|') {
            ++i;
            if (m.length % bar) Fail(s.path, line, "bar line inside a bar (at tick " + std::to_string(m.length) + ")");
        } else if (c == '[') {
            ++i;
            loops.push_back({i, m.notes.size(), m.length});
        } else if (c == ']') {
            ++i;
            if (loops.empty()) Fail(s.path, line, "']' without '['");
            int times = 0;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
                times = times * 10 + (text[i++] - '0');
            if (times < 2) times = 2;
            const Loop l = loops.back();
            loops.pop_back();
            const size_t count = m.notes.size() - l.firstNote;
            const uint32_t span = m.length - l.startTick;
            for (int r = 1; r < times; ++r)
                for (size_t k = 0; k < count; ++k) {
                    Melody::Note n = m.notes[l.firstNote + k];
                    n.tick += span * static_cast<uint32_t>(r);
                    m.notes.push_back(n);
                }
            m.length += span * static_cast<uint32_t>(times - 1);
        } else {
            Fail(s.path, line, std::string("unknown note '") + text[i] + "'");
        }
    }
    if (!loops.empty()) Fail(s.path, p.line, "'[' without ']' in part " + p.name);
    return m;
}

std::vector<Chord> Chords(const Song& s) {
    if (s.chordTokens.empty()) return {};
    const uint32_t bar = static_cast<uint32_t>(kTicksPerQuarter * s.meter);
    std::vector<Chord> out;
    for (int b = 0; b < s.bars; ++b) {
        const auto& [tok, line] = s.chordTokens[static_cast<size_t>(b) % s.chordTokens.size()];
        std::vector<std::string> pieces;
        std::string cur;
        for (char c : tok) {
            if (c == ':')
                pieces.push_back(cur), cur.clear();
            else
                cur += c;
        }
        pieces.push_back(cur);
        if (bar % pieces.size()) Fail(s.path, line, "a bar cannot be split into " + std::to_string(pieces.size()));
        const uint32_t each = bar / static_cast<uint32_t>(pieces.size());
        for (size_t k = 0; k < pieces.size(); ++k) {
            Chord c = ParseChord(s, line, pieces[k]);
            c.start = static_cast<uint32_t>(b) * bar + static_cast<uint32_t>(k) * each;
            c.length = each;
            out.push_back(c);
        }
    }
    return out;
}

} // namespace assetgen
