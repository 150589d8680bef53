// The small Win32 services: clock, message queue, keyboard, joystick, shell, resources and files.
#include "backends/win32/win32_headers.h"

#include "backends/win32/win32_services.h"

#include <cstring>

#include "backends/win32/win32_text.h"

namespace vorna {

uint32_t Win32Clock::NowMs() {
    return timeGetTime();
}

bool Win32MessagePump::Peek() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

bool Win32MessagePump::GetAndDispatch(int& quitCode) {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        quitCode = static_cast<int>(msg.wParam);
        return false;
    }
    // -1 means the queue itself is broken: end rather than spin on it.
    if (got == -1) {
        quitCode = 0;
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void Win32MessagePump::WaitForMessage(uint32_t timeoutMs) {
    const DWORD timeout = timeoutMs == kWaitForever ? INFINITE : static_cast<DWORD>(timeoutMs);
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

bool Win32Keyboard::IsKeyDown(int virtualKey) {
    return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

uint32_t Win32Joystick::GetNumDevs() {
    return joyGetNumDevs();
}

bool Win32Joystick::GetDevCaps(unsigned id, JoystickCaps& caps) {
    JOYCAPSA jc;
    std::memset(&jc, 0, sizeof jc);
    caps = JoystickCaps{};
    if (joyGetDevCapsA(id, &jc, sizeof jc) != JOYERR_NOERROR) return false;
    caps = JoystickCaps{jc.wXmin, jc.wXmax, jc.wYmin, jc.wYmax, jc.wZmin, jc.wZmax, jc.wRmin, jc.wRmax};
    return true;
}

bool Win32Joystick::GetPosition(unsigned id, JoystickPosition& pos) {
    JOYINFOEX info;
    std::memset(&info, 0, sizeof info);
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNZ | JOY_RETURNR | JOY_RETURNBUTTONS | JOY_RETURNCENTERED;
    if (joyGetPosEx(id, &info) != JOYERR_NOERROR) return false;
    pos = JoystickPosition{info.dwXpos, info.dwYpos, info.dwZpos, info.dwRpos, info.dwButtons};
    return true;
}

int Win32Shell::MessageBox(const char* text, const char* caption, unsigned style) {
    // The W call shows the Japanese texts whatever the system's ANSI code page is.
    return MessageBoxW(owner_, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), style);
}

void Win32Shell::DebugOutput(const char* text) {
    OutputDebugStringA(Utf8ToCodePage932(text).c_str());
}

bool Win32Resources::Find(const char* name, const char* type, ByteView& out) {
    if (name == nullptr || type == nullptr) return false;
    LPCSTR resourceType = std::strcmp(type, "BITMAP") == 0 ? MAKEINTRESOURCEA(2) /* RT_BITMAP */ : type;
    HRSRC found = FindResourceA(nullptr, name, resourceType);
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(nullptr, found);
    const DWORD size = SizeofResource(nullptr, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || size == 0) return false;
    out = ByteView{static_cast<const uint8_t*>(data), size};
    return true;
}

Win32FileSystem::~Win32FileSystem() {
    for (HANDLE h : files_)
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

HANDLE Win32FileSystem::Get(int file) const {
    if (file < 0 || static_cast<size_t>(file) >= files_.size()) return INVALID_HANDLE_VALUE;
    return files_[static_cast<size_t>(file)];
}

int Win32FileSystem::Open(const char* path) {
    if (path == nullptr || *path == '\0') return kNoFile;
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kNoFile;
    for (size_t i = 0; i < files_.size(); ++i) {
        if (files_[i] == INVALID_HANDLE_VALUE) {
            files_[i] = h;
            return static_cast<int>(i);
        }
    }
    files_.push_back(h);
    return static_cast<int>(files_.size() - 1);
}

bool Win32FileSystem::Size(int file, uint32_t& size) {
    HANDLE h = Get(file);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length;
    // Our files are small; one beyond 4 GiB is not one of ours.
    if (!GetFileSizeEx(h, &length) || length.QuadPart > 0xFFFFFFFFLL) return false;
    size = static_cast<uint32_t>(length.QuadPart);
    return true;
}

bool Win32FileSystem::Seek(int file, uint32_t offset) {
    HANDLE h = Get(file);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return SetFilePointerEx(h, to, nullptr, FILE_BEGIN) != 0;
}

int32_t Win32FileSystem::Read(int file, void* buffer, uint32_t count) {
    HANDLE h = Get(file);
    if (h == INVALID_HANDLE_VALUE || (buffer == nullptr && count != 0)) return -1;
    if (count > 0x7FFFFFFFu) count = 0x7FFFFFFFu; // the result must fit its signed type
    DWORD got = 0;
    if (!ReadFile(h, buffer, count, &got, nullptr)) return -1;
    return static_cast<int32_t>(got);
}

void Win32FileSystem::Close(int file) {
    HANDLE h = Get(file);
    if (h == INVALID_HANDLE_VALUE) return;
    CloseHandle(h);
    files_[static_cast<size_t>(file)] = INVALID_HANDLE_VALUE;
}

uint32_t Win32FileSystem::ModuleFileName(char* buffer, uint32_t size) {
    if (buffer == nullptr || size == 0) return 0;
    const DWORD n = GetModuleFileNameA(nullptr, buffer, size);
    // A truncated name comes back without its terminator on older systems: terminate it ourselves.
    if (n >= size) {
        buffer[size - 1] = '\0';
        return size - 1;
    }
    return n;
}

} // namespace vorna
