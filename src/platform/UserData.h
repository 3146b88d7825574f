#pragma once
// The user's own data folder for Marquill: $XDG_DATA_HOME/marquill, else ~/.local/share/marquill.
#include <string>

namespace marquill::platform {

[[nodiscard]] std::string userDataFolder();

}  // namespace marquill::platform
