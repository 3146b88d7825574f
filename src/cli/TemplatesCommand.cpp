#include <cstdio>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "cli/Json.h"
#include "gamedata/CelebrityPackage.h"
#include "gamedata/CelebritySearch.h"
#include "gamedata/ChosenPerson.h"
#include "gamedata/GamePaths.h"

namespace marquill::cli {

int runTemplates(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"json"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(*args, {"json", "game-dir"}); !bad.empty())
        return fail(kExitUsage, bad);
    GameLookupError lookup;
    auto game = gameFolderFrom(*args, &lookup);
    if (!game) return fail(lookup.exit, lookup.message);
    gamedata::GamePaths paths(*game);

    const auto files = gamedata::listCelebrityFiles(paths);
    if (args->has("json")) {
        Json json;
        json.beginArray();
        for (const std::string& f : files) {
            auto person = gamedata::readChosenPerson(paths.templateCelebrityFolder() + f);
            std::string folder = paths.templateCelebrityFolder();
            folder.pop_back();
            using gamedata::SetPart;
            json.beginObject()
                .field("file", f)
                .field("name", person.displayName)
                .field("head_snapshot",
                       gamedata::companionPath(folder, f, SetPart::HeadSnapshot).has_value())
                .field("body_snapshot",
                       gamedata::companionPath(folder, f, SetPart::BodySnapshot).has_value())
                .endObject();
        }
        json.endArray();
        std::printf("%s\n", json.str().c_str());
    } else {
        for (const std::string& f : files)
            std::printf("%s\n", f.c_str());
    }
    return kExitDone;
}

}  // namespace marquill::cli
