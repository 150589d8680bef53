// The version box: its texts, and its animated credit panel as a plan of what each paint draws.
#include "app/about_panel.h"
#include "app/version.h"

#include "base/game_math.h"
#include "base/sprite_rects.h"

namespace vorna {

// The makers, the years and the staff are those of the ending's roll; companies, magazines and addresses
// are this build's own.
namespace {
constexpr char kMakers[] = "Quillbex & Dravo 1997-2000";
} // namespace

const char* const kAboutTitleLine = "VORNA-TESSIK Improve  version " VORNA_VERSION;
const char* const kAboutMakersLine = kMakers;
const char* const kAboutMailLabel = "e-mail";
const char* const kAboutMail = "vorna@quillbex.example";
const char* const kAboutHomepageLabel = "homepage";
const char* const kAboutHomepage = "https://quillbex.example/vorna/";
const char* const kAboutCloseButton = "&Close";

const char* const CreditRoll[kCreditRowCount + 1] = {
    " ヴォルナ・テシック Improve",
    " VORNA-TESSIK version " VORNA_VERSION,
    "",
    " 企画 - Planning -",
    "Takeru Omizone",
    "",
    " プログラム - Program -",
    "Takeru Omizone",
    "",
    " グラフィック - Graphic -",
    "Takeru Omizone",
    "",
    " 音楽 - Music -",
    "Takeru Omizone",
    "",
    " 協力 - Cooperation -",
    "Haruki Fenwell",
    "Mirella Kostava",
    "Try game team colleagues..",
    "Kestrel Soft Laboratory",
    "Hoshizora Digital Works",
    "Monthly Pixel Garden",
    "Game Circuit Weekly",
    "Retro Disk Magazine",
    "and you.",
    "",
    kMakers,
    "",
    "Thank you for playing..",
    nullptr,
};

namespace {

constexpr uint32_t kHeaderShadowRgb = 0x000000;
constexpr uint32_t kHeaderLightRgb = 0xD0D0D0;
constexpr uint32_t kHeaderFaceRgb = 0xFFFFFF;
constexpr uint32_t kRowTextRgb = 0x808080;
constexpr uint32_t kRowLightRgb = 0xD0D0D0;
constexpr int32_t kBarTop = 8, kBarBottom = 20;

AboutRect Moved(const AboutRect& r, int32_t dx, int32_t dy) {
    return AboutRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// A header: its bar, the text in black, then moved up-left in light grey and one pixel back right in
// white. Any other row: grey, then one pixel to the right in light grey.
AboutRow PlanRow(const char* text, int32_t width, int32_t top) {
    AboutRow row{};
    row.text = text;
    row.header = text[0] == ' ';
    row.top = top;
    AboutRect box{0, top, width, top + kCreditRowHeight};
    if (row.header) {
        row.hasBar = true;
        row.bar = AboutRect{width / 4, top + kBarTop, width - width / 4, top + kBarBottom};
        row.texts[0] = AboutText{text, box, kHeaderShadowRgb};
        box = Moved(box, -2, -2);
        row.texts[1] = AboutText{text, box, kHeaderLightRgb};
        row.texts[2] = AboutText{text, Moved(box, 1, 0), kHeaderFaceRgb};
        row.textCount = 3;
    } else if (text[0] != '\0') {
        row.texts[0] = AboutText{text, box, kRowTextRgb};
        row.texts[1] = AboutText{text, Moved(box, 1, 0), kRowLightRgb};
        row.textCount = 2;
    }
    return row;
}

} // namespace

void AboutDialogOpened(Game& g) {
    g.about.OrbitX = 10;
    g.about.CreditScroll = 0;
}

void AboutTimerTick(Game& g) {
    g.about.OrbitX += 1;
    g.about.CreditScroll += 1;
}

void PlanAboutPanel(Game& g, int32_t width, int32_t height, AboutPanelPlan& plan) {
    AboutState& a = g.about;
    plan.width = width;
    plan.height = height;
    const int32_t angle = (a.OrbitX & 127) * 2; // one turn every 128 ticks
    a.StarScroll += 1;
    if (a.StarScroll > height) a.StarScroll = 0;

    SeedRandom(g, 11);
    for (AboutStar& s : plan.stars) {
        const int32_t grey = (GameRandom(g) & 127) + 128;
        const int32_t second = GameRandom(g);
        const int32_t third = GameRandom(g);
        // Truncating remainders: a negative value puts the star outside the panel, as it always did.
        const int32_t x = width > 0 ? second % width : 0;
        int32_t y = (height > 0 ? third % height : 0) + a.StarScroll;
        if (y > height) y -= height;
        s = AboutStar{x, y, static_cast<uint8_t>(grey)};
    }

    if (a.OrbitX > width + 200) a.OrbitX = -200;
    const int32_t sunX = a.OrbitX, sunY = a.OrbitX / 8;
    const int32_t earthX = sunX + ScaledCos(angle, 104), earthY = sunY + ScaledSin(angle, 104);
    const SpriteRect* picture = &SpriteRectTable[IntroGlobeSprite]; // sun, earth, moon
    plan.sprites[0] = AboutSprite{sunX, sunY, picture[0].x, picture[0].y};
    plan.sprites[1] = AboutSprite{earthX, earthY, picture[1].x, picture[1].y};
    plan.sprites[2] =
        AboutSprite{earthX + ScaledCos(angle * 4, 48), earthY + ScaledSin(angle * 4, 48), picture[2].x, picture[2].y};

    plan.rowCount = 0;
    for (int i = 0; CreditRoll[i] != nullptr; ++i) {
        const int32_t top = height - a.CreditScroll + kCreditRowHeight * i;
        // Once the last row has left the top edge the roll starts again from below at the next paint.
        if (CreditRoll[i + 1] == nullptr && top + kCreditRowHeight < 0) {
            a.CreditScroll = 0;
            break;
        }
        plan.rows[plan.rowCount++] = PlanRow(CreditRoll[i], width, top);
    }
}

} // namespace vorna
