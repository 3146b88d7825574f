#include "app/AnotherGameChoice.h"

#include "platform/GameDiscovery.h"
#include "platform/RememberedGame.h"
#include "wizard/GameChooserDialog.h"
#include "wizard/SmallDialogs.h"
#include "wizard/WizardTexts.h"

namespace marquill::app {
namespace {

void tell(wizard::WizardHost& host, std::string_view title, const std::string& message) {
    wizard::MessageDialog dialog(title, message, host.sounds());
    (void)host.runModal(dialog);
}

std::optional<std::string> remember(wizard::WizardHost& host, const platform::HomeFolders& home,
                                    const platform::RememberedGame& game) {
    if (!platform::rememberGame(home, game)) {
        tell(host, wizard::text::kTitleError,
             "Marquill could not keep the choice in " + platform::rememberedGameFile(home) + ".");
        return std::nullopt;
    }
    tell(host, wizard::text::kTitleMarquill,
         "Marquill will work on " + game.folder + " the next time it starts.");
    return game.folder;
}

}  // namespace

std::optional<std::string> chooseAnotherGame(wizard::WizardHost& host,
                                             const platform::HomeFolders& home) {
    const auto discovery =
        platform::discoverGames(home, std::nullopt, platform::Search::Everything);
    std::vector<wizard::GameChoice> choices;
    std::vector<const platform::FoundGame*> games;
    for (const platform::FoundGame& game : discovery.games) {
        if (game.stale()) continue;
        choices.push_back({game.folder, game.sourceList()});
        games.push_back(&game);
    }
    if (!choices.empty()) {
        wizard::GameChooserDialog chooser(choices, host.sounds());
        (void)host.runModal(chooser);
        const auto chosen = chooser.chosen();
        if (!chosen) return std::nullopt;
        const platform::FoundGame& game = *games[*chosen];
        return remember(host, home, {game.folder, game.prefix, game.windowsPath});
    }
    auto folder = host.chooseFolder(wizard::text::kChooseGameFolderTitle, home.home);
    if (!folder) return std::nullopt;
    const std::string absolute = platform::absolutePath(*folder);
    if (!platform::whyNoGameFolder(absolute).empty()) {
        tell(host, wizard::text::kTitleError, std::string(wizard::text::kNoGameInFolder));
        return std::nullopt;
    }
    return remember(host, home, {absolute, {}, {}});
}

}  // namespace marquill::app
