// The start-up failure report: the numbered list of failures in one error box.
#include "app/failure_report.h"

#include <cstdio>
#include <cstring>

#include "app/desktop_rules.h"
#include "base/app_state.h"
#include "platform/shell.h"

namespace vorna {

namespace {

struct FailureLine {
    int bit;
    const char* format;
};

// Examined in this order; the lines are numbered among those shown. The joystick bit has no line.
constexpr FailureLine kFailureLines[] = {
    {InitFailedGeneral, "%04d:初期化に失敗しました\n"},
    {InitFailedDisplay, "%04d:DirectDraw初期化に失敗しました\n"},
    {InitFailed3D, "%04d:Direct3D初期化に失敗しました\n"},
    {InitFailedSound, "%04d:DirectSound初期化に失敗しました\n"},
    {InitFailedMidiStream, "%04d:MIDI Stream初期化に失敗しました\n"},
    {InitFailedFile, "%04d:ファイル操作に失敗しました\n"},
    {InitFailedMemory, "%04d:メモリ操作に失敗しました\n"},
    {InitFailedFatal, "%04d:重大エラーが発生しました\n"},
};

constexpr const char* kHeader = "エラーが発生！\n\n";
constexpr const char* kClosing = "\n終了します。";

// Appends without ever writing past the buffer; the text stays zero-terminated, and a cut never
// splits a UTF-8 character. Returns false when the text was cut: nothing more may follow it.
bool Append(char* out, size_t capacity, size_t& length, const char* text) {
    const size_t room = capacity - 1 - length;
    size_t n = std::strlen(text);
    const bool fits = n <= room;
    if (!fits) {
        n = room;
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) --n;
    }
    std::memcpy(out + length, text, n);
    length += n;
    out[length] = '\0';
    return fits;
}

// The longest report (all eight lines) in UTF-8, with room to spare.
constexpr size_t kReportCapacity = 512;

} // namespace

size_t FormatFailureReport(int flags, char* out, size_t capacity) {
    if (out == nullptr || capacity == 0) return 0;
    out[0] = '\0';
    if (flags == 0) return 0;
    size_t length = 0;
    if (!Append(out, capacity, length, kHeader)) return length;
    int number = 1;
    for (const FailureLine& line : kFailureLines) {
        if ((flags & line.bit) == 0) continue;
        char formatted[64];
        std::snprintf(formatted, sizeof formatted, line.format, number);
        if (!Append(out, capacity, length, formatted)) return length;
        ++number;
    }
    Append(out, capacity, length, kClosing);
    return length;
}

int ShowFailureReport(Game& g) {
    if (g.app.InitFailureFlags == 0) return 0;
    char text[kReportCapacity];
    FormatFailureReport(g.app.InitFailureFlags, text, sizeof text);
    // Without a shell there is nobody to tell; the frame driver goes on to shutdown all the same.
    if (g.platform.shell != nullptr) g.platform.shell->MessageBox(text, kGameTitle, MB_ICONERROR_STYLE);
    return 1;
}

} // namespace vorna
