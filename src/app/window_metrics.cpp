// The main window's rules: its menu, the client sizes of the size commands, initial size and centring.
#include "app/window_metrics.h"

namespace vorna {

const SizeCommand kSizeCommands[kSizeCommandCount] = {
    {CmdSmallSize, 320, 240}, {CmdNormalSize, 480, 360}, {CmdBigSize, 640, 480},
    {CmdWideSize, 640, 240},  {CmdArcadeSize, 320, 480},
};

const MenuItem kMenuItems[kMenuItemCount] = {
    {CmdSmallSize, "小さいサイズ(&R)"},     {CmdNormalSize, "通常サイズ(&O)"},       {CmdBigSize, "大きいサイズ(&B)"},
    {CmdWideSize, "ワイドサイズ(&W)"},      {CmdArcadeSize, "アーケードサイズ(&H)"}, {CmdNone, ""},
    {CmdVersionInfo, "バージョン情報(&V)"},
};

bool ClientSizeForCommand(int id, int32_t& width, int32_t& height) {
    for (const SizeCommand& c : kSizeCommands) {
        if (c.id == id) {
            width = c.clientWidth;
            height = c.clientHeight;
            return true;
        }
    }
    return false;
}

SizeRect SizeRectForClient(const WindowState& w, int32_t clientWidth, int32_t clientHeight) {
    return SizeRect{0, 0, w.BorderX + clientWidth, w.BorderY + clientHeight};
}

int32_t CentredOrigin(int32_t screenExtent, int32_t windowExtent) {
    if (windowExtent > screenExtent) return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(screenExtent - windowExtent) / 2u);
}

void InitialWindowGeometry(WindowState& w, int32_t frameWidth, int32_t captionHeight) {
    w.BorderX = frameWidth;
    w.BorderY = frameWidth + captionHeight;
    w.ClientWidth = w.BorderX + kInitialClientWidth;
    w.ClientHeight = w.BorderY + kInitialClientHeight;
    w.ClientX = CentredOrigin(w.ScreenWidth, w.ClientWidth);
    w.ClientY = CentredOrigin(w.ScreenHeight, w.ClientHeight);
}

int32_t SignedLowWord(uint32_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFFu));
}

int32_t SignedHighWord(uint32_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(value >> 16));
}

void MenuDisplayText(const char* text, char* out, int capacity) {
    if (capacity <= 0) return;
    int n = 0;
    for (const char* p = text; *p != '\0' && n < capacity - 1; ++p) {
        if (*p == '&') continue;
        out[n++] = *p;
    }
    out[n] = '\0';
}

} // namespace vorna
