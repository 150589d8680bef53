// The about box's animated credit panel as plain data: stars, the orbiting sprites and the credit rows.
#include "app/about_panel.h"
#include "app/version.h"

#include "base/game_math.h"

namespace vorna {

// Names, companies and addresses are this build's own.
const char* const CreditRoll[kCreditRowCount + 1] = {
    " ヴォルナ・テシック Improve",
    " VORNA-TESSIK version " VORNA_VERSION,
    "",
    " 企画 - Planning -",
    "Aki Morishita",
    "",
    " プログラム - Program -",
    "Ren Tachibana",
    "",
    " グラフィック - Graphic -",
    "Mio Kurosaki",
    "",
    " 音楽 - Music -",
    "Sou Hayami",
    "",
    " 協力 - Cooperation -",
    "Nao Ishiguro",
    "Yuu Sakamaki",
    "Try game team colleagues..",
    "Kestrel Soft Laboratory",
    "Hoshizora Digital Works",
    "Monthly Pixel Garden",
    "Game Circuit Weekly",
    "Retro Disk Magazine",
    "and you.",
    "",
    "Tessik Works 1998-2026",
    "",
    "Thank you for playing..",
    nullptr,
};

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
    plan.sprites[0] = AboutSprite{sunX, sunY, 176, 32};
    plan.sprites[1] = AboutSprite{earthX, earthY, 224, 32};
    plan.sprites[2] = AboutSprite{earthX + ScaledCos(angle * 4, 48), earthY + ScaledSin(angle * 4, 48), 272, 32};

    plan.rowCount = 0;
    for (int i = 0; CreditRoll[i] != nullptr; ++i) {
        const int32_t top = height - a.CreditScroll + kCreditRowHeight * i;
        // Once the last row has left the top edge the roll starts again from below at the next paint.
        if (CreditRoll[i + 1] == nullptr && top + kCreditRowHeight < 0) {
            a.CreditScroll = 0;
            break;
        }
        plan.rows[plan.rowCount++] = AboutRow{CreditRoll[i], CreditRoll[i][0] == ' ', top};
    }
}

} // namespace vorna
