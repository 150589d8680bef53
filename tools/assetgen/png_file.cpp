// PNG files from 8-bit pixel rows, for the review pictures and the desktop icons.
#include "png_file.h"

#include <zlib.h>

#include "assetgen.h"

namespace assetgen {

namespace {

constexpr uint8_t kColourTypeRgb = 2;
constexpr uint8_t kColourTypeRgba = 6;

uint32_t Crc(const std::vector<uint8_t>& b, size_t from) {
    return static_cast<uint32_t>(crc32(0, b.data() + from, static_cast<uInt>(b.size() - from)));
}

} // namespace

std::vector<uint8_t> PngFile(int width, int height, int channels, const std::vector<uint8_t>& pixels) {
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(channels);
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<size_t>(y));
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9);
    packed.resize(packedSize);
    Bytes png;
    const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (uint8_t b : sig) png.U8(b);
    auto chunk = [&](const char* tag, const std::vector<uint8_t>& data) {
        png.BE32(static_cast<uint32_t>(data.size()));
        const size_t start = png.b.size();
        png.Tag(tag);
        png.Append(data);
        png.BE32(Crc(png.b, start));
    };
    Bytes ihdr;
    ihdr.BE32(static_cast<uint32_t>(width)), ihdr.BE32(static_cast<uint32_t>(height));
    ihdr.U8(8), ihdr.U8(channels == 4 ? kColourTypeRgba : kColourTypeRgb), ihdr.U8(0), ihdr.U8(0), ihdr.U8(0);
    chunk("IHDR", ihdr.b);
    chunk("IDAT", packed);
    chunk("IEND", {});
    return png.b;
}

} // namespace assetgen
