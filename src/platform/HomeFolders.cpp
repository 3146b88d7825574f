#include "platform/HomeFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace marquill::platform {
namespace {

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

// XDG folders must be absolute; a relative one is ignored, as the base-directory rules say.
std::string xdgFolder(const char* name, const std::string& fallback) {
    auto value = variable(name);
    return value && (*value)[0] == '/' ? *value : fallback;
}

}  // namespace

HomeFolders HomeFolders::under(const std::string& home) {
    return HomeFolders{home, home + "/.config", home + "/.local/share", home + "/.cache", {}};
}

HomeFolders HomeFolders::fromEnvironment() {
    std::string home;
    if (auto h = variable("HOME")) {
        home = *h;
    } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        home = pw->pw_dir;
    } else {
        home = "/tmp";
    }
    HomeFolders folders = under(home);
    folders.configHome = xdgFolder("XDG_CONFIG_HOME", folders.configHome);
    folders.dataHome = xdgFolder("XDG_DATA_HOME", folders.dataHome);
    folders.cacheHome = xdgFolder("XDG_CACHE_HOME", folders.cacheHome);
    folders.winePrefix = variable("WINEPREFIX");
    return folders;
}

std::string HomeFolders::expand(const std::string& path) const {
    for (std::string_view lead : {"~", "${HOME}", "$HOME"}) {
        if (path.compare(0, lead.size(), lead) != 0) continue;
        if (path.size() == lead.size() || path[lead.size()] == '/')
            return home + path.substr(lead.size());
    }
    return path;
}

std::string HomeFolders::defaultWinePrefix() const {
    return winePrefix ? *winePrefix : home + "/.wine";
}

}  // namespace marquill::platform
