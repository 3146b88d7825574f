#include "platform/GameProcess.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/ChildProcess.h"
#include "resfile/TempDir.h"

namespace marquill::platform {
namespace {

namespace fs = std::filesystem;
using resfile::testing::TempDir;

using testing::Child;

// A Wine prefix whose drive C holds the game, and whose drive Z is the whole file system.
struct FakeInstall {
    explicit FakeInstall(const TempDir& dir, const std::string& name = "prefix")
        : prefix(dir.File(name)),
          game(prefix + "/drive_c/Program Files/Kavor/The Pemms"),
          other(prefix + "/drive_c/Program Files/Kavor/The Pemms Other") {
        fs::create_directories(game);
        fs::create_directories(other);
        fs::create_directories(prefix + "/dosdevices");
        fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
        fs::create_directory_symlink("/", prefix + "/dosdevices/z:");
    }
    std::string prefix, game, other;
};

std::string windowsZPath(const std::string& linuxPath) {
    std::string out = "Z:";
    for (char c : linuxPath)
        out += c == '/' ? '\\' : c;
    return out;
}

TEST(GameProcess, AProgramStartedFromTheGameFolderMeansTheGameRuns) {
    TempDir dir;
    FakeInstall install(dir);
    const std::string program = install.game + "/Pemms";
    fs::copy_file("/bin/sleep", program);
    EXPECT_FALSE(isGameRunning(install.game, install.prefix));

    Child outside("/bin/sleep", {"sleep", "60"});
    ASSERT_TRUE(outside.started());
    EXPECT_FALSE(isGameRunning(install.game, install.prefix)) << "a program outside the folder";
    {
        Child game(program, {"Pemms", "60"});
        ASSERT_TRUE(game.started());
        EXPECT_TRUE(isGameRunning(install.game, install.prefix));
        EXPECT_TRUE(isGameRunning(install.game + "/", install.prefix));
        EXPECT_TRUE(isGameRunning(install.prefix + "/dosdevices/c:/Program Files/Kavor/The Pemms",
                                  install.prefix))
            << "the folder named through a link";
        EXPECT_FALSE(isGameRunning(install.other, install.prefix))
            << "a folder whose name begins like the game's";
        game.stop();
        EXPECT_FALSE(isGameRunning(install.game, install.prefix)) << "once it has ended";
    }
}

TEST(GameProcess, AWineCommandLineNamingTheGameMeansTheGameRuns) {
    TempDir dir;
    FakeInstall install(dir);
    // Wine's loader runs the game and shows the program's Windows path as its first argument,
    // in whatever case the game's shortcut used.
    Child game("/bin/sleep", {"c:\\PROGRAM FILES\\kavor\\the pemms\\PEMMS.EXE", "60"},
               {"WINEPREFIX=" + install.prefix});
    ASSERT_TRUE(game.started());
    EXPECT_TRUE(isGameRunning(install.game, install.prefix));
    EXPECT_FALSE(isGameRunning(install.other, install.prefix));

    // The same Windows path in another prefix is another folder, however alike the two are.
    FakeInstall other(dir, "second-prefix");
    EXPECT_FALSE(isGameRunning(other.game, other.prefix));
    Child otherGame("/bin/sleep", {"C:\\Program Files\\Kavor\\The Pemms\\Pemms.exe", "60"},
                    {"WINEPREFIX=" + other.prefix + "/"});
    ASSERT_TRUE(otherGame.started());
    EXPECT_TRUE(isGameRunning(other.game, other.prefix));
}

TEST(GameProcess, CommandLinesThatStartTheGame) {
    TempDir dir;
    FakeInstall install(dir);
    auto runs = [&](std::vector<std::string> argv) {
        return commandLineRunsGame(argv, install.game, install.prefix);
    };
    EXPECT_TRUE(runs({"C:\\Program Files\\Kavor\\The Pemms\\Pemms.exe"}));
    EXPECT_TRUE(runs({"C:/Program Files/Kavor/The Pemms/Pemms.exe", "-w"}));
    EXPECT_TRUE(runs({windowsZPath(install.game) + "\\Pemms.exe"})) << "through drive Z";
    EXPECT_TRUE(runs({install.game + "/Pemms.exe"}));
    EXPECT_TRUE(runs({"/usr/bin/wine", "C:\\Program Files\\Kavor\\The Pemms\\Pemms.exe"}));
    EXPECT_TRUE(runs({"wine64-preloader", "C:\\Program Files\\Kavor\\The Pemms\\Pemms.exe"}));

    EXPECT_FALSE(runs({}));
    EXPECT_FALSE(runs({""}));
    EXPECT_FALSE(runs({"C:\\Program Files\\Kavor\\The Pemms Other\\Pemms.exe"}));
    EXPECT_FALSE(runs({"C:\\windows\\system32\\services.exe"}));
    EXPECT_FALSE(runs({"D:\\Pemms.exe"})) << "drive D is not mapped";
    EXPECT_FALSE(runs({"Pemms.exe"})) << "a bare name places nothing";
    EXPECT_FALSE(runs({"C:\\Program Files\\Kavor\\The Pemms"})) << "the folder itself";
    EXPECT_FALSE(runs({"/usr/bin/gedit", install.game + "/readme.txt"}))
        << "a document of the folder opened by another program";
    EXPECT_FALSE(runs({"C:\\windows\\notepad.exe", "C:\\Program Files\\Kavor\\The Pemms\\a.txt"}));
}

TEST(GameProcess, ReadsAProcessTableAndNeverCountsItself) {
    TempDir dir;
    FakeInstall install(dir);
    const std::string proc = dir.File("proc");
    auto process = [&](const std::string& pid, const std::string& exe, std::string cmdline) {
        fs::create_directories(proc + "/" + pid);
        if (!exe.empty()) fs::create_symlink(exe, proc + "/" + pid + "/exe");
        std::ofstream(proc + "/" + pid + "/cmdline", std::ios::binary) << cmdline;
    };
    process("1", "/sbin/init", std::string("/sbin/init") + '\0' + "splash" + '\0');
    process("self", install.game + "/Pemms.exe", "");  // not a process number
    process("77", "", std::string("C:\\windows\\system32\\winedevice.exe") + '\0');
    EXPECT_FALSE(isGameRunningIn(proc, install.game, install.prefix, 0));

    process("4242", install.game + "/Pemms.exe", "");
    EXPECT_TRUE(isGameRunningIn(proc, install.game, install.prefix, 0));
    EXPECT_FALSE(isGameRunningIn(proc, install.game, install.prefix, 4242)) << "our own process";
    EXPECT_FALSE(
        isGameRunningIn(proc, install.game, install.prefix, 0, install.game + "/Pemms.exe"))
        << "another copy of ourselves, kept in the game folder";

    const std::string gameCommand =
        std::string("C:\\Program Files\\KAVOR\\The Pemms\\Pemms.exe") + '\0';
    auto environment = [&](const std::string& pid, const std::string& variables) {
        std::ofstream(proc + "/" + pid + "/environ", std::ios::binary) << variables;
    };
    process("4343", "/usr/bin/wine64-preloader", gameCommand);
    environment("4343", std::string("LANG=C") + '\0' + "WINEPREFIX=/elsewhere" + '\0');
    EXPECT_FALSE(isGameRunningIn(proc, install.game, install.prefix, 4242))
        << "the game of another prefix";
    fs::remove_all(proc + "/4343");
    // A launcher's prefix names the game through a drive the game's prefix does not have.
    fs::create_directories(dir.File("steam/compatdata/9/pfx/dosdevices"));
    fs::create_directory_symlink(install.prefix + "/drive_c/Program Files",
                                 dir.File("steam/compatdata/9/pfx/dosdevices/g:"));
    process("4346", "/usr/bin/wine64-preloader",
            std::string("G:\\Kavor\\The Pemms\\Pemms.exe") + '\0');
    EXPECT_FALSE(isGameRunningIn(proc, install.game, install.prefix, 4242))
        << "drive G: means nothing in the game's own prefix";
    environment("4346", "STEAM_COMPAT_DATA_PATH=" + dir.File("steam/compatdata/9") + '\0');
    EXPECT_TRUE(isGameRunningIn(proc, install.game, install.prefix, 4242))
        << "mapped through the Proton prefix the process runs in";
    fs::remove_all(proc + "/4346");
    process("4344", "/usr/bin/wine64-preloader", gameCommand);
    fs::create_directories(dir.File("home"));
    fs::create_directory_symlink("../prefix", dir.File("home/.wine"));
    environment("4344", "HOME=" + dir.File("home") + '\0');
    EXPECT_TRUE(isGameRunningIn(proc, install.game, install.prefix, 4242))
        << "without WINEPREFIX, Wine runs in ~/.wine";
    fs::remove_all(proc + "/4344");
    process("4345", "/usr/bin/wine64-preloader", gameCommand);
    EXPECT_TRUE(isGameRunningIn(proc, install.game, install.prefix, 4242))
        << "an environment that cannot be read does not rule it out";
    EXPECT_FALSE(isGameRunningIn(dir.File("no-proc"), install.game, install.prefix, 0));
}

}  // namespace
}  // namespace marquill::platform
