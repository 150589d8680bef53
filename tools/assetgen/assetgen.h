// Shared pieces of the asset generator: errors with source positions, byte writers, noise, images.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Stops the build with "file:line: message"; line 0 leaves the line out.
[[noreturn]] void Fail(const std::string& file, int line, const std::string& message);

std::vector<std::string> ReadLines(const std::string& path);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

struct Bytes {
    std::vector<uint8_t> b;
    void U8(unsigned v) { b.push_back(static_cast<uint8_t>(v)); }
    void U16(unsigned v) { U8(v & 0xFF), U8((v >> 8) & 0xFF); }
    void U32(uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
    void BE16(unsigned v) { U8((v >> 8) & 0xFF), U8(v & 0xFF); }
    void BE32(uint32_t v) { BE16(v >> 16), BE16(v & 0xFFFF); }
    void Tag(const char* t) {
        for (int i = 0; i < 4; ++i) U8(static_cast<uint8_t>(t[i]));
    }
    void Append(const std::vector<uint8_t>& v) { b.insert(b.end(), v.begin(), v.end()); }
    void PatchU32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    void PatchBE32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * (3 - i)));
    }
};

// Integer hash noise, the same on every machine.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
double Noise01(uint32_t seed, int x, int y);                    // one random value per lattice point
double SmoothNoise(uint32_t seed, double x, double y);          // value noise, 0..1
double Fractal(uint32_t seed, double x, double y, int octaves); // 0..1

struct Colour {
    double r = 0, g = 0, b = 0, a = 0; // components 0..255, a 0..1 (below 0.5 is transparent)
};
Colour Rgb(double r, double g, double b);
Colour Mix(const Colour& x, const Colour& y, double t);

// A picture in true colour before it is fitted to the display palette.
struct Picture {
    int w = 0, h = 0;
    std::vector<Colour> px;
    Picture() = default;
    Picture(int width, int height) : w(width), h(height), px(static_cast<size_t>(width * height)) {}
    Colour& At(int x, int y) { return px[static_cast<size_t>(y * w + x)]; }
    const Colour& At(int x, int y) const { return px[static_cast<size_t>(y * w + x)]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    void Set(int x, int y, const Colour& c) {
        if (Inside(x, y)) At(x, y) = c;
    }
};

// A one-bit mask, the raw shape of letters and sprites.
struct Mask {
    int w = 0, h = 0;
    std::vector<uint8_t> on;
    Mask() = default;
    Mask(int width, int height) : w(width), h(height), on(static_cast<size_t>(width * height)) {}
    bool Get(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && on[static_cast<size_t>(y * w + x)]; }
    void Put(int x, int y, bool v) {
        if (x >= 0 && y >= 0 && x < w && y < h) on[static_cast<size_t>(y * w + x)] = v;
    }
};

} // namespace assetgen
