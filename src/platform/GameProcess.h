#pragma once
// Whether the game is running. The game rewrites its files when it saves, so nothing may change
// them meanwhile. A process counts when its executable lies inside the game folder, or, since
// under Wine the executable is Wine's loader, when its command line names a program inside the
// game folder: Wine shows the Windows path of the program there ("C:\Program Files\...\x.exe",
// "Z:\home\..."), which is mapped through the dosdevices links of the process's own prefix (its
// WINEPREFIX, Proton's STEAM_COMPAT_DATA_PATH, else ~/.wine), or of the game's prefix when the
// process's environment cannot be read.
#include <string>
#include <string_view>
#include <vector>

namespace marquill::platform {

[[nodiscard]] bool isGameRunning(const std::string& gameFolder, const std::string& winePrefix);

// The same over a /proc-like folder: every numeric entry is a process with an `exe` link and
// `cmdline` and `environ` files (entries separated by NUL). The process `ownPid` never counts, nor
// does any process of `ownExecutable`: another copy of this tool, kept in the game folder, is not
// the game.
[[nodiscard]] bool isGameRunningIn(const std::string& procRoot, const std::string& gameFolder,
                                   const std::string& winePrefix, int ownPid,
                                   const std::string& ownExecutable = {});

// Whether a command line starts a program inside the game folder: its first argument, or the
// second after a Wine launcher ("wine", "wine64", "wine-preloader", ...).
[[nodiscard]] bool commandLineRunsGame(const std::vector<std::string>& arguments,
                                       const std::string& gameFolder,
                                       const std::string& winePrefix);

}  // namespace marquill::platform
