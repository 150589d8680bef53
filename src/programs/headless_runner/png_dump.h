// Writing a presented frame as a PNG picture: palette indices mapped to RGB through the palette.
#pragma once
#include <cstdint>
#include <string>

#include "platform/presenter.h"

namespace vorna {

// Writes a width x height RGB PNG of the indexed pixels (rows `pitch` bytes apart).
// False with an error text when the file cannot be written.
bool WriteIndexedFramePng(const std::string& path, const uint8_t* pixels, int width, int height, int pitch,
                          const PaletteEntry palette[256], std::string& error);

} // namespace vorna
