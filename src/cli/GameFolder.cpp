#include "cli/GameFolder.h"

#include <cstdlib>

#include "cli/Command.h"
#include "gamedata/GameRunning.h"
#include "platform/Files.h"
#include "platform/GameProcess.h"

namespace marquill::cli {

std::string gameListText(const platform::GameDiscovery& discovery) {
    std::string out;
    for (size_t i = 0; i < discovery.games.size(); ++i) {
        const platform::FoundGame& game = discovery.games[i];
        out += discovery.used == i ? "* " : "  ";
        out += std::to_string(i + 1) + "  " + game.folder;
        if (game.stale()) out += "  (stale: " + game.staleReason + ")";
        out += "\n     found by: " + game.sourceList();
        if (!game.prefix.empty()) out += "; prefix " + game.prefix;
        if (!game.windowsPath.empty()) out += "; recorded as " + game.windowsPath;
        out += "\n";
    }
    return out;
}

std::optional<platform::GameLocation> gameLocationFrom(const Args& args, GameLookupError* error) {
    const auto home = platform::HomeFolders::fromEnvironment();
    const auto given = args.value("game-dir");
    if (given && !platform::isDirectory(*given)) {
        *error = {kExitUsage, "the game folder " + *given + " does not exist"};
        return std::nullopt;
    }
    const auto discovery = platform::discoverGames(home, given, platform::Search::UntilChosen);
    if (const platform::FoundGame* game = discovery.usedGame())
        return platform::locationOf(*game, home);
    if (discovery.needsChoice()) {
        *error = {kExitRefused,
                  "several games of The Pemms were found and none is chosen; choose one with "
                  "`marquill games --choose N`, or give its folder with --game-dir DIR:\n" +
                      gameListText(discovery)};
        if (!error->message.empty() && error->message.back() == '\n') error->message.pop_back();
        return std::nullopt;
    }
    *error = {kExitUsage, platform::noGameHint()};
    return std::nullopt;
}

std::optional<std::string> gameFolderFrom(const Args& args, GameLookupError* error) {
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
