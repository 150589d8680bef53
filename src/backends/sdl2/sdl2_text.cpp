// Text for the menu and the about box: SDL2_ttf with a font that has both Latin and Japanese glyphs.
#include "backends/sdl2/sdl2_text.h"

#include <SDL_ttf.h>

#include <cstdlib>
#include <fstream>

namespace vorna {

std::string FindJapaneseFont() {
    const char* chosen = std::getenv("VORNA_FONT");
    if (chosen != nullptr && std::ifstream(chosen).good()) return chosen;
    static const char* const kCandidates[] = {
        "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
        "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
        "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
        "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
    };
    for (const char* path : kCandidates)
        if (std::ifstream(path).good()) return path;
    return {};
}

TextRenderer::TextRenderer(int pointSize) {
    // TTF_Init and TTF_Quit are counted: each renderer holds one reference for the life of its font.
    if (TTF_Init() != 0) return;
    initialised_ = true;
    const std::string path = FindJapaneseFont();
    if (!path.empty()) font_ = TTF_OpenFont(path.c_str(), pointSize);
}

TextRenderer::~TextRenderer() {
    if (font_ != nullptr) TTF_CloseFont(font_);
    if (initialised_) TTF_Quit();
}

int TextRenderer::LineHeight() const {
    return font_ != nullptr ? TTF_FontLineSkip(font_) : 0;
}

void TextRenderer::Measure(const char* utf8, int& width, int& height) const {
    width = height = 0;
    if (font_ != nullptr && utf8 != nullptr && *utf8 != '\0') TTF_SizeUTF8(font_, utf8, &width, &height);
}

SDL_Surface* TextRenderer::Render(const char* utf8, SDL_Color colour) const {
    if (font_ == nullptr || utf8 == nullptr || *utf8 == '\0') return nullptr;
    return TTF_RenderUTF8_Blended(font_, utf8, colour);
}

void TextRenderer::DrawAt(SDL_Renderer* renderer, const char* utf8, int x, int y, SDL_Color colour) const {
    SDL_Surface* s = Render(utf8, colour);
    if (s == nullptr) return;
    SDL_Texture* t = SDL_CreateTextureFromSurface(renderer, s);
    if (t != nullptr) {
        const SDL_Rect dst{x, y, s->w, s->h};
        SDL_RenderCopy(renderer, t, nullptr, &dst);
        SDL_DestroyTexture(t);
    }
    SDL_FreeSurface(s);
}

void TextRenderer::DrawCentred(SDL_Renderer* renderer, const char* utf8, const SDL_Rect& box, SDL_Color colour) const {
    int w = 0, h = 0;
    Measure(utf8, w, h);
    DrawAt(renderer, utf8, box.x + (box.w - w) / 2, box.y + (box.h - h) / 2, colour);
}

} // namespace vorna
