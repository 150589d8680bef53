// Resources built into the program and read-only access to real files, for the headless backend.
#pragma once
#include <cstdio>
#include <vector>

#include "platform/files.h"

namespace vorna {

class EmbeddedResources : public Resources {
public:
    bool Find(const char* name, const char* type, ByteView& out) override;
};

class HostFileSystem : public FileSystem {
public:
    HostFileSystem() = default;
    HostFileSystem(const HostFileSystem&) = delete;
    HostFileSystem& operator=(const HostFileSystem&) = delete;
    ~HostFileSystem() override;

    int Open(const char* path) override;
    bool Size(int file, uint32_t& size) override;
    bool Seek(int file, uint32_t offset) override;
    int32_t Read(int file, void* buffer, uint32_t count) override;
    void Close(int file) override;
    uint32_t ModuleFileName(char* buffer, uint32_t size) override;

    int OpenCount() const;

private:
    std::FILE* Get(int file) const;
    std::vector<std::FILE*> files_; // index = handle; null once closed
};

} // namespace vorna
