#include <cstdio>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "cli/Json.h"
#include "gamedata/GamePaths.h"

namespace marquill::cli {

int runNeighborhoods(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"json"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(*args, {"json", "game-dir"});
        !bad.empty() || !args->positional().empty())
        return fail(kExitUsage, bad.empty() ? "usage: marquill neighborhoods [--json]" : bad);
    GameLookupError lookup;
    auto game = gameFolderFrom(*args, &lookup);
    if (!game) return fail(lookup.exit, lookup.message);
    gamedata::GamePaths paths(*game);

    Json json;
    json.beginArray();
    for (int n = gamedata::kFirstNeighborhood; n <= gamedata::kLastNeighborhood; ++n) {
        if (!paths.neighborhoodExists(n)) continue;
        if (args->has("json")) {
            json.beginObject()
                .field("number", n)
                .field("neighborhood_file", paths.neighborhoodFile(n))
                .field("person_folder", paths.personFolder(n))
                .endObject();
        } else {
            std::printf("%2d  %s  %s\n", n, paths.neighborhoodFile(n).c_str(),
                        paths.personFolder(n).c_str());
        }
    }
    json.endArray();
    if (args->has("json")) std::printf("%s\n", json.str().c_str());
    return kExitDone;
}

}  // namespace marquill::cli
