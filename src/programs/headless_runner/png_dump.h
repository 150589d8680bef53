// Writing a presented frame as a PNG picture: palette indices mapped to RGB through the palette.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/presenter.h"

namespace vorna {

// Writes a width x height RGB PNG of the indexed pixels (rows `pitch` bytes apart).
// False with an error text when the file cannot be written.
bool WriteIndexedFramePng(const std::string& path, const uint8_t* pixels, int width, int height, int pitch,
                          const PaletteEntry palette[256], std::string& error);

// The same picture as a complete PNG file in memory, from width x height RGB triples, written without
// any library (stored deflate blocks), so that builds without libpng (the Windows build) can dump frames.
std::vector<uint8_t> EncodeStoredRgbPng(const uint8_t* rgb, int width, int height);

} // namespace vorna
