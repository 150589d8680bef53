// What every desktop program shows alike: the title, the boxes' texts and the close policy.
#pragma once

#include "base/game.h"

namespace vorna {

// The window's title and the caption of every box the game shows.
extern const char* const kGameTitle;
// The window class a second start looks for to find the first.
extern const char* const kWindowClassName;
// The main window could not be made (UTF-8).
extern const char* const kInitFailedText;
// A window needs a 256-colour desktop: offers full screen instead.
extern const char* const kColourQuestionText;
// The quit question asked before a window closes.
extern const char* const kQuitQuestionText;

// The buttons of a box drawn by the program itself (where the system's boxes have their own).
extern const char* const kYesButtonText;
extern const char* const kNoButtonText;
extern const char* const kOkButtonText;

// Whether closing the main window may go ahead: at once in full screen, in a window only after Yes to
// the quit question asked through shell. Without a shell nobody can be asked: the window closes.
bool ConfirmClose(const Game& g, Shell* shell);

// Shows the box that the main window could not be made, through shell when there is one.
void ReportWindowCreationFailed(Shell* shell);

} // namespace vorna
