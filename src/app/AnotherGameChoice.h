#pragma once
// "Choose another game...": the player picks the game the next start works on, among every game
// the discovery finds, or through the folder dialog when it finds none. The choice is remembered;
// the running wizard keeps the game it started on.
#include <optional>
#include <string>

#include "platform/HomeFolders.h"
#include "wizard/WizardHost.h"

namespace marquill::app {

// The folder remembered; none when the player cancelled or the folder held no game.
[[nodiscard]] std::optional<std::string> chooseAnotherGame(wizard::WizardHost& host,
                                                           const platform::HomeFolders& home);

}  // namespace marquill::app
