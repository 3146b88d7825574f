#include "platform/UserData.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace marquill::platform {

std::string userDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        return std::string(xdg) + "/marquill";
    std::string home;
    if (const char* h = std::getenv("HOME"); h && h[0]) {
        home = h;
    } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        home = pw->pw_dir;
    } else {
        home = "/tmp";
    }
    return home + "/.local/share/marquill";
}

}  // namespace marquill::platform
