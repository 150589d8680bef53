// The song notation under assets/music and its compiler to Standard MIDI Files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

constexpr int kTicksPerQuarter = 96;

// Compiles one song source into a format 1 Standard MIDI File; stops the build on a malformed source.
std::vector<uint8_t> CompileSong(const std::string& path);

} // namespace assetgen
