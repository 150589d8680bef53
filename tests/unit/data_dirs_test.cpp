// The desktop program's search for its songs: beside itself first, then the installed data directory.
#ifdef VORNA_HAVE_DESKTOP
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "backends/headless/memory_files.h"
#include "backends/sdl2/data_dirs.h"

using namespace vorna;

namespace {

std::string LogText(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buffer[256];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, f)) text.append(buffer, n);
    return text;
}

} // namespace

TEST(DataDirs, DirectoryAndRelativeSteps) {
    EXPECT_EQ(DirectoryOf("/usr/games/vorna"), "/usr/games/");
    EXPECT_EQ(DirectoryOf("C:\\Games\\vorna.exe"), "C:\\Games\\");
    EXPECT_EQ(DirectoryOf("vorna"), "");
    EXPECT_EQ(JoinRelative("/usr/games/", "../share/games/vorna"), "/usr/share/games/vorna/");
    EXPECT_EQ(JoinRelative("/opt/v/games/", "./../share//games/vorna/"), "/opt/v/share/games/vorna/");
    EXPECT_EQ(JoinRelative("/games/", "../../../data"), "/data/"); // never above the root
    EXPECT_EQ(JoinRelative("/usr/games/", ""), "/usr/games/");
}

TEST(DataDirs, BesideTheProgramFirstThenTheInstalledDirectory) {
    EXPECT_EQ(DataDirectories("/usr/games/vorna", "../share/games/vorna"),
              (std::vector<std::string>{"/usr/games/", "/usr/share/games/vorna/"}));
    // A relocated prefix moves the data directory with it.
    EXPECT_EQ(DataDirectories("/home/p/.local/games/vorna", "../share/games/vorna"),
              (std::vector<std::string>{"/home/p/.local/games/", "/home/p/.local/share/games/vorna/"}));
    // Nothing to add when the data lies beside the program or the program's place is unknown.
    EXPECT_EQ(DataDirectories("/x/vorna", ""), (std::vector<std::string>{"/x/"}));
    EXPECT_EQ(DataDirectories("/x/vorna", "."), (std::vector<std::string>{"/x/"}));
    EXPECT_EQ(DataDirectories("", "../share/games/vorna"), (std::vector<std::string>{""}));
}

TEST(DataDirFiles, SongBesideTheProgramWinsOverTheInstalledOne) {
    MemoryFileSystem memory;
    memory.modulePath = "/usr/games/vorna";
    memory.files["/usr/games/m00.dat"] = {1};
    memory.files["/usr/share/games/vorna/m00.dat"] = {2};
    memory.files["/usr/share/games/vorna/m01.dat"] = {3};
    DataDirFiles files(memory, nullptr, "../share/games/vorna");
    uint8_t byte = 0;
    const int beside = files.Open("/usr/games/m00.dat");
    ASSERT_NE(beside, kNoFile);
    EXPECT_EQ(files.Read(beside, &byte, 1), 1);
    EXPECT_EQ(byte, 1);
    const int installed = files.Open("/usr/games/m01.dat");
    ASSERT_NE(installed, kNoFile);
    EXPECT_EQ(files.Read(installed, &byte, 1), 1);
    EXPECT_EQ(byte, 3);
    files.Close(beside);
    files.Close(installed);
    EXPECT_EQ(memory.OpenCount(), 0);
    EXPECT_EQ(memory.opened,
              (std::vector<std::string>{"/usr/games/m00.dat", "/usr/games/m01.dat", "/usr/share/games/vorna/m01.dat"}));
}

TEST(DataDirFiles, OnlyFilesBesideTheProgramAreLookedForElsewhere) {
    MemoryFileSystem memory;
    memory.modulePath = "/usr/games/vorna";
    memory.files["/usr/share/games/vorna/m00.dat"] = {2};
    DataDirFiles files(memory, nullptr, "../share/games/vorna");
    EXPECT_EQ(files.Open("/tmp/m00.dat"), kNoFile);
    EXPECT_EQ(files.Open("/usr/games/sub/m00.dat"), kNoFile);
    EXPECT_EQ(files.Open("m00.dat"), kNoFile);
    EXPECT_EQ(files.Open(""), kNoFile);
    EXPECT_EQ(files.Open(nullptr), kNoFile);
    EXPECT_EQ(memory.opened, (std::vector<std::string>{"/tmp/m00.dat", "/usr/games/sub/m00.dat", "m00.dat", "", ""}));
}

TEST(DataDirFiles, LogsWhereASongCameFromAndWhereItWasMissing) {
    MemoryFileSystem memory;
    memory.modulePath = "/opt/v/games/vorna";
    memory.files["/opt/v/share/games/vorna/m05.dat"] = {5};
    std::FILE* log = std::tmpfile();
    ASSERT_NE(log, nullptr);
    DataDirFiles files(memory, log, "../share/games/vorna");
    EXPECT_NE(files.Open("/opt/v/games/m05.dat"), kNoFile);
    EXPECT_EQ(files.Open("/opt/v/games/m06.dat"), kNoFile);
    EXPECT_EQ(LogText(log), "vorna: m05.dat from /opt/v/share/games/vorna/\n"
                            "vorna: m06.dat found neither beside the program (/opt/v/games/) nor in "
                            "/opt/v/share/games/vorna/\n");
    std::fclose(log);
}

TEST(DataDirFiles, ACutOffProgramPathSearchesNowhereElse) {
    MemoryFileSystem memory;
    // Cut off, the path would seem to lie in /a/, which would send the search to /share/games/vorna/.
    memory.modulePath = "/a/" + std::string(5000, 'd') + "/games/vorna";
    memory.files["/share/games/vorna/m00.dat"] = {1};
    DataDirFiles files(memory, nullptr, "../share/games/vorna");
    EXPECT_EQ(files.Open("/a/m00.dat"), kNoFile);
    EXPECT_EQ(memory.opened.size(), 1u);
}

TEST(DataDirFiles, TheBuiltInLayoutIsTheDebianGamesOne) {
    EXPECT_EQ(JoinRelative("/usr/games/", kInstalledDataFromProgram), "/usr/share/games/vorna/");
}
#endif
