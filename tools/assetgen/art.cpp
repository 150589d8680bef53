// Where every picture goes on the graphics sheet, and the icon's pictures.
#include "art.h"
#include "gfx/sheet_text.h"

namespace assetgen {

void BuildSheet(Sheet& sheet, const std::string& assetDir) {
    int widths[26];
    for (int k = 0; k < 26; ++k) widths[k] = vorna::GlyphStartTable[k + 1] - vorna::GlyphStartTable[k] - 1;
    const Font font = LoadFont(assetDir + "/font/glyphs.txt", widths);
    PlaceFont(sheet, font);

    for (const TextSprite& s : LoadTextSprites(assetDir + "/sprites/hud.txt")) {
        if (s.name == "up_arrow")
            sheet.Place(RectOf(vorna::UpArrowSprite, "up arrow"), s.picture, false);
        else if (s.name == "down_arrow")
            sheet.Place(RectOf(vorna::DownArrowSprite, "down arrow"), s.picture, false);
        else
            Fail(assetDir + "/sprites/hud.txt", 0, "sprite " + s.name + " has no place on the sheet");
    }

    sheet.Place(RectOf(vorna::TitleLogo, "title grey"), TitleGrey(font), false);
    sheet.Place(RectOf(vorna::TitleLogoColour, "title colour"), TitleColour(font), false);
    sheet.Place(RectOf(vorna::MakerLogo, "maker logo"), MakerLogo(font), false);
    sheet.Place(RectOf(vorna::GameOverPicture, "game over"), GameOver(font), false);
    const char* globeNames[3] = {"sun", "earth", "moon"};
    for (int k = 0; k < 3; ++k) sheet.Place(RectOf(vorna::IntroGlobeSprite + k, globeNames[k]), Globe(k), true);
    const char* blockNames[4] = {"red block", "green block", "blue block", "stone block"};
    for (int k = 0; k < 4; ++k) sheet.Place(RectOf(vorna::BlockSprite + k, blockNames[k]), Block(k), true);
    for (int k = 0; k < 2; ++k)
        sheet.Place(RectOf(vorna::VornaSprite + k, "vorna " + std::to_string(k)), Vorna(k), false);
    for (int k = 0; k < 4; ++k)
        sheet.Place(RectOf(vorna::ExplosionSprite + k, "explosion " + std::to_string(k)), Explosion(k), true);
    for (int k = 0; k < 2; ++k) sheet.Place(RectOf(vorna::RockSprite + k, "rock " + std::to_string(k)), Rock(k), true);
    for (int k = 0; k < 8; ++k)
        sheet.Place(RectOf(vorna::DebrisSprite + k, "debris " + std::to_string(k)), Debris(k), false);
    for (int k = 0; k < 8; ++k) sheet.Place(RectOf(vorna::StarSprite + k, "star " + std::to_string(k)), Star(k), false);
    for (int k = 0; k < 4; ++k)
        sheet.Place(RectOf(vorna::GaugeSprite + k, "gauge " + std::to_string(k)), Gauge(k), false);
    sheet.Place(RectOf(vorna::SparkSprite, "spark"), Spark(), false);
    sheet.Place(Region{"dots", 0, 16, 96, 16}, Dots(), false);
    sheet.Place(Region{"ring", 96, 16, 16, 16}, Ring(), false);
    sheet.Place(Region{"sparkles", 128, 208, 48, 16}, Sparkles(), false);
    sheet.Place(Region{"fireball", 160, 176, 16, 32}, Fireball(91), true);
    sheet.Place(Region{"comet", 304, 208, 16, 32}, Fireball(93), true);
    sheet.Place(Region{"stick figure", 22, 208, 26, 32}, StickFigure(), false);
}

// The icon's pictures: the earth as the game shows it, shrunk.
Picture IconPicture(int size) {
    // Sizes above the sheet's are shaded afresh at twice the size, so that shrinking smooths the rim.
    const Picture big = Globe(1, size <= kGlobeSize ? kGlobeSize : 2 * size);
    const int from = big.w;
    Picture p(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Colour sum{0, 0, 0, 0};
            int n = 0;
            for (int sy = y * from / size; sy < (y + 1) * from / size; ++sy)
                for (int sx = x * from / size; sx < (x + 1) * from / size; ++sx, ++n) {
                    const Colour& c = big.At(sx, sy);
                    sum.r += c.r * c.a, sum.g += c.g * c.a, sum.b += c.b * c.a, sum.a += c.a;
                }
            if (sum.a > 0) p.At(x, y) = Colour{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n};
        }
    return p;
}

} // namespace assetgen
