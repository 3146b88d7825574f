#include <cstdio>
#include <cstring>
#include <string>

#include "cli/CommandTable.h"
#include "ui/GuiMain.h"

namespace marquill::cli {
namespace {

// Reads the wizard's options into `options` through the command table; the first word that is
// neither one of them nor one of Qt's own (a single dash, as `-platform offscreen`), empty when
// the window takes them all.
std::string readWindowOptions(const Words& words, marquill::ui::GuiOptions& options) {
    std::size_t i = 0;
    if (i < words.size() && words[i] == "gui") ++i;
    for (; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.rfind("--", 0) == 0) {
            const std::string name = word.substr(2, word.find('=') - 2);
            const auto option = findOption(*findCommand("gui"), name);
            if (!option) return word;
            std::string value;
            if (option->value != Value::None) {
                if (const size_t equals = word.find('='); equals != std::string::npos) {
                    value = word.substr(equals + 1);
                } else {
                    if (i + 1 >= words.size()) return word;
                    value = words[++i];
                }
            }
            if (name == "no-splash") options.splash = false;
            if (name == "game-dir") options.gameFolder = value;
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
        marquill::ui::GuiOptions options;
        const std::string stray = readWindowOptions(Words(argv + 1, argv + argc), options);
        if (!stray.empty())
            return fail(kExitUsage, "unknown option '" + stray +
                                        "'\nusage: marquill [gui] [--game-dir DIR] [--no-splash]");
        return marquill::ui::runGui(argc, argv, options);
    }
    Words words(argv + 2, argv + argc);
    if (const CommandSpec* c = findCommand(argv[1]); c && c->run) {
        if (auto bad = unlistedOption(*c, words); !bad.empty()) return fail(kExitUsage, bad);
        return c->run(words);
    }
    return fail(kExitUsage, std::string("unknown command '") + argv[1] + "' (see marquill --help)");
}
