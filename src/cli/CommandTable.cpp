#include "cli/CommandTable.h"

#include <cstdio>
#include <set>

#include "cli/Args.h"

namespace marquill::cli {
namespace {

const Option kGameDirOptions[] = {
    {"game-dir", "DIR", Value::Folder, "",
     "the game folder; without it, the game found in the Wine prefixes (see games)"},
};

const Option kLookOptions[] = {
    {"gender", "G", Value::Choice, "male|female", "the person's gender"},
    {"skin", "S", Value::Choice, "light|medium|dark", "the skin colour"},
    {"body-type", "T", Value::Choice, "fit|full|thin", "the body type"},
    {"head", "NAME", Value::Text, "", "a head the head list offers"},
    {"head-texture", "NAME", Value::Text, "", "a head texture the list offers"},
    {"body", "NAME", Value::Text, "", "a body the body list offers"},
    {"body-texture", "NAME", Value::Text, "", "a body texture the list offers"},
    {"fashion-body", "NAME", Value::Text, "", "a body of the high-fashion page"},
    {"fashion-texture", "NAME", Value::Text, "", "a body texture of the high-fashion page"},
};

constexpr Option kJson{"json", "", Value::None, "", "prints one JSON document"};
constexpr Option kVerbose{"verbose", "", Value::None, "",
                          "prints the preview's status texts on standard error"};

const CommandSpec kCommands[] = {
    {"help",
     "[COMMAND]",
     "lists the commands, or one command's options",
     runHelp,
     kNoSets,
     {},
     {{"COMMAND", Value::Text}}},
    {"gui",
     "[--game-dir DIR] [--no-splash]",
     "the wizard window (also with no command)",
     nullptr,
     kGameDirSet,
     {{"no-splash", "", Value::None, "", "starts without the splash picture"}}},
    {"demo-game",
     "DIR [--scale N]",
     "writes a demo installation into DIR",
     runDemoGame,
     kNoSets,
     {{"scale", "N", Value::Text, "",
       "multiplies the demo's outfits, textures and animations, 1 to 1000"}},
     {{"DIR", Value::Folder}}},
    {"games",
     "[--json] | --choose N",
     "the games found in the Wine prefixes of the launchers, and which one the commands use",
     runGames,
     kGameDirSet,
     {kJson,
      {"choose", "N", Value::Text, "",
       "remembers game N of the list for the commands and the wizard"}}},
    {"neighborhoods",
     "[--json]",
     "the neighbourhoods that exist",
     runNeighborhoods,
     kGameDirSet,
     {kJson}},
    {"celebrities",
     "--neighborhood N [--json]",
     "the celebrities of a neighbourhood",
     runCelebrities,
     kGameDirSet,
     {{"neighborhood", "N", Value::Text, "", "the neighbourhood's number, 1 to 99"}, kJson}},
    {"templates",
     "[--json]",
     "the celebrity files offered for import",
     runTemplates,
     kGameDirSet,
     {kJson}},
    {"import",
     "--neighborhood N --person FILE --celebrity FILE",
     "replaces a celebrity, keeping a backup",
     runImport,
     kGameDirSet,
     {{"neighborhood", "N", Value::Text, "", "the neighbourhood's number, 1 to 99"},
      {"person", "FILE", Value::Text, "",
       "the person file of the celebrity to replace, as celebrities lists it"},
      {"celebrity", "FILE", Value::Text, "",
       "the celebrity file that takes its place, as templates lists it"}}},
    {"restore",
     "[--list] [BACKUP]",
     "lists backups, or puts one back",
     runRestore,
     kGameDirSet,
     {{"list", "", Value::None, "", "lists the import backups"}, kJson},
     {{"BACKUP", Value::Text}}},
    {"add",
     "FILE... [--json]",
     "installs downloaded celebrities from archives or loose files into TemplateCelebrity",
     runAdd,
     kGameDirSet,
     {kJson},
     {{"FILE...", Value::File}}},
    {"pack",
     "NAME [--out FILE.zip]",
     "a zip of one saved celebrity set, to share",
     runPack,
     kGameDirSet,
     {{"out", "FILE.zip", Value::File, "",
       "where the zip goes; NAME.zip in this folder if not given"}},
     {{"NAME", Value::Text}}},
    {"create",
     "[--from FILE] --out PATH.srf [choices]",
     "saves a celebrity without the wizard",
     runCreate,
     kGameDirSet | kLookSet,
     {{"out", "PATH.srf", Value::File, "",
       "the exchange file to write; a bare name goes into TemplateCelebrity"},
      {"from", "FILE", Value::File, "",
       "a saved celebrity (B.iff, or B.srf beside it) that gives every choice not given"},
      {"name", "TEXT", Value::Text, "", "the celebrity's name"},
      {"description", "TEXT", Value::Text, "", "the celebrity's description"},
      {"traits", "N,N,N,N,N", Value::Text, "",
       "neat, active, playful, outgoing and nice, 0 to 10 each, 25 points in all"},
      {"top", "A,B,C,D,E", Value::Text, "", "the five top interests, by name"},
      {"low", "A,B,C,D,E", Value::Text, "", "the five low interests, by name"},
      {"fame", "LEVEL", Value::Text, "", "the fame level, by name or 0 to 10"},
      kVerbose}},
    {"show",
     "FILE.iff|FILE.srf [--json]",
     "reads a saved celebrity back: its record, its appearance and what had to be repaired",
     runShow,
     kGameDirSet,
     {kJson},
     {{"FILE", Value::File}}},
    {"render",
     "--out FILE.png|FILE.jpg [choices] [--fashion] [--zoom N] [--facing F] [--spin R] "
     "[--time MS] [--seed N]",
     "one frame of the preview as a picture",
     runRender,
     kGameDirSet | kLookSet,
     {{"out", "FILE", Value::File, "", "the picture to write, .png or .jpg"},
      {"fashion", "", Value::None, "", "dresses the person from the high-fashion page"},
      {"zoom", "N", Value::Choice, "0|1|2|3|4", "the zoom, 0 to 4 (default 3)"},
      {"facing", "F", Value::Choice, "0|1|2|3",
       "quarter turns: 0 South East, 1 South West, 2 North West, 3 North East, or those names"},
      {"spin", "R", Value::Text, "", "quarter turns per second"},
      {"time", "MS", Value::Text, "", "milliseconds after the preview got ready (default 0)"},
      {"seed", "N", Value::Text, "", "fixes the idle cycle's choices (default 1)"},
      kVerbose}},
    {"catalog",
     "[--json] [--skeleton N | --outfit N | --animation N]",
     "what the character catalogue holds",
     runCatalog,
     kGameDirSet,
     {kJson,
      {"skeleton", "NAME", Value::Text, "", "one skeleton in full"},
      {"outfit", "NAME", Value::Text, "", "one outfit in full"},
      {"animation", "NAME", Value::Text, "", "one animation in full, with its keyframes"}}},
    {"skins",
     "[choices] [--fashion] [--json]",
     "the look page's head, body and texture lists and its status",
     runSkins,
     kGameDirSet | kLookSet,
     {{"fashion", "", Value::None, "", "shows the high-fashion page"}, kJson}},
    {"iff",
     "FILE [--json] | --create FILE | FILE --extract|--put|--delete TYPE:ID ...",
     "lists or edits a resource file",
     runIff,
     kGameDirSet,
     {kJson,
      {"create", "FILE", Value::File, "", "creates an empty resource file"},
      {"extract", "TYPE:ID", Value::Text, "", "writes a resource's data to the file OUT"},
      {"put", "TYPE:ID[:NAME]", Value::Text, "",
       "adds or replaces a resource with the bytes of the file DATA"},
      {"delete", "TYPE:ID", Value::Text, "", "removes a resource"}},
     {{"FILE", Value::File}, {"OUT|DATA", Value::File}}},
    {"strings",
     "FILE TYPE:ID [--language N] [--exact] [--json]",
     "reads a string set",
     runStrings,
     kGameDirSet,
     {{"language", "N", Value::Text, "", "the language, 0 to 19 (default 0)"},
      {"exact", "", Value::None, "", "only what is stored for that language"},
      kJson},
     {{"FILE", Value::File}, {"TYPE:ID", Value::Text}}},
};

void printOption(const Option& o) {
    std::string words = "--" + std::string(o.name);
    if (!o.argument.empty())
        words += " " + std::string(o.value == Value::Choice ? o.choices : o.argument);
    std::printf("  %-28s %.*s\n", words.c_str(), static_cast<int>(o.help.size()), o.help.data());
}

}  // namespace

std::span<const CommandSpec> commandTable() {
    return kCommands;
}

const CommandSpec* findCommand(std::string_view name) {
    for (const CommandSpec& c : kCommands)
        if (c.name == name) return &c;
    return nullptr;
}

std::span<const Option> optionSet(OptionSets set) {
    switch (set) {
        case kGameDirSet:
            return kGameDirOptions;
        case kLookSet:
            return kLookOptions;
        case kNoSets:
            break;
    }
    return {};
}

std::vector<Option> optionsOf(const CommandSpec& command) {
    std::vector<Option> all;
    for (OptionSets set : {kGameDirSet, kLookSet})
        if (command.sets & set) {
            const auto options = optionSet(set);
            all.insert(all.end(), options.begin(), options.end());
        }
    all.insert(all.end(), command.options.begin(), command.options.end());
    return all;
}

std::optional<Option> findOption(const CommandSpec& command, std::string_view name) {
    for (const Option& o : optionsOf(command))
        if (o.name == name) return o;
    return std::nullopt;
}

std::string usageOf(const CommandSpec& command) {
    std::string text = "marquill " + std::string(command.name);
    if (!command.synopsis.empty()) text += " " + std::string(command.synopsis);
    return text;
}

std::string unlistedOption(const CommandSpec& command, const Words& words) {
    std::set<std::string> flags;
    for (const Option& o : optionsOf(command))
        if (o.value == Value::None) flags.emplace(o.name);
    // A value missing at the end is the command's to report, with its own usage; the option
    // before it must still be one the command takes.
    Words padded = words;
    padded.emplace_back();
    auto args = Args::parse(padded, flags, nullptr);
    if (!args) return {};
    for (const std::string& name : args->optionNames())
        if (!findOption(command, name))
            return "unknown option --" + name + "\nusage: " + usageOf(command) +
                   "\n(marquill help " + std::string(command.name) + " lists its options)";
    return {};
}

int runHelp(const Words& words) {
    if (words.size() > 1) return fail(kExitUsage, "usage: marquill help [COMMAND]");
    if (words.size() == 1) {
        const CommandSpec* command = findCommand(words[0]);
        if (!command) return fail(kExitUsage, "unknown command '" + words[0] + "'");
        std::printf("usage: %s\n\n%.*s\n", usageOf(*command).c_str(),
                    static_cast<int>(command->summary.size()), command->summary.data());
        const std::vector<Option> options = optionsOf(*command);
        if (!options.empty()) std::printf("\noptions:\n");
        for (const Option& o : options)
            printOption(o);
        return kExitDone;
    }
    std::printf(
        "Marquill designs celebrity persons for The Pemms and swaps them into the\n"
        "neighbourhoods of an installed game.\n\n"
        "usage: marquill COMMAND [options]\n\n");
    for (const CommandSpec& c : kCommands)
        std::printf("  %s\n      %.*s\n", usageOf(c).c_str(), static_cast<int>(c.summary.size()),
                    c.summary.data());
    std::printf("\nchoices (create, skins, render):\n");
    for (const Option& o : kLookOptions)
        printOption(o);
    std::printf(
        "\nEvery command but demo-game and help takes --game-dir DIR; without it the game is\n"
        "found in the Wine prefixes of $WINEPREFIX, ~/.wine and the launchers (see marquill\n"
        "games). Exit status: 0 done, 1 refused, 2 usage, 3 file or format error.\n"
        "'marquill help COMMAND' lists a command's options; 'man marquill' tells more.\n");
    return kExitDone;
}

}  // namespace marquill::cli
