// The version box: its texts, and its animated credit panel as a plan of what each paint draws.
#pragma once
#include <cstdint>

#include "base/game.h"

namespace vorna {

// The box's own lines beside the panel (UTF-8); its caption is the game's title.
extern const char* const kAboutTitleLine; // the title and the version
extern const char* const kAboutMakersLine;
extern const char* const kAboutMailLabel;
extern const char* const kAboutMail;
extern const char* const kAboutHomepageLabel;
extern const char* const kAboutHomepage;
extern const char* const kAboutCloseButton; // with its '&' mnemonic

constexpr int kCreditRowCount = 29;
// The 29 credit rows and a closing null; a row starting with a space is a section header.
extern const char* const CreditRoll[kCreditRowCount + 1];

constexpr int kAboutStarCount = 256;
constexpr int32_t kAboutSpriteSize = 47;
constexpr int32_t kCreditRowHeight = 32;
constexpr uint32_t kAboutTimerPeriodMs = 100;

// Colours as 0xRRGGBB.
constexpr uint32_t kAboutBackgroundRgb = 0x000000; // the black stock brush
constexpr uint32_t kAboutBarRgb = 0x404040;        // the dark-grey stock brush under a header

struct AboutStar {
    int32_t x, y;
    uint8_t grey;
};

struct AboutSprite {
    int32_t x, y;           // on the panel
    int32_t sheetX, sheetY; // top-left of the 47 x 47 picture on the graphics sheet
};

// Right and bottom exclusive.
struct AboutRect {
    int32_t left, top, right, bottom;
};

// One text drawn centred on a single line in its box.
struct AboutText {
    const char* text; // UTF-8
    AboutRect box;
    uint32_t rgb;
};

constexpr int kMaxRowTexts = 3;

struct AboutRow {
    const char* text; // UTF-8
    bool header;
    int32_t top; // the row's rectangle is (0, top, W, top + 32)
    bool hasBar;
    AboutRect bar; // filled with kAboutBarRgb before the texts
    int textCount; // an empty row draws no text
    AboutText texts[kMaxRowTexts];
};

// One paint of the panel, in drawing order: the background, the stars (single pixels), the sprites
// (plain copies, their black included), then each row's bar and texts.
struct AboutPanelPlan {
    int32_t width, height; // W and H: the item rectangle's right - left + 1 and bottom - top + 1
    AboutStar stars[kAboutStarCount];
    AboutSprite sprites[3]; // sun, earth, moon
    AboutRow rows[kCreditRowCount];
    int rowCount;
};

// The dialog opens: the sun and the roll start again; the star field keeps its offset.
void AboutDialogOpened(Game& g);
// One tick of the dialog's 100 ms timer.
void AboutTimerTick(Game& g);
// Advances the paint-driven state and works out what one paint of a W x H panel draws. Re-seeds the
// game's random generator with 11, as the panel always did.
void PlanAboutPanel(Game& g, int32_t width, int32_t height, AboutPanelPlan& plan);

} // namespace vorna
