#pragma once
// The refusal shown while the game runs: the game rewrites its files when it saves, so the tool
// must not change them meanwhile.
#include <string_view>

#include "gamedata/Reporter.h"

namespace marquill::gamedata {

inline constexpr std::string_view kGameRunningTitle = kWarningTitle;
inline constexpr std::string_view kGameRunningMessage =
    "Looks like The Pemms is running, you need to quit the Pemms first before running Marquill.";

}  // namespace marquill::gamedata
