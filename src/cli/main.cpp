#include <cstdio>
#include <cstring>
#include <string>

#include "cli/Command.h"
#include "ui/GuiMain.h"

namespace marquill::cli {
namespace {

int runHelp(const Words&);

// The first word that is neither the wizard's option nor one of Qt's own (a single dash, as
// `-platform offscreen`); empty when the window takes them all.
std::string firstNonWindowWord(const Words& words) {
    std::size_t i = 0;
    if (i < words.size() && words[i] == "gui") ++i;
    for (; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--no-splash" || word.rfind("--game-dir=", 0) == 0) continue;
        if (word == "--game-dir" && i + 1 < words.size()) {
            ++i;
            continue;
        }
        if (word.size() > 1 && word[0] == '-' && word[1] != '-') {
            if (i + 1 < words.size() && words[i + 1][0] != '-') ++i;  // its value, as `offscreen`
            continue;
        }
        return word;
    }
    return {};
}

// Commands in the order the help lists them.
constexpr Command kCommands[] = {
    {"help", "", "this text", runHelp},
    {"gui", "[--game-dir DIR] [--no-splash]", "the wizard window (also with no command)", nullptr},
    {"demo-game", "DIR [--scale N]", "writes a demo installation into DIR", runDemoGame},
    {"games", "[--json] | --choose N", "the games found, and which one the commands use", runGames},
    {"neighborhoods", "[--json]", "the neighbourhoods that exist", runNeighborhoods},
    {"celebrities", "--neighborhood N [--json]", "the celebrities of a neighbourhood",
     runCelebrities},
    {"templates", "[--json]", "the celebrity files offered for import", runTemplates},
    {"import", "--neighborhood N --person FILE --celebrity FILE",
     "replaces a celebrity, keeping a backup", runImport},
    {"restore", "[--list] [BACKUP]", "lists backups, or puts one back", runRestore},
    {"create", "--out PATH.srf [choices]", "saves a celebrity without the wizard", runCreate},
    {"render",
     "--out FILE.png|FILE.jpg [choices] [--fashion] [--zoom N] [--facing F] [--spin R] "
     "[--time MS] [--seed N]",
     "one frame of the preview as a picture", runRender},
    {"catalog", "[--json] [--skeleton N | --outfit N | --animation N]",
     "what the character catalogue holds", runCatalog},
    {"skins", "[choices] [--fashion] [--json]",
     "the look page's head, body and texture lists and its status", runSkins},
    {"iff", "FILE [--json] | --create FILE | FILE --extract|--put|--delete TYPE:ID ...",
     "lists or edits a resource file", runIff},
    {"strings", "FILE TYPE:ID [--language N] [--exact] [--json]", "reads a string set", runStrings},
};

int runHelp(const Words&) {
    std::printf(
        "Marquill designs celebrity persons for The Pemms and swaps them into the\n"
        "neighbourhoods of an installed game.\n\n"
        "usage: marquill COMMAND [options]\n\n");
    for (const Command& c : kCommands)
        std::printf("  marquill %s%s%s\n      %s\n", c.name, *c.synopsis ? " " : "", c.synopsis,
                    c.summary);
    std::printf(
        "\nEvery command takes --game-dir DIR; without it the game is found in the Wine\n"
        "prefixes of $WINEPREFIX, ~/.wine and the launchers (see marquill games). Exit\n"
        "status: 0 done, 1 refused, 2 usage, 3 file or format error.\n");
    return kExitDone;
}

}  // namespace
}  // namespace marquill::cli

int main(int argc, char** argv) {
    using namespace marquill::cli;
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))
        return runHelp({});
    if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("marquill %s\n", MARQUILL_VERSION);
        return kExitDone;
    }
    // No command, or only the wizard's own words: the wizard. Anything else is answered here,
    // so a mistyped option needs no display.
    if (argc < 2 || std::strcmp(argv[1], "gui") == 0 || argv[1][0] == '-') {
        const std::string stray = firstNonWindowWord(Words(argv + 1, argv + argc));
        if (!stray.empty())
            return fail(kExitUsage, "unknown option '" + stray +
                                        "'\nusage: marquill [gui] [--game-dir DIR] [--no-splash]");
        return marquill::ui::runGui(argc, argv);
    }
    Words words(argv + 2, argv + argc);
    for (const Command& c : kCommands)
        if (c.run && c.name == std::string(argv[1])) return c.run(words);
    return fail(kExitUsage, std::string("unknown command '") + argv[1] + "' (see marquill --help)");
}
