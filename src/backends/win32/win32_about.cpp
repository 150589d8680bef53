// The about box: dialog 115 with its owner-drawn credit panel painted with GDI.
#include "backends/win32/win32_headers.h"

#include "backends/win32/win32_about.h"

#include "app/about_panel.h"
#include "backends/win32/win32_text.h"

namespace vorna {
namespace {

constexpr UINT_PTR kAboutTimer = 1234;
constexpr UINT kAboutTimerPeriodMs = 100;
constexpr int kCreditCanvas = 1000;
constexpr UINT kRowTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

Game* g_aboutGame = nullptr;

void DrawRowText(HDC dc, const wchar_t* text, RECT& r, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &r, kRowTextFormat);
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
    FillRect(canvasDc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    AboutPanelPlan plan;
    PlanAboutPanel(g, w, h, plan);
    for (const AboutStar& s : plan.stars) SetPixel(canvasDc, s.x, s.y, RGB(s.grey, s.grey, s.grey));
    for (const AboutSprite& s : plan.sprites)
        BitBlt(canvasDc, s.x, s.y, kAboutSpriteSize, kAboutSpriteSize, sheetDc, s.sheetX, s.sheetY, SRCCOPY);
    for (int i = 0; i < plan.rowCount; ++i) {
        const AboutRow& row = plan.rows[i];
        const std::wstring text = Utf8ToWide(row.text);
        RECT r{0, row.top, w, row.top + kCreditRowHeight};
        if (row.header) {
            RECT bar{w / 4, row.top + 8, w - w / 4, row.top + 20};
            FillRect(canvasDc, &bar, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
            DrawRowText(canvasDc, text.c_str(), r, RGB(0, 0, 0));
            OffsetRect(&r, -2, -2);
            DrawRowText(canvasDc, text.c_str(), r, RGB(0xD0, 0xD0, 0xD0));
            OffsetRect(&r, 1, 0);
            DrawRowText(canvasDc, text.c_str(), r, RGB(0xFF, 0xFF, 0xFF));
        } else {
            DrawRowText(canvasDc, text.c_str(), r, RGB(0x80, 0x80, 0x80));
            OffsetRect(&r, 1, 0);
            DrawRowText(canvasDc, text.c_str(), r, RGB(0xD0, 0xD0, 0xD0));
        }
    }

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

} // namespace

void SetAboutGame(Game* game) {
    g_aboutGame = game;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
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
