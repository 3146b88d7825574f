#pragma once
// Where the game is installed, as its installer recorded it: the value "PEMMS_DATA" under
// HKEY_LOCAL_MACHINE\Software\Kavor\The Pemms (or the same key under Software\Wow6432Node),
// read from a Wine prefix's system.reg and mapped to a Linux folder through the prefix's
// dosdevices links.
#include <optional>
#include <string>
#include <string_view>

namespace marquill::platform {

// $WINEPREFIX, else ~/.wine.
[[nodiscard]] std::string defaultWinePrefix();

// The recorded Windows path ("C:\Program Files\Kavor\The Pemms"); none when the key or value is
// missing. `systemReg` is the text of system.reg.
[[nodiscard]] std::optional<std::string> findGameFolderValue(std::string_view systemReg);

// The Linux folder of a Windows path inside the prefix; none when its drive is not mapped.
[[nodiscard]] std::optional<std::string> mapWindowsPath(const std::string& winePrefix,
                                                        std::string_view windowsPath);

// Both steps on the prefix's system.reg; none when the game is not recorded there or its folder
// does not exist.
[[nodiscard]] std::optional<std::string> gameFolderFromWine(const std::string& winePrefix);

}  // namespace marquill::platform
