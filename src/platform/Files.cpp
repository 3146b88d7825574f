#include "platform/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/ByteSink.h"

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

bool writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
    std::string temp = path + ".marquill-tmp";
    FileSink sink(temp);
    sink.write(bytes);
    if (!sink.close(FileSink::Durability::Synced) || std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::string scratchPathIn(const std::string& folder, const std::string& stem) {
    return folder + "/." + stem + ".marquill-" + std::to_string(::getpid()) + ".tmp";
}

bool fileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace marquill::platform
