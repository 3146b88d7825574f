#include <cstdio>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "gamedata/CelebrityPack.h"
#include "gamedata/GamePaths.h"
#include "platform/Files.h"

namespace marquill::cli {

int runPack(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(*args, {"out", "game-dir"}); !bad.empty())
        return fail(kExitUsage, bad);
    if (args->positional().size() != 1)
        return fail(kExitUsage, "usage: marquill pack NAME [--out FILE.zip]");
    const std::string& name = args->positional().front();
    GameLookupError lookup;
    auto game = gameFolderFrom(*args, &lookup);
    if (!game) return fail(lookup.exit, lookup.message);
    gamedata::GamePaths paths(*game);
    std::string folder = paths.templateCelebrityFolder();
    folder.pop_back();

    auto packed = gamedata::packCelebrity(folder, name);
    if (!packed.zip) return fail(kExitRefused, packed.problem);
    const std::string out = args->value("out").value_or(name + ".zip");
    if (!platform::writeFileAtomically(out, *packed.zip))
        return fail(kExitFileError, out + " could not be written");
    for (const auto& f : packed.files)
        std::printf("%s\n", f.c_str());
    std::printf("packed into %s\n", out.c_str());
    return kExitDone;
}

}  // namespace marquill::cli
