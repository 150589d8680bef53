// Resources built into the program and read-only access to real files, for the headless backend.
#include "backends/headless/headless_files.h"

#include <cstring>
#include <limits>

#include "platform/embedded_assets.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vorna {

bool EmbeddedResources::Find(const char* name, const char* type, ByteView& out) {
    if (!name || !type) return false;
    return FindEmbeddedAsset(name, type, out);
}

HostFileSystem::~HostFileSystem() {
    for (std::FILE* f : files_)
        if (f) std::fclose(f);
}

std::FILE* HostFileSystem::Get(int file) const {
    if (file < 0 || static_cast<size_t>(file) >= files_.size()) return nullptr;
    return files_[static_cast<size_t>(file)];
}

int HostFileSystem::Open(const char* path) {
    if (!path || !*path) return kNoFile;
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return kNoFile;
    for (size_t i = 0; i < files_.size(); ++i) {
        if (!files_[i]) {
            files_[i] = f;
            return static_cast<int>(i);
        }
    }
    files_.push_back(f);
    return static_cast<int>(files_.size() - 1);
}

bool HostFileSystem::Size(int file, uint32_t& size) {
    std::FILE* f = Get(file);
    if (!f) return false;
    long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return false;
    long end = std::ftell(f);
    std::fseek(f, here, SEEK_SET);
    // A file too large for a 32-bit size is reported as an error rather than a wrapped size.
    if (end < 0 || static_cast<unsigned long>(end) > std::numeric_limits<uint32_t>::max()) return false;
    size = static_cast<uint32_t>(end);
    return true;
}

bool HostFileSystem::Seek(int file, uint32_t offset) {
    std::FILE* f = Get(file);
    if (!f || offset > static_cast<uint32_t>(std::numeric_limits<long>::max())) return false;
    return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0;
}

int32_t HostFileSystem::Read(int file, void* buffer, uint32_t count) {
    std::FILE* f = Get(file);
    if (!f || (!buffer && count > 0)) return -1;
    if (count > static_cast<uint32_t>(std::numeric_limits<int32_t>::max()))
        count = static_cast<uint32_t>(std::numeric_limits<int32_t>::max());
    size_t got = std::fread(buffer, 1, count, f);
    if (got < count && std::ferror(f)) return -1;
    return static_cast<int32_t>(got);
}

void HostFileSystem::Close(int file) {
    std::FILE* f = Get(file);
    if (!f) return;
    std::fclose(f);
    files_[static_cast<size_t>(file)] = nullptr;
}

int HostFileSystem::OpenCount() const {
    int n = 0;
    for (std::FILE* f : files_)
        if (f) ++n;
    return n;
}

uint32_t HostFileSystem::ModuleFileName(char* buffer, uint32_t size) {
    if (!buffer || size == 0) return 0;
#ifdef _WIN32
    DWORD n = GetModuleFileNameA(nullptr, buffer, size);
    if (n >= size) n = size - 1;
    buffer[n] = '\0';
    return n;
#else
    ssize_t n = readlink("/proc/self/exe", buffer, size - 1);
    if (n < 0) n = 0;
    buffer[n] = '\0';
    return static_cast<uint32_t>(n);
#endif
}

} // namespace vorna
