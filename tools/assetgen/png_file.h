// PNG files from 8-bit pixel rows, for the review pictures and the desktop icons.
#pragma once
#include <cstdint>
#include <vector>

namespace assetgen {

// channels 3 (RGB) or 4 (RGBA, straight alpha); pixels are width * height * channels bytes, top row first.
std::vector<uint8_t> PngFile(int width, int height, int channels, const std::vector<uint8_t>& pixels);

} // namespace assetgen
