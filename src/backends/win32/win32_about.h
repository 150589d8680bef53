// The about box: dialog 115 with its owner-drawn credit panel painted with GDI.
#pragma once
#include "backends/win32/win32_headers.h"

namespace vorna {

struct Game;
// Set once by the program: the dialog procedure animates this game's about state.
void SetAboutGame(Game* game);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace vorna
