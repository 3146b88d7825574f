#include "platform/RememberedGame.h"

#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/ProfileStrings.h"

namespace marquill::platform {
namespace {

constexpr std::string_view kSection = "Marquill";

}  // namespace

std::string rememberedGameFile(const HomeFolders& home) {
    return home.configHome + "/marquill/marquill.conf";
}

RememberedRead readRememberedGame(const HomeFolders& home) {
    const std::string path = rememberedGameFile(home);
    if (!fileExists(path)) return {};
    auto bytes = readWholeFile(path);
    if (!bytes) return {std::nullopt, path + " cannot be read; it is ignored"};
    const auto document = ProfileDocument::parse(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    const std::string* folder = document.get(kSection, "game");
    if (!folder || folder->empty() || (*folder)[0] != '/')
        return {std::nullopt, path + " names no game folder; it is ignored"};
    RememberedGame game{*folder, {}, {}};
    if (const std::string* prefix = document.get(kSection, "prefix")) game.prefix = *prefix;
    if (const std::string* windows = document.get(kSection, "windows")) game.windowsPath = *windows;
    return {game, {}};
}

bool rememberGame(const HomeFolders& home, const RememberedGame& game) {
    const std::string path = rememberedGameFile(home);
    const std::string folder = parentFolder(path);
    std::error_code error;
    std::filesystem::create_directories(folder, error);  // a failure shows in the write below
    // Keeps whatever else a later version or the player put into the file.
    ProfileDocument document;
    if (auto bytes = readWholeFile(path))
        document = ProfileDocument::parse(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    document.set(kSection, "game", game.folder);
    document.set(kSection, "prefix", game.prefix);
    document.set(kSection, "windows", game.windowsPath);
    const std::string text = document.text();
    return writeFileAtomically(
        path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace marquill::platform
