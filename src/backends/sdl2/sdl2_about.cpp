// The version box: a modal second window with the credit panel animated at ten frames a second.
#include "backends/sdl2/sdl2_about.h"

#include <map>
#include <memory>
#include <vector>

#include "app/desktop_rules.h"
#include "backends/sdl2/credit_panel.h"
#include "backends/sdl2/desktop_layout.h"
#include "backends/sdl2/icon_image.h"
#include "backends/sdl2/sdl2_text.h"
#include "platform/embedded_assets.h"

namespace vorna {

namespace {

// The dialog's layout in dialog units, at 1.5 pixels per unit (a 9-point Japanese UI font).
int Du(int units) {
    return units * 3 / 2;
}

constexpr int kDialogW = 234, kDialogH = 229;
constexpr SDL_Color kFace{240, 240, 240, 255};
constexpr SDL_Color kInk{0, 0, 0, 255};

SDL_Rect DuRect(int x, int y, int w, int h) {
    return SDL_Rect{Du(x), Du(y), Du(w), Du(h)};
}

bool Inside(const SDL_Rect& r, int x, int y) {
    return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

void Frame(SDL_Renderer* r, const SDL_Rect& box, SDL_Color topLeft, SDL_Color bottomRight) {
    SDL_SetRenderDrawColor(r, topLeft.r, topLeft.g, topLeft.b, 255);
    SDL_RenderDrawLine(r, box.x, box.y, box.x + box.w - 1, box.y);
    SDL_RenderDrawLine(r, box.x, box.y, box.x, box.y + box.h - 1);
    SDL_SetRenderDrawColor(r, bottomRight.r, bottomRight.g, bottomRight.b, 255);
    SDL_RenderDrawLine(r, box.x, box.y + box.h - 1, box.x + box.w - 1, box.y + box.h - 1);
    SDL_RenderDrawLine(r, box.x + box.w - 1, box.y, box.x + box.w - 1, box.y + box.h - 1);
}

// The sheet as the box reads it: the resource first, then a file BMP_00 in the current folder.
bool LoadSheet(Game& g, DibImage& sheet) {
    ByteView view{};
    if (g.platform.resources != nullptr && g.platform.resources->Find("BMP_00", "BITMAP", view))
        return DecodeDib(view.data, view.size, sheet);
    FileSystem* fs = g.platform.files;
    if (fs == nullptr) return false;
    const int f = fs->Open("BMP_00");
    if (f == kNoFile) return false;
    uint32_t size = 0;
    std::vector<uint8_t> bytes;
    if (fs->Size(f, size) && size < (64u << 20)) {
        bytes.resize(size);
        if (size == 0 || fs->Read(f, bytes.data(), size) != static_cast<int32_t>(size)) bytes.clear();
    }
    fs->Close(f);
    return !bytes.empty() && DecodeDib(bytes.data(), bytes.size(), sheet);
}

class AboutBox {
public:
    AboutBox(Game& g, SDL_Window* owner) : g_(g), owner_(owner), panelText_(12), uiText_(10) {}
    ~AboutBox() {
        for (auto& entry : textCache_) SDL_FreeSurface(entry.second);
        if (panelTexture_ != nullptr) SDL_DestroyTexture(panelTexture_);
        if (iconTexture_ != nullptr) SDL_DestroyTexture(iconTexture_);
        if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
        if (window_ != nullptr) SDL_DestroyWindow(window_);
    }

    bool Open();
    void Run(const std::function<void(const SDL_Event&)>& mainEvent);

private:
    void PaintPanel();
    void Draw();
    void DrawPanelText(const char* text, int x, int y, int w, int h, uint32_t rgb);

    Game& g_;
    SDL_Window* owner_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* panelTexture_ = nullptr;
    SDL_Texture* iconTexture_ = nullptr;
    TextRenderer panelText_;
    TextRenderer uiText_;
    DibImage sheet_;
    bool haveSheet_ = false;
    SDL_Rect panel_{};      // the panel control, frame included
    SDL_Rect panelInner_{}; // its client area
    SDL_Rect close_{};
    bool closePressed_ = false;
    std::vector<uint32_t> panelPixels_;
    AboutPanelPlan plan_{};
    SDL_Surface* panelSurface_ = nullptr; // wraps panelPixels_
    std::map<std::pair<const char*, uint32_t>, SDL_Surface*> textCache_;
};

bool AboutBox::Open() {
    window_ = SDL_CreateWindow(kGameTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Du(kDialogW), Du(kDialogH),
                               SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) return false;
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_ == nullptr) return false;
    if (owner_ != nullptr) SDL_SetWindowModalFor(window_, owner_);

    panel_ = DuRect(5, 85, 225, 105);
    panelInner_ = SDL_Rect{panel_.x + 3, panel_.y + 3, panel_.w - 6, panel_.h - 6};
    close_ = DuRect(90, 200, 50, 20);
    panelPixels_.assign(static_cast<size_t>(panelInner_.w) * static_cast<size_t>(panelInner_.h), 0);
    panelTexture_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, panelInner_.w, panelInner_.h);
    haveSheet_ = LoadSheet(g_, sheet_);

