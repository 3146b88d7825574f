#pragma once
// Where the game is installed, as its installer recorded it: the value "PEMMS_DATA" under
// HKEY_LOCAL_MACHINE\Software\Kavor\The Pemms (or the same key under Software\Wow6432Node),
// read from a Wine prefix's system.reg and mapped to a Linux folder through the prefix's
// dosdevices links.
#include <optional>
#include <string>
#include <string_view>

namespace marquill::platform {

// What the player is told when no installed game is found.
inline constexpr std::string_view kGameNotDetectedMessage =
    "The Pemms was not detected on this computer. You must have The Pemms installed to use this "
    "program.";

// $WINEPREFIX, else ~/.wine.
[[nodiscard]] std::string defaultWinePrefix();

// The recorded Windows path ("C:\Program Files\Kavor\The Pemms"); none when the key or value is
// missing. `systemReg` is the text of system.reg.
[[nodiscard]] std::optional<std::string> findGameFolderValue(std::string_view systemReg);

// The Linux folder of a Windows path inside the prefix; none when its drive is not mapped.
[[nodiscard]] std::optional<std::string> mapWindowsPath(const std::string& winePrefix,
                                                        std::string_view windowsPath);

struct WineGameInstall {
    std::string folder;       // the Linux folder, symbolic links resolved
    std::string windowsPath;  // as recorded
};

// Both steps on the prefix's system.reg; none when the game is not recorded there or its drive is
// not mapped. The folder need not exist.
[[nodiscard]] std::optional<WineGameInstall> recordedGameInstall(const std::string& winePrefix);
// The same, none also when the folder does not exist.
[[nodiscard]] std::optional<WineGameInstall> gameInstallFromWine(const std::string& winePrefix);
[[nodiscard]] std::optional<std::string> gameFolderFromWine(const std::string& winePrefix);

}  // namespace marquill::platform
