#include "platform/GameLocation.h"

#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/GameRegistry.h"

namespace marquill::platform {

std::string absolutePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return path;
    std::string out = absolute.lexically_normal().string();
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    return out;
}

std::string GameLocation::gamePath(const std::string& path) const {
    const std::string full = absolutePath(path);
    if (windowsFolder.empty()) return full;
    const std::string base = absolutePath(folder);
    if (full.compare(0, base.size(), base) != 0 ||
        (full.size() > base.size() && full[base.size()] != '/'))
        return full;
    std::string out = windowsFolder;
    while (!out.empty() && (out.back() == '\\' || out.back() == '/'))
        out.pop_back();
    for (size_t i = base.size(); i < full.size(); ++i)
        out += full[i] == '/' ? '\\' : full[i];
    return out;
}

std::optional<GameLocation> locateGame(const std::optional<std::string>& givenFolder,
                                       const std::string& winePrefix, FolderRule rule,
                                       GameLocationError* error) {
    *error = GameLocationError::None;
    if (givenFolder) {
        if (rule == FolderRule::MustExist && !isDirectory(*givenFolder)) {
            *error = GameLocationError::NoSuchFolder;
            return std::nullopt;
        }
        return GameLocation{absolutePath(*givenFolder), {}, winePrefix};
    }
    auto install = rule == FolderRule::MustExist ? gameInstallFromWine(winePrefix)
                                                 : recordedGameInstall(winePrefix);
    if (!install) {
        *error = GameLocationError::NotRecorded;
        return std::nullopt;
    }
    return GameLocation{install->folder, install->windowsPath, winePrefix};
}

}  // namespace marquill::platform
