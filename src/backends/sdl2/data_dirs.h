// Where the desktop program finds the files it expects beside itself: there first, else in its installed data
// directory, found relative to the program so that a relocated installation still works.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"

namespace vorna {

// The installed data directory as seen from the program's directory (games/ -> share/games/vorna/).
extern const char* const kInstalledDataFromProgram;

// The directory part of a path, with its closing separator ("" when the path has none).
std::string DirectoryOf(const std::string& path);

// directory (ending in a separator, or "") joined with a relative path whose leading "../" steps go up;
// steps above the root stay at the root. The result ends in a separator when it names a directory.
std::string JoinRelative(const std::string& directory, const std::string& relative);

// The directories searched, in order, for a file the game asks for beside the program.
std::vector<std::string> DataDirectories(const std::string& programPath, const std::string& installedRelative);

// A file system that gives files asked for beside the program from the installed data directory when they
// are not there. Every other path goes straight to the wrapped file system.
class DataDirFiles : public FileSystem {
public:
    // log (may be null) gets one line per file taken from the data directory or found nowhere.
    DataDirFiles(FileSystem& inner, std::FILE* log, std::string installedRelative = kInstalledDataFromProgram);

    int Open(const char* path) override;
    bool Size(int file, uint32_t& size) override { return inner_.Size(file, size); }
    bool Seek(int file, uint32_t offset) override { return inner_.Seek(file, offset); }
    int32_t Read(int file, void* buffer, uint32_t count) override { return inner_.Read(file, buffer, count); }
    void Close(int file) override { inner_.Close(file); }
    uint32_t ModuleFileName(char* buffer, uint32_t size) override { return inner_.ModuleFileName(buffer, size); }

private:
    const std::vector<std::string>& Directories();

    FileSystem& inner_;
    std::FILE* log_;
    std::string installedRelative_;
    std::vector<std::string> directories_; // found on the first open
};

} // namespace vorna
