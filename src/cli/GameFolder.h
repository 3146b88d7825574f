#pragma once
// The game folder the game-data commands work on, and small shared pieces of their output.
#include <optional>
#include <string>

#include "cli/Args.h"

namespace marquill::cli {

// --game-dir DIR, which must be a folder, else the folder recorded in the Wine prefix; none (with
// the reason) otherwise.
[[nodiscard]] std::optional<std::string> gameFolderFrom(const Args& args, std::string* error);
// --neighborhood N with 1 <= N <= 99.
[[nodiscard]] std::optional<int> neighborhoodFrom(const Args& args, std::string* error);
// "unknown option --x" for the first option not in `known`; empty when all are known.
[[nodiscard]] std::string unknownOption(const Args& args, std::initializer_list<const char*> known);

}  // namespace marquill::cli
