#include <cstdio>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "gamedata/CelebritySearch.h"
#include "gamedata/GamePaths.h"
#include "gamedata/ReplaceCelebrity.h"
#include "platform/AsciiCase.h"
#include "platform/Cp1252.h"
#include "platform/GamePath.h"

namespace marquill::cli {

int runImport(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(*args, {"game-dir", "neighborhood", "person", "celebrity"});
        !bad.empty())
        return fail(kExitUsage, bad);
    GameLookupError lookup;
    auto location = gameLocationFrom(*args, &lookup);
    if (!location) return fail(lookup.exit, lookup.message);
    const std::string& game = location->folder;
    auto n = neighborhoodFrom(*args, &error);
    if (!n) return fail(kExitUsage, error);
    auto person = args->value("person");
    auto celebrity = args->value("celebrity");
    if (!person || !celebrity)
        return fail(kExitUsage,
                    "usage: marquill import --neighborhood N --person FILE --celebrity FILE");
    if (auto refused = refuseWhileGameRuns(*location)) return *refused;
    gamedata::GamePaths paths(game);

    // Only a celebrity of this neighbourhood may be replaced, as in the wizard's list.
    auto found = gamedata::searchCelebrities(paths, *n);
    if (!found.found())
        return fail(kExitRefused,
                    "There are no celebrities in the neighborhood you specified.  You'll need to "
                    "run the game once in that neighborhood to create them.");
    const std::string personName = gamedata::entryFileName(*person);
    const gamedata::CelebrityEntry* entry = nullptr;
    for (const auto& e : found.entries)
        if (platform::equalsIgnoringCase(e.fileName, personName)) entry = &e;
    if (!entry)
        return fail(kExitRefused, personName + " is not a celebrity of neighbourhood " +
                                      std::to_string(*n) + "; see marquill celebrities");

    gamedata::ReplaceRequest request;
    request.gameFolder = game;
    request.neighborhood = *n;
    request.personPath = paths.personFolder(*n) + entry->fileName;
    request.celebrityPath = celebrity->find('/') == std::string::npos
                                ? platform::resolveGamePath(game, "TemplateCelebrity/" + *celebrity)
                                : *celebrity;
    gamedata::BackupStore backups;
    gamedata::ClockGuidSource guids;
    auto result = gamedata::replaceCelebrity(request, backups, guids);
    if (result.outcome != gamedata::ReplaceResult::Outcome::Replaced)
        return fail(kExitFileError,
                    result.message + " (result " + std::to_string(result.code) + ")");
    std::printf("Your downloaded pemm is now available in game.\n");
    std::printf("%s is now \"%s\"; backup %s\n", entry->fileName.c_str(),
                platform::cp1252ToUtf8(result.objectName).c_str(), result.backup.id.c_str());
    return kExitDone;
}

}  // namespace marquill::cli
