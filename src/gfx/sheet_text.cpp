// Text in the sheet's own capital-letter font.
#include "gfx/sheet_text.h"

#include "gfx/primitives.h"

namespace vorna {

// Sheet x of A..Z on row 0, then the end of Z: each glyph is one column narrower than its slot.
const int32_t GlyphStartTable[27] = {0,   11,  22,  33,  44,  54,  64,  75,  87,  95,  106, 118, 127, 142,
                                     155, 165, 177, 188, 199, 208, 218, 229, 240, 255, 266, 277, 288};

namespace {

constexpr int32_t kGlyphHeight = 16;
constexpr int32_t kDigitRow = 208;
constexpr int32_t kDigitLeft = 48;
constexpr int32_t kDigitWidth = 8;
constexpr int32_t kSpaceWidth = 8;

int BlitFromSheet(const DisplayContext& c, const ScreenRect& source, const ScreenRect& destination) {
    return gf_DD_Blt(c, SheetOf(c.display), source, BackBufferOf(c.display), destination);
}

} // namespace

int DrawSheetText(const DisplayContext& display, const char* text, int32_t x, int32_t y) {
    if (text == nullptr) return 1;
    int32_t pen = x;
    for (const char* p = text; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 'A' && c <= 'Z') {
            const int32_t start = GlyphStartTable[c - 'A'];
            const int32_t width = GlyphStartTable[c - 'A' + 1] - start - 1;
            BlitFromSheet(display, {start, 0, width, kGlyphHeight}, {pen, y, width, kGlyphHeight});
            pen += width;
        } else if (c >= '0' && c <= '9') {
            BlitFromSheet(display, {kDigitLeft + kDigitWidth * (c - '0'), kDigitRow, kDigitWidth, kGlyphHeight},
                          {pen, y, kDigitWidth, kGlyphHeight});
            pen += kDigitWidth;
        } else if (c == ' ') {
            pen += kSpaceWidth;
        }
        // Every other byte (lower case, punctuation, double-byte text) is dropped without moving the pen.
    }
    return 1;
}

} // namespace vorna
