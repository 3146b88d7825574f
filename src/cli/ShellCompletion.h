#pragma once
// Shell completion scripts for `marquill`, made from the command table: commands, options, the
// fixed values of an option, and file or folder names where a file or folder is asked for.
#include <span>
#include <string>

#include "cli/CommandTable.h"

namespace marquill::cli {

// For bash (sourced by bash-completion from share/bash-completion/completions/marquill); it
// needs nothing beyond bash's own `compgen`.
[[nodiscard]] std::string bashCompletion(std::span<const CommandSpec> commands);
// For zsh (an autoloaded `_marquill` function).
[[nodiscard]] std::string zshCompletion(std::span<const CommandSpec> commands);

}  // namespace marquill::cli
