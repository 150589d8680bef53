// The program's icon as PNG pictures for the desktop's icon theme.
#pragma once
#include <string>
#include <vector>

namespace assetgen {

// Writes DIR/vorna-SIZE.png for each size (square, RGBA), from the same pictures as the Windows icon.
void WriteIconPngs(const std::string& dir, const std::vector<int>& sizes);

} // namespace assetgen
