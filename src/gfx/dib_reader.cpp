// Our own reader of the 8-bit device-independent bitmap, the one format the graphics sheet comes in.
#include <algorithm>
#include <cstddef>

#include "gfx/sheet.h"
#include "gfx/surface_ops.h"

namespace vorna {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
uint16_t ReadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
int32_t ReadI32(const uint8_t* p) {
    return static_cast<int32_t>(ReadU32(p));
}

} // namespace

bool DecodeDib(const uint8_t* data, size_t size, DibImage& out) {
    if (data == nullptr) return false;
    // A file starts with "BM" and says where the pixels are; a resource is the bare DIB.
    const bool hasFileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    uint64_t pixelOffsetInFile = 0;
    if (hasFileHeader) {
        if (size < kFileHeaderSize) return false;
        pixelOffsetInFile = ReadU32(data + 10);
    }
    const uint8_t* dib = hasFileHeader ? data + kFileHeaderSize : data;
    const uint64_t dibSize = hasFileHeader ? size - kFileHeaderSize : size;
    if (dibSize < kInfoHeaderSize || ReadU32(dib) != kInfoHeaderSize) return false;

    const int32_t width = ReadI32(dib + 4);
    const int32_t height = ReadI32(dib + 8); // negative would be top-down: refused
    const uint16_t planes = ReadU16(dib + 12);
    const uint16_t bitsPerPixel = ReadU16(dib + 14);
    const uint32_t compression = ReadU32(dib + 16);
    const uint32_t coloursUsed = ReadU32(dib + 32);
    if (planes != 1 || bitsPerPixel != 8 || compression != 0) return false;
    if (width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide) return false;

    // biClrUsed 0 means a full table; a longer table than 256 entries holds nothing a pixel can name.
    const uint64_t declaredEntries = coloursUsed == 0 ? 256 : coloursUsed;
    const uint64_t usableEntries = std::min<uint64_t>(declaredEntries, 256);
    const uint64_t tableEnd = kInfoHeaderSize + usableEntries * 4;
    if (tableEnd > dibSize) return false;

    uint64_t pixelStart = kInfoHeaderSize + declaredEntries * 4;
    if (hasFileHeader) {
        if (pixelOffsetInFile < kFileHeaderSize + tableEnd) return false;
        pixelStart = pixelOffsetInFile - kFileHeaderSize;
    }
    const uint64_t stride = (static_cast<uint64_t>(width) + 3) & ~uint64_t{3};
    const uint64_t imageBytes = stride * static_cast<uint64_t>(height);
    if (pixelStart > dibSize || imageBytes > dibSize - pixelStart) return false;

    out.width = width;
    out.height = height;
    std::fill(std::begin(out.colours), std::end(out.colours), 0u);
    for (uint64_t i = 0; i < usableEntries; ++i) {
        const uint8_t* q = dib + kInfoHeaderSize + i * 4; // blue, green, red, reserved
        out.colours[i] = static_cast<uint32_t>(q[2]) << 16 | static_cast<uint32_t>(q[1]) << 8 | q[0];
    }
    out.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* from = dib + pixelStart + static_cast<uint64_t>(height - 1 - row) * stride;
        std::copy(from, from + width, out.pixels.begin() + static_cast<ptrdiff_t>(row) * width);
    }
    return true;
}

} // namespace vorna
