#include "cli/GameFolder.h"

#include <cstdlib>

#include "platform/Files.h"
#include "platform/GameRegistry.h"

namespace marquill::cli {

std::optional<std::string> gameFolderFrom(const Args& args, std::string* error) {
    auto dir = args.value("game-dir");
    if (!dir) {
        // As the wizard finds it: where the game's installer recorded it in the Wine prefix.
        const std::string prefix = platform::defaultWinePrefix();
        if (auto folder = platform::gameFolderFromWine(prefix)) return folder;
        *error = "The Pemms is not recorded in the Wine prefix " + prefix +
                 "; give its folder with --game-dir DIR";
        return std::nullopt;
    }
    if (!platform::isDirectory(*dir)) {
        *error = "the game folder " + *dir + " does not exist";
        return std::nullopt;
    }
    std::string folder = *dir;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::optional<int> neighborhoodFrom(const Args& args, std::string* error) {
    auto text = args.value("neighborhood");
    if (!text) {
        *error = "--neighborhood N is required";
        return std::nullopt;
    }
    char* end = nullptr;
    long n = std::strtol(text->c_str(), &end, 10);
    if (text->empty() || *end != '\0' || n < 1 || n > 99) {
        *error = "--neighborhood takes 1 to 99";
        return std::nullopt;
    }
    return static_cast<int>(n);
}

std::string unknownOption(const Args& args, std::initializer_list<const char*> known) {
    for (const std::string& name : args.optionNames()) {
        bool ok = false;
        for (const char* k : known)
            ok = ok || name == k;
        if (!ok) return "unknown option --" + name;
    }
    return {};
}

}  // namespace marquill::cli
