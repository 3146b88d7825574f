#pragma once
// The game folder every part of the tool works on, found the same way by the wizard and the
// command line: the folder given by the player, else where the game's installer recorded it in
// the Wine prefix. Files below it are named in the exchange file as the game itself names them.
#include <optional>
#include <string>

namespace marquill::platform {

struct GameLocation {
    std::string folder;         // absolute
    std::string windowsFolder;  // the installer's path of `folder`; empty when it was given
    std::string winePrefix;     // where a running game would be found under Wine

    // `path` (inside `folder`) as the game names it: below `windowsFolder`, with "\", when the
    // folder came from the registry; otherwise the absolute path itself.
    [[nodiscard]] std::string gamePath(const std::string& path) const;
};

enum class GameLocationError { None, NotRecorded, NoSuchFolder };
// Whether a folder that is not there counts: the wizard only asks whether the game is recorded
// and finds a missing folder later, when it cannot make its own folder inside it.
enum class FolderRule { MustExist, AsRecorded };

// `givenFolder` when set, else the folder recorded in `winePrefix`.
[[nodiscard]] std::optional<GameLocation> locateGame(const std::optional<std::string>& givenFolder,
                                                     const std::string& winePrefix, FolderRule rule,
                                                     GameLocationError* error);

// `path` made absolute against the current folder, without "." and ".." parts and without a
// trailing "/"; symbolic links are kept as they are.
[[nodiscard]] std::string absolutePath(const std::string& path);

}  // namespace marquill::platform
