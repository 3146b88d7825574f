#include "platform/GamePath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/AsciiCase.h"

namespace marquill::platform {

namespace {

// The on-disk spelling of `name` in `dir`: the exact name when it exists, else the first entry
// (in byte order, so the choice is stable) equal ignoring case, else `name` itself.
std::string spellingIn(const std::string& dir, std::string_view name) {
    std::string exact = dir + "/" + std::string(name);
    struct stat st;
    if (::lstat(exact.c_str(), &st) == 0) return std::string(name);
    DIR* d = ::opendir(dir.empty() ? "/" : dir.c_str());
    if (!d) return std::string(name);
    std::string best;
    while (dirent* e = ::readdir(d)) {
        std::string_view candidate(e->d_name);
        if (equalsIgnoringCase(candidate, name) && (best.empty() || candidate < best))
            best = std::string(candidate);
    }
    ::closedir(d);
    return best.empty() ? std::string(name) : best;
}

}  // namespace

std::string resolveGamePath(std::string_view base, std::string_view relative) {
    std::string path(base);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    size_t pos = 0;
    bool exists = true;  // once a component is missing, nothing below it can exist
    while (pos <= relative.size()) {
        size_t end = relative.find_first_of("/\\", pos);
        if (end == std::string_view::npos) end = relative.size();
        std::string_view part = relative.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".") continue;
        std::string component = exists ? spellingIn(path, part) : std::string(part);
        if (exists) {
            struct stat st;
            exists = ::lstat((path + "/" + component).c_str(), &st) == 0;
        }
        path += (path == "/" ? "" : "/") + component;
    }
    return path;
}

std::string resolveFileName(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return spellingIn(".", path);
    std::string folder = path.substr(0, slash);
    return folder + "/" + spellingIn(folder.empty() ? "/" : folder, path.substr(slash + 1));
}

bool wildcardMatchIgnoringCase(std::string_view pattern, std::string_view name) {
    // Iterative matcher with one back-tracking point for the last "*".
    size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> findFiles(const std::string& dir, std::string_view pattern) {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.c_str());
    if (!d) return names;
    while (dirent* e = ::readdir(d)) {
        std::string_view name(e->d_name);
        if (!wildcardMatchIgnoringCase(pattern, name)) continue;
        if (e->d_type != DT_REG) {
            struct stat st;
            if (e->d_type != DT_UNKNOWN && e->d_type != DT_LNK) continue;
            if (::stat((dir + "/" + std::string(name)).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                continue;
        }
        names.emplace_back(name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        std::string la = toLowerAscii(a), lb = toLowerAscii(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

}  // namespace marquill::platform