    ByteView view{};
    IconImage icon;
    if (FindEmbeddedAsset("ICN_01", "ICON", view) && DecodeIcon(view.data, view.size, 32, icon)) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon.argb.data(), icon.width, icon.height, 32,
                                                            icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (s != nullptr) {
            iconTexture_ = SDL_CreateTextureFromSurface(renderer_, s);
            SDL_FreeSurface(s);
        }
    }
    AboutDialogOpened(g_);
    PaintPanel();
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    return true;
}

void AboutBox::DrawPanelText(const char* text, int x, int y, int w, int h, uint32_t rgb) {
    const auto key = std::make_pair(text, rgb);
    auto found = textCache_.find(key);
    if (found == textCache_.end()) {
        const SDL_Color c{static_cast<Uint8>(rgb >> 16), static_cast<Uint8>(rgb >> 8), static_cast<Uint8>(rgb), 255};
        found = textCache_.emplace(key, panelText_.Render(text, c)).first;
    }
    SDL_Surface* s = found->second;
    if (s == nullptr || panelSurface_ == nullptr) return;
    SDL_Rect dst{x + (w - s->w) / 2, y + (h - s->h) / 2, s->w, s->h};
    SDL_BlitSurface(s, nullptr, panelSurface_, &dst);
}

void AboutBox::PaintPanel() {
    if (panelTexture_ == nullptr) return;
    // Without the sheet the panel keeps what it showed and nothing moves on, as when the bitmap cannot be made.
    if (!haveSheet_) return;
    panelSurface_ = SDL_CreateRGBSurfaceWithFormatFrom(panelPixels_.data(), panelInner_.w, panelInner_.h, 32,
                                                       panelInner_.w * 4, SDL_PIXELFORMAT_RGB888);
    // W and H count one more than the pixels, as the item rectangle of the panel gives them.
    PlanAboutPanel(g_, panelInner_.w + 1, panelInner_.h + 1, plan_);
    PaintAboutPlan(
        plan_, sheet_, panelPixels_.data(), panelInner_.w, panelInner_.h,
        [this](const char* t, int x, int y, int w, int h, uint32_t rgb) { DrawPanelText(t, x, y, w, h, rgb); });
    if (panelSurface_ != nullptr) SDL_FreeSurface(panelSurface_);
    panelSurface_ = nullptr;
    SDL_UpdateTexture(panelTexture_, nullptr, panelPixels_.data(), panelInner_.w * 4);
}

