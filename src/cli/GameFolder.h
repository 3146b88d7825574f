#pragma once
// The game folder the game-data commands work on, and small shared pieces of their output.
#include <optional>
#include <string>

#include "cli/Args.h"
#include "platform/GameDiscovery.h"
#include "platform/GameLocation.h"

namespace marquill::cli {

// Why no game could be worked on, with the exit status: usage (2) when none was found or the given
// folder is missing, refused (1) when several were found and the player chose none.
struct GameLookupError {
    int exit = 2;
    std::string message;
};

// --game-dir DIR, which must be a folder, else the game the discovery uses; none (with the
// reason) otherwise, so a command never acts on a game the player did not pick.
[[nodiscard]] std::optional<platform::GameLocation> gameLocationFrom(const Args& args,
                                                                     GameLookupError* error);
// Its folder alone.
[[nodiscard]] std::optional<std::string> gameFolderFrom(const Args& args, GameLookupError* error);
// The games found, numbered from 1 as `games --choose N` takes them, one game a line with its
// sources, prefix and Windows path below it; the one in use marked with "*", stale ones with
// their reason.
[[nodiscard]] std::string gameListText(const platform::GameDiscovery& discovery);
// The game rewrites its files when it saves, so commands that change them refuse meanwhile: the
// warning on standard error and kExitRefused; none while the game is not running.
[[nodiscard]] std::optional<int> refuseWhileGameRuns(const platform::GameLocation& game);
// --neighborhood N with 1 <= N <= 99.
[[nodiscard]] std::optional<int> neighborhoodFrom(const Args& args, std::string* error);
// "unknown option --x" for the first option not in `known`; empty when all are known.
[[nodiscard]] std::string unknownOption(const Args& args, std::initializer_list<const char*> known);

}  // namespace marquill::cli
