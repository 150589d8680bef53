// Scales the 320 × 240 palette indices straight into 32-bit pixels of any size, in one pass.
#pragma once
#include <cstdint>
#include <vector>

namespace vorna {

// Nearest neighbour by the game's one stretching rule: destination column x shows source column
// x * sourceWidth / width (and the same for rows), so any size equals the headless frame scaled alike.
class PaletteScaler {
public:
    // Writes width × height pixels of lookup[index] to out (pitch in bytes); width and height of at
    // least one. Rows that repeat a source row are copied, not converted again.
    void Scale(const uint8_t* indices, int sourceWidth, int sourceHeight, const uint32_t lookup[256], uint8_t* out,
               int pitch, int width, int height);
    // How many destination rows the last Scale converted through the palette (the others were copies).
    int ConvertedRows() const { return convertedRows_; }

    // A rectangle of source pixels: columns [left, right), rows [top, bottom).
    struct PixelRect {
        int left, top, right, bottom;
    };
    // For a picture (each source pixel as factor × factor pixels) that already shows `shown` through the
    // same lookup: converts only the runs of kGroupPixels pixels whose indices differ from `shown`, and
    // brings `shown` up to date. Most of a frame is still from one frame to the next, and what is not
    // written costs no memory traffic here nor copying in the display server. Adds to `changed` one
    // rectangle for each band of kBandRows rows that changed (the extent of its changes), for the display
    // to take only those. Returns how many runs it wrote.
    static int UpdateChanged(const uint8_t* indices, uint8_t* shown, int width, int height, int factor,
                             const uint32_t lookup[256], uint8_t* out, int pitch, std::vector<PixelRect>& changed);
    static constexpr int kGroupPixels = 8;
    static constexpr int kBandRows = 8; // few rectangles, each a request to the display server

private:
    std::vector<int> columns_; // source column of each destination column, kept while the size holds
    int columnsFor_ = -1;      // the destination width columns_ was made for
    int columnsFrom_ = -1;     // and the source width
    int convertedRows_ = 0;
};

} // namespace vorna
