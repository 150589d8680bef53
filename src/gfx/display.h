// Display set-up, the palette layout and presentation over the presenter.
#pragma once
#include <cstdint>

#include "base/display_state.h"

namespace vorna {

// Display set-up result codes (the number in the debug line).
enum DisplayInitCode : int32_t {
    DisplayOk = 0,
    DisplayCooperativeLevelFailed = 1,
    DisplayPrimaryFailed = 2,
    DisplayFlipSurfaceFailed = 3,
    DisplayBackBufferFailed = 7,
    DisplayPaletteCreateFailed = 8,
    DisplayPaletteAttachFailed = 9,
    DisplayFrameClipperFailed = 16,
    DisplayClipListFailed = 17,
    DisplayClipperAttachFailed = 18,
    DisplayWindowClipperFailed = 19,
    DisplayClipperBindFailed = 20,
    DisplayWindowClipperAttachFailed = 21,
    DisplayCreateFailed = 31,
    DisplayCapsFailed = 32,
    DisplayModeFailed = 33,
};

PaletteEntry ColourCube(int i);
// The standard static colours for the reserved entries 0-9 and 246-255, where no system palette exists.
void FillStandardSystemColours(PaletteEntry entries[256]);

// The display needs only its own state, the presenter and the shell: the caller turns a failed set-up
// into its failure flag, and the window's client area is handed in for presentation.
bool InitDisplay(const DisplayContext& c);
bool CheckDisplayCaps(Presenter* presenter, Shell* shell);
int PresentFrame(const DisplayContext& c, const ClientArea& client);
bool RestoreSurfaces(const DisplayContext& c);
int ShutdownDisplay(const DisplayContext& c);
bool SetPaletteEntry(const DisplayContext& c, int index, uint32_t rgb);
bool LoadAllPaletteEntries(const DisplayContext& c);

} // namespace vorna
