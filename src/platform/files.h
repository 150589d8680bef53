// Read-only access to the program's resources and to files, the only I/O the core does.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vorna {

struct ByteView {
    const uint8_t* data;
    size_t size;
};

class Resources {
public:
    virtual ~Resources() = default;
    // A resource embedded in the program (name like "BMP_00", type like "WAVE" or "BITMAP").
    virtual bool Find(const char* name, const char* type, ByteView& out) = 0;
};

constexpr int kNoFile = -1;

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual int Open(const char* path) = 0; // read-only; kNoFile on failure
    virtual bool Size(int file, uint32_t& size) = 0;
    virtual bool Seek(int file, uint32_t offset) = 0;
    // Bytes read (0 at the end), or -1 on error.
    virtual int32_t Read(int file, void* buffer, uint32_t count) = 0;
    virtual void Close(int file) = 0;
    // GetModuleFileNameA: the program's full path, at most size - 1 characters and a zero.
    // Returns the number of characters written (without the zero).
    virtual uint32_t ModuleFileName(char* buffer, uint32_t size) = 0;
};

} // namespace vorna
