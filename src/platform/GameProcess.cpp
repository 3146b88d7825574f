#include "platform/GameProcess.h"

#include <dirent.h>
#include <limits.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "platform/AsciiCase.h"
#include "platform/Files.h"
#include "platform/GameRegistry.h"

namespace marquill::platform {
namespace {

std::string canonical(const std::string& path) {
    char real[PATH_MAX];
    if (::realpath(path.c_str(), real)) return real;
    // A program that is not there (any more) still names its folder.
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return path;
    if (::realpath(path.substr(0, slash).c_str(), real))
        return std::string(real) + path.substr(slash);
    return path;
}

bool inside(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           (folder.back() == '/' || path[folder.size()] == '/');
}

bool isWindowsPath(std::string_view text) {
    return text.size() >= 3 && text[1] == ':' && (text[2] == '\\' || text[2] == '/') &&
           ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

bool isWineLauncher(std::string_view argument) {
    const size_t slash = argument.rfind('/');
    const std::string_view name =
        slash == std::string_view::npos ? argument : argument.substr(slash + 1);
    return startsWithIgnoringCase(name, "wine");
}

// The program `argument` names, as a Linux path; empty when it names none we can place.
std::string programPath(const std::string& argument, const std::string& winePrefix) {
    if (isWindowsPath(argument)) {
        auto mapped = mapWindowsPath(winePrefix, argument);
        return mapped ? canonical(*mapped) : std::string();
    }
    if (!argument.empty() && argument[0] == '/') return canonical(argument);
    return {};
}

// The prefix a Wine process runs in, from its environment as Wine itself finds it (Proton sets
// WINEPREFIX, and names its compatibility folder besides); none when the environment cannot be
// read (another user's process).
std::optional<std::string> winePrefixOf(const std::vector<std::string>& environment) {
    if (environment.empty()) return std::nullopt;
    std::optional<std::string> home, proton;
    for (const std::string& variable : environment) {
        if (variable.rfind("WINEPREFIX=", 0) == 0 && variable.size() > 11)
            return variable.substr(11);
        if (variable.rfind("STEAM_COMPAT_DATA_PATH=", 0) == 0 && variable.size() > 23)
            proton = variable.substr(23) + "/pfx";
        if (variable.rfind("HOME=", 0) == 0) home = variable.substr(5) + "/.wine";
    }
    return proton ? proton : home;
}

std::vector<std::string> readNulSeparated(const std::string& path) {
    std::vector<std::string> arguments;
    auto bytes = readWholeFile(path);
    if (!bytes) return arguments;
    std::string current;
    for (uint8_t b : *bytes) {
        if (b == 0) {
            arguments.push_back(std::move(current));
            current.clear();
        } else {
            current += static_cast<char>(b);
        }
    }
    if (!current.empty()) arguments.push_back(std::move(current));
    return arguments;
}

// `folder` is canonical already.
bool runsGame(const std::vector<std::string>& arguments, const std::string& folder,
              const std::string& winePrefix) {
    if (arguments.empty()) return false;
    if (inside(programPath(arguments[0], winePrefix), folder)) return true;
    return arguments.size() > 1 && isWineLauncher(arguments[0]) &&
           inside(programPath(arguments[1], winePrefix), folder);
}

bool isProcessNumber(const char* name) {
    if (!*name) return false;
    for (const char* c = name; *c; ++c)
        if (*c < '0' || *c > '9') return false;
    return true;
}

}  // namespace

bool commandLineRunsGame(const std::vector<std::string>& arguments, const std::string& gameFolder,
                         const std::string& winePrefix) {
    return runsGame(arguments, canonical(gameFolder), winePrefix);
}

bool isGameRunningIn(const std::string& procRoot, const std::string& gameFolder,
                     const std::string& winePrefix, int ownPid, const std::string& ownExecutable) {
    const std::string folder = canonical(gameFolder);
    const std::string own = ownExecutable.empty() ? std::string() : canonical(ownExecutable);
    DIR* dir = ::opendir(procRoot.c_str());
    if (!dir) return false;
    bool running = false;
    while (!running) {
        const dirent* entry = ::readdir(dir);
        if (!entry) break;
        if (!isProcessNumber(entry->d_name) || std::atoi(entry->d_name) == ownPid) continue;
        const std::string process = procRoot + "/" + entry->d_name;
        // Another user's executable cannot be read; its command line still can.
        char target[PATH_MAX];
        const ssize_t n = ::readlink((process + "/exe").c_str(), target, sizeof target - 1);
        if (n > 0) {
            std::string exe(target, static_cast<size_t>(n));
            const std::string_view deleted = " (deleted)";
            if (exe.size() > deleted.size() &&
                exe.compare(exe.size() - deleted.size(), deleted.size(), deleted) == 0)
                exe.resize(exe.size() - deleted.size());
            if (exe[0] != '/') exe = process + "/" + exe;
            exe = canonical(exe);
            if (!own.empty() && exe == own) continue;
            running = inside(exe, folder);
        }
        if (running) break;
        // A Windows path is placed through the prefix the process runs in, which may be a
        // launcher's rather than the one the game was found in; through the game's prefix when
        // the process's environment cannot be read.
        const auto prefix = winePrefixOf(readNulSeparated(process + "/environ"));
        running =
            runsGame(readNulSeparated(process + "/cmdline"), folder, prefix ? *prefix : winePrefix);
    }
    ::closedir(dir);
    return running;
}

bool isGameRunning(const std::string& gameFolder, const std::string& winePrefix) {
    return isGameRunningIn("/proc", gameFolder, winePrefix, static_cast<int>(::getpid()),
                           canonical("/proc/self/exe"));
}

}  // namespace marquill::platform
