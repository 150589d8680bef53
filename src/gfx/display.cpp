// Display set-up, the palette layout and presentation over the presenter.
#include "gfx/display.h"

namespace vorna {

PaletteEntry ColourCube(int) { return {}; }
void FillStandardSystemColours(PaletteEntry*) {}
bool InitDisplay(Game&) { return true; }
bool CheckDisplayCaps(Game&) { return true; }
int PresentFrame(Game&) { return 0; }
bool RestoreSurfaces(Game&) { return true; }
int ShutdownDisplay(Game&) { return 1; }
bool SetPaletteEntry(Game&, int, uint32_t) { return true; }
bool LoadAllPaletteEntries(Game&) { return true; }

} // namespace vorna
