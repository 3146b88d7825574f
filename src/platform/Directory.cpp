#include "platform/Directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace marquill::platform {

std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path) {
    DIR* dir = ::opendir(path.empty() ? "." : path.c_str());
    if (!dir) return std::nullopt;
    const int dirFd = ::dirfd(dir);
    std::vector<DirectoryEntry> out;
    while (const dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        DirectoryEntry entry;
        entry.name = std::move(name);
        struct stat st;
        if (::fstatat(dirFd, entry.name.c_str(), &st, 0) != 0) continue;  // dangling link
        entry.isFolder = S_ISDIR(st.st_mode);
        entry.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
        out.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    return out;
}

std::optional<std::string> resolvePathIgnoringCase(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return path;
    std::string resolved;
    size_t pos = 0;
    if (!path.empty() && path[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    while (pos <= path.size()) {
        size_t slash = path.find('/', pos);
        if (slash == std::string::npos) slash = path.size();
        std::string part = path.substr(pos, slash - pos);
        pos = slash + 1;
        if (part.empty() || part == ".") {
            if (slash == path.size()) break;
            continue;
        }
        std::string candidate = resolved + part;
        if (part != ".." && ::lstat(candidate.c_str(), &st) != 0) {
            DIR* dir = ::opendir(resolved.empty() ? "." : resolved.c_str());
            if (!dir) return std::nullopt;
            std::string found;
            while (const dirent* e = ::readdir(dir)) {
                if (::strcasecmp(e->d_name, part.c_str()) == 0) {
                    found = e->d_name;
                    break;
                }
            }
            ::closedir(dir);
            if (found.empty()) return std::nullopt;
            candidate = resolved + found;
        }
        resolved = candidate;
        if (slash < path.size()) resolved += '/';
    }
    if (::stat(resolved.c_str(), &st) != 0) return std::nullopt;
    return resolved;
}

bool createEmptyFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    return ::close(fd) == 0;
}

bool copyFileNoReplace(const std::string& from, const std::string& to) {
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        ::close(in);
        return false;
    }
    char buf[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buf + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok) break;
    }
    ::close(in);
    if (::close(out) != 0) ok = false;
    if (!ok) ::unlink(to.c_str());  // never leave a half copy behind
    return ok;
}

bool deleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool isReadOnlyFile(const std::string& path) {
    return ::access(path.c_str(), W_OK) != 0;
}

}  // namespace marquill::platform
