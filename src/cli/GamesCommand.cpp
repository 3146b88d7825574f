// marquill games [--json] | --choose N: every game the discovery finds, and the one in use.
#include <cstdio>
#include <cstdlib>

#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "cli/Json.h"
#include "platform/Files.h"
#include "platform/RememberedGame.h"

namespace marquill::cli {
namespace {

void writeJson(const platform::GameDiscovery& discovery) {
    Json json;
    json.beginObject().key("used");
    if (discovery.used)
        json.value(static_cast<int64_t>(*discovery.used + 1));
    else
        json.null();
    json.field("needs_choice", discovery.needsChoice()).key("games").beginArray();
    for (size_t i = 0; i < discovery.games.size(); ++i) {
        const platform::FoundGame& game = discovery.games[i];
        json.beginObject()
            .field("number", static_cast<int64_t>(i + 1))
            .field("folder", game.folder)
            .field("windows_path", game.windowsPath)
            .field("prefix", game.prefix)
            .key("sources")
            .beginArray();
        for (platform::GameSource source : game.sources)
            json.value(platform::sourceName(source));
        json.endArray().field("stale", game.stale());
        if (game.stale()) json.field("stale_reason", game.staleReason);
        json.field("used", discovery.used == i).endObject();
    }
    json.endArray().key("notes").beginArray();
    for (const std::string& note : discovery.notes)
        json.value(note);
    json.endArray().endObject();
    std::printf("%s\n", json.str().c_str());
}

int choose(const platform::HomeFolders& home, const platform::GameDiscovery& discovery,
           const std::string& text) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 1 || size_t(n) > discovery.games.size())
        return fail(kExitUsage, discovery.games.empty()
                                    ? platform::noGameHint()
                                    : "--choose takes a number from 1 to " +
                                          std::to_string(discovery.games.size()) +
                                          " (see marquill games)");
    const platform::FoundGame& game = discovery.games[size_t(n) - 1];
    if (std::string why = game.stale() ? game.staleReason : platform::whyNoGameFolder(game.folder);
        !why.empty())
        return fail(kExitRefused, "game " + text + " cannot be used: " + why);
    if (!platform::rememberGame(home, {game.folder, game.prefix, game.windowsPath}))
        return fail(kExitFileError,
                    "the choice could not be written to " + platform::rememberedGameFile(home));
    std::printf("remembered game %ld: %s\n", n, game.folder.c_str());
    return kExitDone;
}

}  // namespace

int runGames(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"json"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(*args, {"json", "game-dir", "choose"});
        !bad.empty() || !args->positional().empty())
        return fail(kExitUsage,
                    bad.empty() ? "usage: marquill games [--json] | games --choose N" : bad);
    const auto home = platform::HomeFolders::fromEnvironment();
    const auto given = args->value("game-dir");
    if (given && !platform::isDirectory(*given))
        return fail(kExitUsage, "the game folder " + *given + " does not exist");
    const auto discovery = platform::discoverGames(home, given, platform::Search::Everything);
    if (auto n = args->value("choose")) return choose(home, discovery, *n);

    if (args->has("json")) {
        writeJson(discovery);
    } else {
        std::printf("%s", gameListText(discovery).c_str());
        if (discovery.used)
            std::printf("The commands and the window use game %zu.\n", *discovery.used + 1);
        else if (discovery.needsChoice())
            std::printf("None is chosen: choose one with marquill games --choose N.\n");
        for (const std::string& note : discovery.notes)
            std::fprintf(stderr, "marquill: note: %s\n", note.c_str());
    }
    if (discovery.usableCount() == 0) return fail(kExitRefused, platform::noGameHint());
    return kExitDone;
}

}  // namespace marquill::cli
