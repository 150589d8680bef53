// Fuzz target of the bitmap reader: any bytes must decode cleanly or be refused, never read or write astray.
#include <cstddef>
#include <cstdint>

#include "gfx/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vorna::DibImage image;
    if (vorna::DecodeDib(data, size, image)) {
        // An accepted image holds exactly its pixels, one byte each.
        const size_t expected = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
        if (image.width <= 0 || image.height <= 0 || image.pixels.size() != expected) __builtin_trap();
    }
    return 0;
}
