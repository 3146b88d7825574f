#include "platform/ToolFolders.h"

#include <limits.h>
#include <unistd.h>

#include "platform/Files.h"

namespace marquill::platform {

std::string executableFolder() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string path(buf, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string findToolDataFile(const std::string& name) {
    char cwd[PATH_MAX];
    std::string here = ::getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + name : name;
    if (fileExists(here)) return here;
    const std::string exe = executableFolder();
    for (const std::string& candidate : {exe + "/" + name, exe + "/../share/marquill/" + name})
        if (fileExists(candidate)) return candidate;
    return here;
}

}  // namespace marquill::platform