void AboutBox::Draw() {
    SDL_SetRenderDrawColor(renderer_, kFace.r, kFace.g, kFace.b, 255);
    SDL_RenderClear(renderer_);
    if (iconTexture_ != nullptr) {
        const SDL_Rect at = DuRect(5, 10, 20, 20);
        const SDL_Rect dst{at.x + (at.w - 32) / 2, at.y + (at.h - 32) / 2, 32, 32};
        SDL_RenderCopy(renderer_, iconTexture_, nullptr, &dst);
    }
    uiText_.DrawAt(renderer_, kAboutTitleLine, Du(30), Du(5), kInk);
    uiText_.DrawAt(renderer_, kAboutMakersLine, Du(30), Du(25), kInk);
    uiText_.DrawAt(renderer_, kAboutMailLabel, Du(30), Du(45), kInk);
    uiText_.DrawAt(renderer_, kAboutHomepageLabel, Du(30), Du(65), kInk);
    uiText_.DrawAt(renderer_, kAboutMail, Du(75), Du(45), kInk);
    uiText_.DrawAt(renderer_, kAboutHomepage, Du(75), Du(65), kInk);

    // The panel: a sunken edge inside a modal frame, the painted picture inside.
    Frame(renderer_, panel_, SDL_Color{255, 255, 255, 255}, SDL_Color{105, 105, 105, 255});
    const SDL_Rect edge{panel_.x + 2, panel_.y + 2, panel_.w - 4, panel_.h - 4};
    Frame(renderer_, edge, SDL_Color{105, 105, 105, 255}, SDL_Color{255, 255, 255, 255});
    if (panelTexture_ != nullptr) SDL_RenderCopy(renderer_, panelTexture_, nullptr, &panelInner_);

    // The default push button "&Close".
    SDL_SetRenderDrawColor(renderer_, 225, 225, 225, 255);
    SDL_RenderFillRect(renderer_, &close_);
    SDL_SetRenderDrawColor(renderer_, 0, 120, 215, 255);
    SDL_RenderDrawRect(renderer_, &close_);
    if (closePressed_) {
        const SDL_Rect in{close_.x + 1, close_.y + 1, close_.w - 2, close_.h - 2};
        SDL_RenderDrawRect(renderer_, &in);
    }
    char closeText[16];
    MenuDisplayText(kAboutCloseButton, closeText, sizeof closeText);
    uiText_.DrawCentred(renderer_, closeText, close_, kInk);
    SDL_RenderPresent(renderer_);
}

void AboutBox::Run(const std::function<void(const SDL_Event&)>& mainEvent) {
    const Uint32 id = SDL_GetWindowID(window_);
    Uint32 nextTick = SDL_GetTicks() + kAboutTimerPeriodMs;
    Draw();
    for (bool open = true; open;) {
        const Uint32 now = SDL_GetTicks();
        if (static_cast<int32_t>(now - nextTick) >= 0) {
            nextTick = now + kAboutTimerPeriodMs;
            AboutTimerTick(g_);
            PaintPanel();
            Draw();
            continue;
        }
        SDL_Event e;
        if (!SDL_WaitEventTimeout(&e, static_cast<int>(nextTick - now))) continue;
        switch (e.type) {
        case SDL_QUIT:
            SDL_PushEvent(&e); // handled by the main loop once the box is gone
            open = false;
            break;
        case SDL_WINDOWEVENT:
            if (e.window.windowID == id) {
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) open = false;
                if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                    PaintPanel(); // every paint moves the star field, as on the original panel
                    Draw();
                }
            } else if (e.window.event != SDL_WINDOWEVENT_CLOSE) {
                mainEvent(e); // the owner is disabled while the box is open: only its own upkeep
            }
            break;
        case SDL_KEYDOWN:
            if (e.key.windowID == id &&
                (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER ||
                 e.key.keysym.sym == SDLK_SPACE || e.key.keysym.sym == SDLK_ESCAPE || e.key.keysym.sym == SDLK_c))
                open = false;
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.windowID == id && e.button.button == SDL_BUTTON_LEFT &&
                Inside(close_, e.button.x, e.button.y)) {
                closePressed_ = true;
                Draw();
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (e.button.windowID == id && closePressed_) {
                closePressed_ = false;
                if (Inside(close_, e.button.x, e.button.y)) open = false;
                Draw();
            }
            break;
        case SDL_USEREVENT:
            mainEvent(e);
            break;
        default:
            break;
        }
    }
}

} // namespace

void RunAboutBox(Game& g, SDL_Window* owner, const std::function<void(const SDL_Event&)>& mainEvent) {
    AboutBox box(g, owner);
    if (box.Open()) box.Run(mainEvent);
    if (owner != nullptr) SDL_RaiseWindow(owner);
}

} // namespace vorna
