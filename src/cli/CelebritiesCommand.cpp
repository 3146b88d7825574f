#include <cstdio>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "cli/Json.h"
#include "gamedata/CelebritySearch.h"
#include "gamedata/GamePaths.h"

namespace marquill::cli {

int runCelebrities(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"json"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(*args, {"json", "game-dir", "neighborhood"}); !bad.empty())
        return fail(kExitUsage, bad);
    GameLookupError lookup;
    auto game = gameFolderFrom(*args, &lookup);
    if (!game) return fail(lookup.exit, lookup.message);
    auto n = neighborhoodFrom(*args, &error);
    if (!n) return fail(kExitUsage, error);
    gamedata::GamePaths paths(*game);
    if (!paths.neighborhoodExists(*n))
        return fail(kExitFileError, "no neighbourhood " + std::to_string(*n) + " (" +
                                        paths.neighborhoodFile(*n) + " cannot be read)");

    auto result = gamedata::searchCelebrities(paths, *n);
    for (const std::string& skipped : result.skipped)
        std::fprintf(stderr, "marquill: skipped %s (not a readable person file)\n",
                     skipped.c_str());
    if (!result.found())
        return fail(kExitRefused,
                    "There are no celebrities in the neighborhood you specified.  You'll need to "
                    "run the game once in that neighborhood to create them.");
    if (args->has("json")) {
        Json json;
        json.beginArray();
        for (const auto& e : result.entries)
            json.beginObject()
                .field("file", e.fileName)
                .field("name", e.displayName)
                .field("guid", static_cast<uint64_t>(e.guid))
                .field("entry", e.listText())
                .endObject();
        json.endArray();
        std::printf("%s\n", json.str().c_str());
    } else {
        for (const auto& e : result.entries)
            std::printf("%s\n", e.listText().c_str());
    }
    return kExitDone;
}

}  // namespace marquill::cli
