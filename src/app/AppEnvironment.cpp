#include "app/AppEnvironment.h"

#include "platform/Directory.h"
#include "platform/GameProcess.h"
#include "platform/LauncherPrefixes.h"
#include "platform/RememberedGame.h"
#include "platform/ToolFolders.h"

namespace marquill::app {

AppEnvironment::AppEnvironment(std::optional<std::string> givenGameFolder,
                               platform::HomeFolders home, std::string startupDirectory)
    : given_(std::move(givenGameFolder)),
      home_(std::move(home)),
      startupDirectory_(std::move(startupDirectory)) {}

std::optional<std::string> AppEnvironment::gameFolder() {
    discovery_ = platform::discoverGames(home_, given_, platform::Search::UntilChosen);
    location_.reset();
    if (const platform::FoundGame* game = discovery_.usedGame())
        location_ = platform::locationOf(*game, home_);
    if (!location_) return std::nullopt;
    return location_->folder;
}

std::vector<wizard::GameChoice> AppEnvironment::gamesToChoose() {
    std::vector<wizard::GameChoice> choices;
    if (location_ || !discovery_.needsChoice()) return choices;
    for (const platform::FoundGame& game : discovery_.games) {
        if (game.stale()) continue;
        choices.push_back({game.folder, game.sourceList()});
    }
    return choices;
}

std::optional<std::string> AppEnvironment::chooseGame(size_t index) {
    size_t n = 0;
    for (const platform::FoundGame& game : discovery_.games) {
        if (game.stale() || n++ != index) continue;
        // The choice holds for this run even when it cannot be kept for the next one.
        (void)platform::rememberGame(home_, {game.folder, game.prefix, game.windowsPath});
        location_ = platform::locationOf(game, home_);
        return location_->folder;
    }
    return std::nullopt;
}

std::optional<std::string> AppEnvironment::useGameFolder(const std::string& folder) {
    const std::string absolute = platform::absolutePath(folder);
    if (!platform::whyNoGameFolder(absolute).empty()) return std::nullopt;
    (void)platform::rememberGame(home_, {absolute, {}, {}});
    location_ = platform::GameLocation{absolute, {}, home_.defaultWinePrefix()};
    return location_->folder;
}

bool AppEnvironment::isGameRunning(const std::string& gameFolder) {
    return platform::isGameRunning(gameFolder,
                                   location_ ? location_->winePrefix : home_.defaultWinePrefix());
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
