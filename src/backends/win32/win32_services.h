// The small Win32 services: clock, message queue, keyboard, joystick, shell, resources and files.
#pragma once
#include "backends/win32/win32_headers.h"

#include <vector>

#include "platform/platform.h"

namespace vorna {

class Win32Clock : public Clock {
public:
    uint32_t NowMs() override;
};

class Win32MessagePump : public MessagePump {
public:
    bool Peek() override;
    bool GetAndDispatch(int& quitCode) override;
    void WaitForMessage(uint32_t timeoutMs) override;
};

class Win32Keyboard : public Keyboard {
public:
    bool IsKeyDown(int virtualKey) override;
};

class Win32Joystick : public Joystick {
public:
    uint32_t GetNumDevs() override;
    bool GetDevCaps(unsigned id, JoystickCaps& caps) override;
    bool GetPosition(unsigned id, JoystickPosition& pos) override;
};

class Win32Shell : public Shell {
public:
    // Message boxes belong to the main window once it exists.
    void SetOwner(HWND owner) { owner_ = owner; }
    int MessageBox(const char* text, const char* caption, unsigned style) override;
    void DebugOutput(const char* text) override;

private:
    HWND owner_ = nullptr;
};

// Resources of the executable: BITMAP is the standard bitmap type, anything else a named custom type.
class Win32Resources : public Resources {
public:
    bool Find(const char* name, const char* type, ByteView& out) override;
};

class Win32FileSystem : public FileSystem {
public:
    ~Win32FileSystem() override;
    int Open(const char* path) override;
    bool Size(int file, uint32_t& size) override;
    bool Seek(int file, uint32_t offset) override;
    int32_t Read(int file, void* buffer, uint32_t count) override;
    void Close(int file) override;
    uint32_t ModuleFileName(char* buffer, uint32_t size) override;

private:
    HANDLE Get(int file) const;
    std::vector<HANDLE> files_;
};

} // namespace vorna
