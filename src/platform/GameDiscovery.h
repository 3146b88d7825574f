#pragma once
// Where the player's game is: the one discovery routine the wizard and every command share.
//
// Explicit choices come first and the first that gives a game is used at once: the folder given
// on the command line (taken as it stands), the prefix in $WINEPREFIX, the remembered choice.
// Otherwise every launcher's prefixes are read (LauncherPrefixes.h) and every game found is
// listed; one game is used at once, several wait for the player's choice. A prefix's game is the
// installer's record in its system.reg, mapped through its drives; the same folder reached twice
// is one game, described by its first find and listing every source. A recorded folder that is
// missing or holds no GameData folder is listed as stale, with the reason, and never used.
#include <optional>
#include <string>
#include <vector>

#include "platform/GameLocation.h"
#include "platform/HomeFolders.h"
#include "platform/LauncherPrefixes.h"

namespace marquill::platform {

struct FoundGame {
    std::string folder;       // links resolved when it exists
    std::string windowsPath;  // as the installer recorded it; empty for a folder given by hand
    std::string prefix;       // empty for a folder given by hand
    std::vector<GameSource> sources;
    std::string staleReason;  // empty for a game that can be used

    [[nodiscard]] bool stale() const { return !staleReason.empty(); }
    // "steam" or "wine, lutris": where it was found, in order.
    [[nodiscard]] std::string sourceList() const;
};

struct GameDiscovery {
    std::vector<FoundGame> games;
    std::optional<size_t> used;   // the game the commands and the window work on
    bool explicitChoice = false;  // `used` came from --game-dir, $WINEPREFIX or the remembered one
    std::vector<std::string> notes;  // files skipped and why

    [[nodiscard]] size_t usableCount() const;
    [[nodiscard]] const FoundGame* usedGame() const { return used ? &games[*used] : nullptr; }
    // Several usable games and none chosen: the player must choose.
    [[nodiscard]] bool needsChoice() const { return !used && usableCount() > 1; }
};

enum class Search {
    UntilChosen,  // stop at the first explicit choice that gives a game
    Everything,   // list every game however it is chosen (`marquill games`)
};

[[nodiscard]] GameDiscovery discoverGames(const HomeFolders& home,
                                          const std::optional<std::string>& givenFolder,
                                          Search search);

// Whether `folder` holds a GameData folder (in any spelling); the reason when it does not.
[[nodiscard]] std::string whyNoGameFolder(const std::string& folder);

// Where the commands and the window work: a game without a prefix of its own (given by hand) is
// looked for running under the default prefix, as before there was discovery.
[[nodiscard]] GameLocation locationOf(const FoundGame& game, const HomeFolders& home);

// One line for a player who has none: where we looked and how to name the folder.
[[nodiscard]] std::string noGameHint();

}  // namespace marquill::platform
