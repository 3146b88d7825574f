#pragma once
// The game the player chose among several, kept for the commands and the window alike in
// $XDG_CONFIG_HOME/marquill/marquill.conf:
//
//   [Marquill]
//   game=/home/p/.wine/drive_c/Program Files/Kavor/The Pemms
//   prefix=/home/p/.wine
//   windows=C:\Program Files\Kavor\The Pemms
//
// "prefix" and "windows" are empty for a folder chosen by hand. The file is replaced through a
// scratch file, so a killed run leaves the old choice or the new one.
#include <optional>
#include <string>

#include "platform/HomeFolders.h"

namespace marquill::platform {

struct RememberedGame {
    std::string folder;
    std::string prefix;
    std::string windowsPath;
};

[[nodiscard]] std::string rememberedGameFile(const HomeFolders& home);

struct RememberedRead {
    std::optional<RememberedGame> game;
    std::string note;  // why a file that is there was not taken; empty otherwise
};

// None without a note when nothing was remembered; an unreadable or foreign file is a note.
[[nodiscard]] RememberedRead readRememberedGame(const HomeFolders& home);
[[nodiscard]] bool rememberGame(const HomeFolders& home, const RememberedGame& game);

}  // namespace marquill::platform
