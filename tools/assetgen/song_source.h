// The song notation read into records: parts, chords and melodies (the compiler's front half).
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "songs.h"

namespace assetgen {

constexpr int kWhole = kTicksPerQuarter * 4;

struct Part {
    std::string name;
    int line = 0;
    int channel = 0, program = 0, volume = 100, pan = 64, octave = 4, velocity = 100, enter = 1;
    std::string style = "notes";
    int step = 16;
    std::string pattern;
    std::vector<std::pair<std::string, int>> mml;   // text and its source line
    std::vector<std::pair<int, std::string>> drums; // note number and grid
};

struct Chord {
    int root;               // pitch class
    std::vector<int> tones; // semitones above the root
    uint32_t start, length; // ticks within the loop
};

struct Song {
    std::string path, title;
    int tempo = 120, meter = 4, bars = 0;
    std::vector<std::pair<std::string, int>> chordTokens;
    std::vector<Part> parts;
};

// Reads an MML melody: notes a-g with + or - and a length, r rests, o/</> octaves, l default length,
// v velocity, ^ to lengthen the previous note, [ ... ]N repeats, | checks that a bar ends there.
struct Melody {
    struct Note {
        uint32_t tick, length;
        int key, velocity;
    };
    std::vector<Note> notes;
    uint32_t length = 0;
};

Song ParseSong(const std::string& path);
Melody ParseMelody(const Song& s, const Part& p);
std::vector<Chord> Chords(const Song& s);

} // namespace assetgen
