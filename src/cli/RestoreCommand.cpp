#include <cstdio>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "cli/Json.h"
#include "gamedata/Backups.h"
#include "platform/GameRegistry.h"

namespace marquill::cli {

int runRestore(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"list", "json"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(*args, {"list", "json", "game-dir"}); !bad.empty())
        return fail(kExitUsage, bad);
    if (args->positional().size() > 1 || (args->has("list") && !args->positional().empty()))
        return fail(kExitUsage, "usage: marquill restore [--list] [BACKUP]");
    gamedata::BackupStore store;

    if (args->positional().empty()) {
        const auto all = store.list();
        if (args->has("json")) {
            Json json;
            json.beginArray();
            for (const auto& b : all)
                json.beginObject()
                    .field("backup", b.id)
                    .field("time", b.time)
                    .field("game", b.gameFolder)
                    .field("neighborhood", b.neighborhood)
                    .field("person", b.personPath)
                    .field("celebrity", b.celebrityPath)
                    .endObject();
            json.endArray();
            std::printf("%s\n", json.str().c_str());
        } else {
            for (const auto& b : all)
                std::printf("%s  %s  neighbourhood %d  %s  (replaced by %s)\n", b.id.c_str(),
                            b.time.c_str(), b.neighborhood, b.personPath.c_str(),
                            b.celebrityPath.c_str());
        }
        return kExitDone;
    }
    auto backup = store.find(args->positional()[0]);
    if (!backup)
        return fail(kExitFileError, "no backup " + args->positional()[0] + " in " + store.root());
    if (auto refused = refuseWhileGameRuns(
            platform::GameLocation{backup->gameFolder, {}, platform::defaultWinePrefix()}))
        return *refused;
    if (!store.restore(*backup, &error)) return fail(kExitFileError, error);
    std::printf("restored %s\n", backup->personPath.c_str());
    return kExitDone;
}

}  // namespace marquill::cli
