// An in-memory file system for tests and fuzzing: named byte images, read-only, with fault injection.
#pragma once
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"

namespace vorna {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::vector<uint8_t>> files;
    std::string modulePath = "/game/vorna";
    std::vector<std::string> opened; // every path asked for, in order
    int failReadsAfter = -1;         // >= 0: that many reads succeed, then every read fails

    int Open(const char* path) override {
        opened.push_back(path ? path : "");
        auto it = path ? files.find(path) : files.end();
        if (it == files.end()) return kNoFile;
        handles_.push_back({&it->second, 0, true});
        return int(handles_.size() - 1);
    }
    bool Size(int file, uint32_t& size) override {
        Handle* h = Get(file);
        if (!h) return false;
        size = uint32_t(h->bytes->size());
        return true;
    }
    bool Seek(int file, uint32_t offset) override {
        Handle* h = Get(file);
        if (!h) return false;
        h->position = offset; // past the end is allowed, as on Windows; reads there return 0
        return true;
    }
    int32_t Read(int file, void* buffer, uint32_t count) override {
        Handle* h = Get(file);
        if (!h) return -1;
        if (failReadsAfter == 0) return -1;
        if (failReadsAfter > 0) --failReadsAfter;
        size_t size = h->bytes->size();
        if (h->position >= size) return 0;
        size_t n = size - h->position < count ? size - h->position : count;
        std::memcpy(buffer, h->bytes->data() + h->position, n);
        h->position += n;
        return int32_t(n);
    }
    void Close(int file) override {
        if (Handle* h = Get(file)) h->open = false;
    }
    uint32_t ModuleFileName(char* buffer, uint32_t size) override {
        if (!buffer || size == 0) return 0;
        uint32_t n = uint32_t(modulePath.size()) < size - 1 ? uint32_t(modulePath.size()) : size - 1;
        std::memcpy(buffer, modulePath.data(), n);
        buffer[n] = '\0';
        return n;
    }
    int OpenCount() const {
        int n = 0;
        for (const Handle& h : handles_) n += h.open ? 1 : 0;
        return n;
    }

private:
    struct Handle {
        const std::vector<uint8_t>* bytes;
        size_t position;
        bool open;
    };
    Handle* Get(int file) {
        if (file < 0 || size_t(file) >= handles_.size() || !handles_[size_t(file)].open) return nullptr;
        return &handles_[size_t(file)];
    }
    std::vector<Handle> handles_;
};

} // namespace vorna
