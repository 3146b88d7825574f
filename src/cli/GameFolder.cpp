#include "cli/GameFolder.h"

#include <cstdlib>

#include "cli/Command.h"
#include "gamedata/GameRunning.h"
#include "platform/GameProcess.h"
#include "platform/GameRegistry.h"

namespace marquill::cli {

std::optional<platform::GameLocation> gameLocationFrom(const Args& args, std::string* error) {
    const std::string prefix = platform::defaultWinePrefix();
    const auto given = args.value("game-dir");
    platform::GameLocationError why = platform::GameLocationError::None;
    auto game = platform::locateGame(given, prefix, platform::FolderRule::MustExist, &why);
    if (why == platform::GameLocationError::NotRecorded)
        *error = "The Pemms is not recorded in the Wine prefix " + prefix +
                 "; give its folder with --game-dir DIR";
    else if (why == platform::GameLocationError::NoSuchFolder)
        *error = "the game folder " + given.value_or("") + " does not exist";
    return game;
}

std::optional<std::string> gameFolderFrom(const Args& args, std::string* error) {
    if (auto game = gameLocationFrom(args, error)) return game->folder;
    return std::nullopt;
}

std::optional<int> refuseWhileGameRuns(const platform::GameLocation& game) {
    if (!platform::isGameRunning(game.folder, game.winePrefix)) return std::nullopt;
    return fail(kExitRefused, std::string(gamedata::kGameRunningMessage));
}

std::optional<int> neighborhoodFrom(const Args& args, std::string* error) {
    auto text = args.value("neighborhood");
    if (!text) {
        *error = "--neighborhood N is required";
        return std::nullopt;
    }
    char* end = nullptr;
    long n = std::strtol(text->c_str(), &end, 10);
    if (text->empty() || *end != '\0' || n < 1 || n > 99) {
        *error = "--neighborhood takes 1 to 99";
        return std::nullopt;
    }
    return static_cast<int>(n);
}

std::string unknownOption(const Args& args, std::initializer_list<const char*> known) {
    for (const std::string& name : args.optionNames()) {
        bool ok = false;
        for (const char* k : known)
            ok = ok || name == k;
        if (!ok) return "unknown option --" + name;
    }
    return {};
}

}  // namespace marquill::cli
