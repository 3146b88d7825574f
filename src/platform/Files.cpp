#include "platform/Files.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/ScratchFile.h"

namespace marquill::platform {

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::vector<uint8_t> out;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.insert(out.end(), buf, buf + n);
    bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) return std::nullopt;
    return out;
}

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path, FileLayer& files) {
    auto file = files.open(path, FileLayer::Mode::ReadOnly);
    if (!file) return std::nullopt;
    std::vector<uint8_t> out;
    // Read to the end rather than to a length taken first, so a file that grows is read whole.
    for (;;) {
        const size_t at = out.size();
        out.resize(at + 65536);
        auto got = file->readAt(at, out.data() + at, 65536);
        if (!got) return std::nullopt;
        out.resize(at + *got);
        if (*got == 0) return out;
    }
}

bool writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         FileLayer& files) {
    ScratchFile scratch(path, files);
    return scratch.write(bytes) && scratch.commit();
}

bool fileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string parentFolder(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace marquill::platform
