#include <cstdio>
#include <cstring>
#include <string>

#include "cli/Command.h"

namespace marquill::cli {
namespace {

int runHelp(const Words&);

// Commands in the order the help lists them.
constexpr Command kCommands[] = {
    {"help", "marquill help                          this text", runHelp},
    {"demo-game", "marquill demo-game DIR [--scale N]     writes a demo installation into DIR",
     runDemoGame},
    {"catalog", "marquill catalog [--json] [--skeleton N | --outfit N | --animation N]",
     runCatalog},
    {"iff",
     "marquill iff FILE [--json]             lists a resource file; also --create FILE,\n"
     "                                         --extract T:ID OUT, --put T:ID[:NAME] DATA,\n"
     "                                         --delete T:ID",
     runIff},
    {"strings", "marquill strings FILE TYPE:ID          reads a string set [--language N] [--json]",
     runStrings},
    {"neighborhoods", "marquill neighborhoods [--json]         the neighbourhoods that exist",
     runNeighborhoods},
    {"celebrities",
     "marquill celebrities --neighborhood N [--json]   the celebrities of a neighbourhood",
     runCelebrities},
    {"templates", "marquill templates [--json]             the celebrity files offered for import",
     runTemplates},
    {"import",
     "marquill import --neighborhood N --person FILE --celebrity FILE   replaces a celebrity",
     runImport},
    {"restore", "marquill restore [--list] [BACKUP]      lists backups, or puts one back",
     runRestore},
    {"create", "marquill create --out PATH.srf [choices]   saves a celebrity without the wizard",
     runCreate},
};

int runHelp(const Words&) {
    std::printf(
        "Marquill designs celebrity persons for The Pemms and swaps them into the\n"
        "neighbourhoods of an installed game.\n\n"
        "usage: marquill COMMAND [options]\n\n");
    for (const Command& c : kCommands)
        std::printf("  %s\n", c.synopsis);
    std::printf(
        "\nEvery command takes --game-dir DIR. Exit status: 0 done, 1 refused, 2 usage,\n"
        "3 file or format error.\n");
    return kExitDone;
}

}  // namespace
}  // namespace marquill::cli

int main(int argc, char** argv) {
    using namespace marquill::cli;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)
        return runHelp({});
    Words words(argv + 2, argv + argc);
    for (const Command& c : kCommands)
        if (c.name == std::string(argv[1])) return c.run(words);
    return fail(kExitUsage, std::string("unknown command '") + argv[1] + "' (see marquill --help)");
}
