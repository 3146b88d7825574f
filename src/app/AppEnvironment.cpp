#include "app/AppEnvironment.h"

#include "platform/Directory.h"
#include "platform/GameProcess.h"
#include "platform/ToolFolders.h"

namespace marquill::app {

AppEnvironment::AppEnvironment(std::optional<std::string> givenGameFolder, std::string winePrefix,
                               std::string startupDirectory)
    : given_(std::move(givenGameFolder)),
      winePrefix_(std::move(winePrefix)),
      startupDirectory_(std::move(startupDirectory)) {}

std::optional<std::string> AppEnvironment::gameFolder() {
    platform::GameLocationError error = platform::GameLocationError::None;
    location_ = platform::locateGame(given_, winePrefix_, platform::FolderRule::AsRecorded, &error);
    if (!location_) return std::nullopt;
    return location_->folder;
}

bool AppEnvironment::isGameRunning(const std::string& gameFolder) {
    return platform::isGameRunning(gameFolder, winePrefix_);
}

std::string AppEnvironment::templatePersonFile() {
    return startupDirectory_ + "/" + platform::kTemplateFileName;
}

bool AppEnvironment::changeFolder(const std::string& folder) {
    return platform::changeCurrentFolder(folder);
}

bool AppEnvironment::createFolder(const std::string& folder) {
    return platform::createFolder(folder);
}

std::string AppEnvironment::currentFolder() {
    return platform::currentFolder();
}

std::string AppEnvironment::gameWindowsFolder() {
    return location_ ? location_->windowsFolder : std::string();
}

}  // namespace marquill::app
