// The review picture of the graphics sheet: every region framed and named, scaled up.
#pragma once
#include <string>

#include "sheet.h"

namespace assetgen {

// Writes DIR/sheet-contact.png.
void WriteContactSheet(const Sheet& sheet, const std::string& dir);

} // namespace assetgen
