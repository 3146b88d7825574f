#pragma once
// The player's folders as the environment names them: the home folder, the XDG base folders and
// an explicit Wine prefix. Everything that looks for launchers' files takes one of these, so a
// test describes a whole home without touching the process's environment.
#include <optional>
#include <string>

namespace marquill::platform {

struct HomeFolders {
    std::string home;
    std::string configHome;                 // $XDG_CONFIG_HOME, else ~/.config
    std::string dataHome;                   // $XDG_DATA_HOME, else ~/.local/share
    std::string cacheHome;                  // $XDG_CACHE_HOME, else ~/.cache
    std::optional<std::string> winePrefix;  // $WINEPREFIX when set and not empty

    // The folders of `home` with the XDG defaults.
    [[nodiscard]] static HomeFolders under(const std::string& home);
    // The process's own environment.
    [[nodiscard]] static HomeFolders fromEnvironment();

    // `path` with a leading "~" or "$HOME" (also "${HOME}") replaced by the home folder.
    [[nodiscard]] std::string expand(const std::string& path) const;
    // The default prefix Wine itself uses: $WINEPREFIX, else ~/.wine.
    [[nodiscard]] std::string defaultWinePrefix() const;
};

}  // namespace marquill::platform
