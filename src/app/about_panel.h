// The about box's animated credit panel as plain data: stars, the orbiting sprites and the credit rows.
#pragma once
#include <cstdint>

#include "base/game.h"

namespace vorna {

constexpr int kCreditRowCount = 29;
// The 29 credit rows and a closing null; a row starting with a space is a section header.
extern const char* const CreditRoll[kCreditRowCount + 1];

constexpr int kAboutStarCount = 256;
constexpr int32_t kAboutSpriteSize = 47;
constexpr int32_t kCreditRowHeight = 32;

struct AboutStar {
    int32_t x, y;
    uint8_t grey;
};

struct AboutSprite {
    int32_t x, y;           // on the panel
    int32_t sheetX, sheetY; // top-left of the 47 x 47 picture on the graphics sheet
};

struct AboutRow {
    const char* text; // UTF-8
    bool header;
    int32_t top; // the row's rectangle is (0, top, W, top + 32)
};

// One paint of the panel, in drawing order.
struct AboutPanelPlan {
    AboutStar stars[kAboutStarCount];
    AboutSprite sprites[3]; // sun, earth, moon
    AboutRow rows[kCreditRowCount];
    int rowCount;
};

// WM_INITDIALOG: the sun and the roll start again; the star field keeps its offset.
void AboutDialogOpened(Game& g);
// One tick of the dialog's 100 ms timer.
void AboutTimerTick(Game& g);
// Advances the paint-driven state and works out what one paint of a W x H panel draws. Re-seeds the
// game's random generator with 11, as the panel always did.
void PlanAboutPanel(Game& g, int32_t width, int32_t height, AboutPanelPlan& plan);

} // namespace vorna
