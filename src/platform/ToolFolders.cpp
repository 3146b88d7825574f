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

std::string currentFolder() {
    char cwd[PATH_MAX];
    return ::getcwd(cwd, sizeof cwd) ? std::string(cwd) : std::string(".");
}

std::string toolDataFolderFor(const std::string& name) {
    const std::string here = currentFolder();
    const std::string exe = executableFolder();
    for (const std::string& folder : {here, exe, exe + "/../share/marquill"})
        if (fileExists(folder + "/" + name)) return folder;
    return here;
}

std::string toolStartupFolder() {
    return toolDataFolderFor(kTemplateFileName);
}

std::string findToolDataFile(const std::string& name) {
    return toolDataFolderFor(name) + "/" + name;
}

}  // namespace marquill::platform
