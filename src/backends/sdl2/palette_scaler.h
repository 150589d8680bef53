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

    // For a picture at its own size that already shows `shown` through the same lookup: converts only
    // the runs of kGroupPixels pixels whose indices differ from `shown`, and brings `shown` up to date.
    // Most of a frame is still from one frame to the next; what is not written costs no memory traffic.
    // Returns how many runs it wrote.
    static int UpdateChanged(const uint8_t* indices, uint8_t* shown, int width, int height, const uint32_t lookup[256],
                             uint8_t* out, int pitch);
    static constexpr int kGroupPixels = 8;

private:
    std::vector<int> columns_; // source column of each destination column, kept while the size holds
    int columnsFor_ = -1;      // the destination width columns_ was made for
    int columnsFrom_ = -1;     // and the source width
    int convertedRows_ = 0;
};

} // namespace vorna
