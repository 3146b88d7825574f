#pragma once
// The machine the wizard starts on, through the host layer: the game folder given on the command
// line or recorded by the game's installer in the Wine prefix, the running-game probe, the tool's
// start-up folder and the current folder.
#include <optional>
#include <string>

#include "platform/GameLocation.h"
#include "wizard/WizardEnvironment.h"

namespace marquill::app {

class AppEnvironment final : public wizard::WizardEnvironment {
  public:
    AppEnvironment(std::optional<std::string> givenGameFolder, std::string winePrefix,
                   std::string startupDirectory);

    // As the wizard asks at start-up: only whether the game is recorded; a recorded folder that
    // is missing is found out when the wizard cannot make its own folder inside it.
    [[nodiscard]] std::optional<std::string> gameFolder() override;
    [[nodiscard]] bool isGameRunning(const std::string& gameFolder) override;
    [[nodiscard]] std::string startupDirectory() override { return startupDirectory_; }
    [[nodiscard]] std::string templatePersonFile() override;
    [[nodiscard]] bool changeFolder(const std::string& folder) override;
    [[nodiscard]] bool createFolder(const std::string& folder) override;
    [[nodiscard]] std::string currentFolder() override;
    [[nodiscard]] std::string gameWindowsFolder() override;

  private:
    std::optional<std::string> given_;
    std::string winePrefix_;
    std::string startupDirectory_;
    std::optional<platform::GameLocation> location_;  // once gameFolder() has found it
};

}  // namespace marquill::app
