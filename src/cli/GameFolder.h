#pragma once
// The game folder the game-data commands work on, and small shared pieces of their output.
#include <optional>
#include <string>

#include "cli/Args.h"
#include "platform/GameLocation.h"

namespace marquill::cli {

// --game-dir DIR, which must be a folder, else the folder recorded in the Wine prefix; none (with
// the reason) otherwise.
[[nodiscard]] std::optional<platform::GameLocation> gameLocationFrom(const Args& args,
                                                                     std::string* error);
// Its folder alone.
[[nodiscard]] std::optional<std::string> gameFolderFrom(const Args& args, std::string* error);
// The game rewrites its files when it saves, so commands that change them refuse meanwhile: the
// warning on standard error and kExitRefused; none while the game is not running.
[[nodiscard]] std::optional<int> refuseWhileGameRuns(const platform::GameLocation& game);
// --neighborhood N with 1 <= N <= 99.
[[nodiscard]] std::optional<int> neighborhoodFrom(const Args& args, std::string* error);
// "unknown option --x" for the first option not in `known`; empty when all are known.
[[nodiscard]] std::string unknownOption(const Args& args, std::initializer_list<const char*> known);

}  // namespace marquill::cli
