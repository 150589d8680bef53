// Errors, file access, noise and colour helpers of the asset generator.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "assetgen.h"

namespace assetgen {

void Fail(const std::string& file, int line, const std::string& message) {
    if (line > 0)
        std::fprintf(stderr, "%s:%d: error: %s\n", file.c_str(), line, message.c_str());
    else
        std::fprintf(stderr, "%s: error: %s\n", file.c_str(), message.c_str());
    std::exit(1);
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail(path, 0, "cannot open the source file");
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) Fail(path, 0, "cannot write the output file");
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) Fail(path, 0, "writing the output file failed");
}

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h = 0x9E3779B9u ^ a;
    h = (h ^ (h >> 16)) * 0x85EBCA6Bu;
    h ^= b + 0x7F4A7C15u + (h << 6) + (h >> 2);
    h = (h ^ (h >> 13)) * 0xC2B2AE35u;
    h ^= c + 0x165667B1u + (h << 6) + (h >> 2);
    h = (h ^ (h >> 16)) * 0x27D4EB2Fu;
    return h ^ (h >> 15);
}

double Noise01(uint32_t seed, int x, int y) {
    return Hash(seed, static_cast<uint32_t>(x), static_cast<uint32_t>(y)) / 4294967295.0;
}

double SmoothNoise(uint32_t seed, double x, double y) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    double fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    const double a = Noise01(seed, x0, y0), b = Noise01(seed, x0 + 1, y0);
    const double c = Noise01(seed, x0, y0 + 1), d = Noise01(seed, x0 + 1, y0 + 1);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

double Fractal(uint32_t seed, double x, double y, int octaves) {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * SmoothNoise(seed + static_cast<uint32_t>(i) * 101u, x, y);
        norm += amp;
        amp *= 0.5;
        x *= 2;
        y *= 2;
    }
    return sum / norm;
}

Colour Rgb(double r, double g, double b) {
    return Colour{r, g, b, 1};
}

Colour Mix(const Colour& x, const Colour& y, double t) {
    return Colour{x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

} // namespace assetgen
