// Where the desktop program finds the files it expects beside itself: there first, else in its installed data
// directory.
#include "backends/sdl2/data_dirs.h"

#include <utility>

namespace vorna {

#ifdef VORNA_DATA_FROM_PROGRAM
const char* const kInstalledDataFromProgram = VORNA_DATA_FROM_PROGRAM;
#else
const char* const kInstalledDataFromProgram = "../share/games/vorna";
#endif

namespace {

constexpr uint32_t kProgramPathBytes = 4096;

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

} // namespace

std::string DirectoryOf(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1])) return path.substr(0, i);
    return "";
}

std::string JoinRelative(const std::string& directory, const std::string& relative) {
    std::string base = directory;
    size_t at = 0;
    while (at < relative.size()) {
        size_t end = at;
        while (end < relative.size() && !IsSeparator(relative[end])) ++end;
        const std::string step = relative.substr(at, end - at);
        if (step == "..") {
            // Up one: drop the last component (and keep a lone root separator).
            std::string trimmed = base;
            while (!trimmed.empty() && IsSeparator(trimmed.back())) trimmed.pop_back();
            if (!trimmed.empty()) base = DirectoryOf(trimmed);
            if (base.empty() && !directory.empty() && IsSeparator(directory[0])) base = directory.substr(0, 1);
        } else if (!step.empty() && step != ".") {
            if (!base.empty() && !IsSeparator(base.back())) base += '/';
            base += step + '/';
        }
        at = end + 1;
    }
    return base;
}

std::vector<std::string> DataDirectories(const std::string& programPath, const std::string& installedRelative) {
    const std::string beside = DirectoryOf(programPath);
    std::vector<std::string> dirs{beside};
    if (beside.empty() || installedRelative.empty()) return dirs;
    const std::string installed = JoinRelative(beside, installedRelative);
    if (installed != beside) dirs.push_back(installed);
    return dirs;
}

DataDirFiles::DataDirFiles(FileSystem& inner, std::FILE* log, std::string installedRelative)
    : inner_(inner), log_(log), installedRelative_(std::move(installedRelative)) {}

const std::vector<std::string>& DataDirFiles::Directories() {
    if (directories_.empty()) {
        char program[kProgramPathBytes];
        const uint32_t n = inner_.ModuleFileName(program, sizeof program);
        // A cut-off path would name another directory: then only the path as asked for is tried.
        const std::string path = n + 1 < sizeof program ? std::string(program, n) : std::string();
        directories_ = DataDirectories(path, installedRelative_);
    }
    return directories_;
}

int DataDirFiles::Open(const char* path) {
    const int file = inner_.Open(path);
    if (file != kNoFile || path == nullptr || *path == '\0') return file;
    const std::string asked(path);
    const std::vector<std::string>& dirs = Directories();
    if (dirs.empty() || dirs.front().empty() || DirectoryOf(asked) != dirs.front()) return file;
    const std::string name = asked.substr(dirs.front().size());
    for (size_t i = 1; i < dirs.size(); ++i) {
        const std::string there = dirs[i] + name;
        const int found = inner_.Open(there.c_str());
        if (found != kNoFile) {
            if (log_) std::fprintf(log_, "vorna: %s from %s\n", name.c_str(), dirs[i].c_str());
            return found;
        }
    }
    if (log_) {
        std::fprintf(log_, "vorna: %s found neither beside the program (%s)", name.c_str(), dirs.front().c_str());
        for (size_t i = 1; i < dirs.size(); ++i) std::fprintf(log_, " nor in %s", dirs[i].c_str());
        std::fprintf(log_, "\n");
    }
    return file;
}

} // namespace vorna
