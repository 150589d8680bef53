// The graphics sheet: loading a bitmap into a surface in the display's colours, and the colour-key routines.
#include "gfx/sheet.h"

#include <cstddef>
#include <cstdint>

#include "gfx/primitives.h"

namespace vorna {
namespace {

// A bitmap file larger than this is not a graphics sheet; refusing it keeps a stray file from eating memory.
constexpr uint32_t kMaxBitmapFileSize = 64u << 20;

bool ReadWholeFile(FileSystem* files, const char* name, std::vector<uint8_t>& bytes) {
    if (files == nullptr) return false;
    const int file = files->Open(name);
    if (file == kNoFile) return false;
    uint32_t size = 0;
    bool ok = files->Size(file, size) && size <= kMaxBitmapFileSize;
    if (ok) {
        bytes.resize(size);
        uint32_t done = 0;
        while (ok && done < size) {
            const int32_t got = files->Read(file, bytes.data() + done, size - done);
            if (got <= 0)
                ok = false;
            else
                done += static_cast<uint32_t>(got);
        }
    }
    files->Close(file);
    return ok;
}

// What GDI does when it puts a colour on an 8-bit surface: the nearest palette entry, ties to the lower index.
uint8_t NearestPaletteIndex(const PaletteEntry palette[256], int red, int green, int blue) {
    int best = 0;
    int32_t bestDistance = INT32_MAX;
    for (int i = 0; i < 256; ++i) {
        const int dr = palette[i].red - red, dg = palette[i].green - green, db = palette[i].blue - blue;
        const int32_t distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

} // namespace

bool gf_DD_LoadBitmap(const DisplayState& display, Resources* resources, FileSystem* files, Surface& out,
                      const char* name, int32_t width, int32_t height) {
    ReleaseSurface(out);
    // Surfaces are made by the display device: without it there is nothing to load into.
    if (!display.deviceCreated || name == nullptr || width < 0 || height < 0) return false;
    ByteView view{nullptr, 0};
    std::vector<uint8_t> fileBytes;
    const bool inProgram = resources != nullptr && resources->Find(name, "BITMAP", view);
    if (!inProgram) {
        if (!ReadWholeFile(files, name, fileBytes)) return false;
        view = ByteView{fileBytes.data(), fileBytes.size()};
    }
    DibImage dib;
    if (!DecodeDib(view.data, view.size, dib)) return false;
    const int32_t w = width != 0 ? width : dib.width;
    const int32_t h = height != 0 ? height : dib.height;
    if (!CreateSurface(out, w, h)) return false;

    uint8_t toDisplay[256];
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = dib.colours[i];
        toDisplay[i] = NearestPaletteIndex(display.PaletteEntries, (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
    }
    // A size other than the bitmap's own stretches it by the blitter's nearest-neighbour rule.
    for (int32_t y = 0; y < h; ++y) {
        const int64_t sy = static_cast<int64_t>(y) * dib.height / h;
        const uint8_t* from = dib.pixels.data() + sy * dib.width;
        uint8_t* to = out.pixels.data() + static_cast<size_t>(y) * out.pitch;
        for (int32_t x = 0; x < w; ++x) to[x] = toDisplay[from[static_cast<int64_t>(x) * dib.width / w]];
    }
    return true;
}

uint32_t gf_DD_FindPixelValue(const DisplayState& display, Surface* surface, uint32_t rgb) {
    if (surface == nullptr || !surface->exists) return 0xFFFFFFFFu;
    uint8_t* bits = nullptr;
    int32_t pitch = 0;
    // GDI's device context is a lock here: writing a colour stores its nearest palette index.
    bool remembered = false;
    uint8_t previous = 0;
    if (rgb != CLR_INVALID_COLOUR && SurfaceLock(*surface, &bits, &pitch) == DD_OK) {
        previous = bits[0];
        remembered = true;
        bits[0] = NearestPaletteIndex(display.PaletteEntries, rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
        SurfaceUnlock(*surface);
    }
    uint32_t result = 0xFFFFFFFFu;
    int32_t rc;
    while ((rc = SurfaceLock(*surface, &bits, &pitch)) == DDERR_WASSTILLDRAWING) {
    }
    if (rc == DD_OK) {
        result = bits[0]; // the first word masked to the 8 bits of a pixel
        SurfaceUnlock(*surface);
    }
    if (remembered && SurfaceLock(*surface, &bits, &pitch) == DD_OK) {
        bits[0] = previous;
        SurfaceUnlock(*surface);
    }
    return result;
}

void gf_DD_SetSrcKey(const DisplayState& display, Surface* surface, uint32_t rgb) {
    if (surface == nullptr || !surface->exists) return;
    const uint32_t value = gf_DD_FindPixelValue(display, surface, rgb);
    surface->hasColourKey = true;
    surface->keyLow = value;
    surface->keyHigh = value;
}

} // namespace vorna
