#pragma once
// The machine the wizard starts on, through the host layer: the game folder given on the command
// line or found by the game discovery in the player's Wine prefixes, the running-game probe, the
// tool's start-up folder and the current folder.
#include <optional>
#include <string>

#include "platform/GameDiscovery.h"
#include "platform/GameLocation.h"
#include "platform/HomeFolders.h"
#include "wizard/WizardEnvironment.h"

namespace marquill::app {

class AppEnvironment final : public wizard::WizardEnvironment {
  public:
    AppEnvironment(std::optional<std::string> givenGameFolder, platform::HomeFolders home,
                   std::string startupDirectory);

    // A given folder is taken as it stands and found missing when the wizard cannot make its own
    // folder inside it; a discovered game is one whose folder is there.
    [[nodiscard]] std::optional<std::string> gameFolder() override;
    [[nodiscard]] std::vector<wizard::GameChoice> gamesToChoose() override;
    [[nodiscard]] std::optional<std::string> chooseGame(size_t index) override;
    [[nodiscard]] std::optional<std::string> useGameFolder(const std::string& folder) override;
    [[nodiscard]] bool isGameRunning(const std::string& gameFolder) override;
    [[nodiscard]] std::string startupDirectory() override { return startupDirectory_; }
    [[nodiscard]] std::string templatePersonFile() override;
    [[nodiscard]] bool changeFolder(const std::string& folder) override;
    [[nodiscard]] bool createFolder(const std::string& folder) override;
    [[nodiscard]] std::string currentFolder() override;
    [[nodiscard]] std::string gameWindowsFolder() override;

  private:
    std::optional<std::string> given_;
    platform::HomeFolders home_;
    std::string startupDirectory_;
    platform::GameDiscovery discovery_;
    std::optional<platform::GameLocation> location_;  // once the game is known
};

}  // namespace marquill::app
