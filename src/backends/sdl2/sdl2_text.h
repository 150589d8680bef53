// Text for the menu and the about box: SDL2_ttf with a font that has both Latin and Japanese glyphs.
#pragma once
#include <SDL.h>

#include <string>

typedef struct _TTF_Font TTF_Font;

namespace vorna {

// The first Japanese-capable font found ($VORNA_FONT first, then the IPA Gothic fonts from Debian); empty when none.
std::string FindJapaneseFont();

class TextRenderer {
public:
    explicit TextRenderer(int pointSize);
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;
    ~TextRenderer();

    bool Ready() const { return font_ != nullptr; }
    int LineHeight() const;
    // The text's size in pixels (0 x 0 without a font).
    void Measure(const char* utf8, int& width, int& height) const;
    // A new surface with the text in the colour on a transparent background, or null.
    SDL_Surface* Render(const char* utf8, SDL_Color colour) const;
    // Draws the text centred in the rectangle of the renderer.
    void DrawCentred(SDL_Renderer* renderer, const char* utf8, const SDL_Rect& box, SDL_Color colour) const;
    void DrawAt(SDL_Renderer* renderer, const char* utf8, int x, int y, SDL_Color colour) const;

private:
    TTF_Font* font_ = nullptr;
    bool initialised_ = false;
};

} // namespace vorna
