#pragma once
// The manual page marquill(1), in the man macros, made from the command table.
#include <span>
#include <string>
#include <string_view>

#include "cli/CommandTable.h"

namespace marquill::cli {

struct ManPageFacts {
    std::string_view version;  // "1.3.0"
    std::string_view date;     // of the release, "2026-12-09"
    std::string_view prefix;   // the installation prefix, "/usr"
};

[[nodiscard]] std::string manPage(std::span<const CommandSpec> commands, const ManPageFacts& facts);

}  // namespace marquill::cli
