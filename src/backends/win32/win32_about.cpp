// The about box: dialog 115 with its owner-drawn credit panel painted with GDI.
#include "backends/win32/win32_headers.h"

#include "backends/win32/win32_about.h"

#include "app/about_panel.h"
#include "app/desktop_rules.h"
#include "backends/win32/win32_text.h"

namespace vorna {
namespace {

constexpr UINT_PTR kAboutTimer = 1234;
constexpr int kCreditCanvas = 1000;
// The static texts of dialog 115 (vorna.rc.in).
constexpr int kTitleLineId = 1001, kMakersLineId = 1002, kMailLabelId = 1003, kHomepageLabelId = 1004, kMailId = 1005,
              kHomepageId = 1006;
constexpr UINT kRowTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

Game* g_aboutGame = nullptr;

RECT ToRect(const AboutRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

COLORREF ToColour(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void FillWith(HDC dc, const RECT& r, uint32_t rgb) {
    SetDCBrushColor(dc, ToColour(rgb));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void PaintPlan(HDC canvasDc, HDC sheetDc, const AboutPanelPlan& plan) {
    for (const AboutStar& s : plan.stars) SetPixel(canvasDc, s.x, s.y, RGB(s.grey, s.grey, s.grey));
    for (const AboutSprite& s : plan.sprites)
        BitBlt(canvasDc, s.x, s.y, kAboutSpriteSize, kAboutSpriteSize, sheetDc, s.sheetX, s.sheetY, SRCCOPY);
    for (int i = 0; i < plan.rowCount; ++i) {
        const AboutRow& row = plan.rows[i];
        if (row.hasBar) FillWith(canvasDc, ToRect(row.bar), kAboutBarRgb);
        if (row.textCount == 0) continue;
        const std::wstring text = Utf8ToWide(row.text);
        for (int t = 0; t < row.textCount; ++t) {
            RECT r = ToRect(row.texts[t].box);
            SetTextColor(canvasDc, ToColour(row.texts[t].rgb));
            DrawTextW(canvasDc, text.c_str(), -1, &r, kRowTextFormat);
        }
    }
}

void PaintPanel(Game& g, const DRAWITEMSTRUCT& item) {
    const int32_t w = item.rcItem.right - item.rcItem.left + 1;
    const int32_t h = item.rcItem.bottom - item.rcItem.top + 1;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HDC sheetDc = CreateCompatibleDC(item.hDC);
    HBITMAP sheet = LoadBitmapA(instance, "BMP_00");
    HDC canvasDc = CreateCompatibleDC(item.hDC);
    HBITMAP canvas = CreateCompatibleBitmap(item.hDC, w, h);
    if (sheetDc == nullptr || sheet == nullptr || canvasDc == nullptr || canvas == nullptr) {
        if (canvas != nullptr) DeleteObject(canvas);
        if (canvasDc != nullptr) DeleteDC(canvasDc);
        if (sheet != nullptr) DeleteObject(sheet);
        if (sheetDc != nullptr) DeleteDC(sheetDc);
        return;
    }
    HGDIOBJ oldSheet = SelectObject(sheetDc, sheet);
    HGDIOBJ oldCanvas = SelectObject(canvasDc, canvas);
    const int oldMode = SetBkMode(canvasDc, TRANSPARENT);
    const COLORREF oldColour = GetTextColor(canvasDc);
    FillWith(canvasDc, item.rcItem, kAboutBackgroundRgb);

    AboutPanelPlan plan;
    PlanAboutPanel(g, w, h, plan);
    PaintPlan(canvasDc, sheetDc, plan);

    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, w, h, canvasDc, 0, 0, SRCCOPY);
    SetBkMode(canvasDc, oldMode);
    SetTextColor(canvasDc, oldColour);
    SelectObject(canvasDc, oldCanvas);
    SelectObject(sheetDc, oldSheet);
    DeleteDC(canvasDc);
    DeleteDC(sheetDc);
    DeleteObject(canvas);
    DeleteObject(sheet);
}

// The dialog resource holds the layout only; its texts come from the one place both programs share.
void SetDialogTexts(HWND dialog) {
    SetWindowTextW(dialog, Utf8ToWide(kGameTitle).c_str());
    const struct {
        int id;
        const char* text;
    } texts[] = {
        {IDOK, kAboutCloseButton},       {kTitleLineId, kAboutTitleLine},         {kMakersLineId, kAboutMakersLine},
        {kMailLabelId, kAboutMailLabel}, {kHomepageLabelId, kAboutHomepageLabel}, {kMailId, kAboutMail},
        {kHomepageId, kAboutHomepage},
    };
    for (const auto& t : texts) SetDlgItemTextW(dialog, t.id, Utf8ToWide(t.text).c_str());
}

} // namespace

void SetAboutGame(Game* game) {
    g_aboutGame = game;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetDialogTexts(dialog);
        if (g_aboutGame != nullptr) AboutDialogOpened(*g_aboutGame);
        SetTimer(dialog, kAboutTimer, kAboutTimerPeriodMs, nullptr);
        return 1;
    case WM_TIMER:
        if (wParam != kAboutTimer) return 0;
        if (g_aboutGame != nullptr) AboutTimerTick(*g_aboutGame);
        InvalidateRect(GetDlgItem(dialog, kCreditCanvas), nullptr, TRUE);
        return 1;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item != nullptr && item->CtlID == kCreditCanvas && g_aboutGame != nullptr) PaintPanel(*g_aboutGame, *item);
        return 1;
    }
    case WM_CTLCOLORBTN:
        // No background is painted under the panel.
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, kCreditCanvas))
            return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
        return 1;
    case WM_CLOSE:
        EndDialog(dialog, 1);
        return 1;
    case WM_DESTROY:
        KillTimer(dialog, kAboutTimer);
        return 1;
    default:
        return 0;
    }
}

} // namespace vorna
