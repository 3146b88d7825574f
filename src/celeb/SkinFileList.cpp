#include "celeb/SkinFileList.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "platform/AsciiCase.h"
#include "platform/GamePath.h"

namespace marquill::celeb {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool readable(const std::string& path) {
    return File(std::fopen(path.c_str(), "rb")) != nullptr;
}

// Lines of at most 1023 characters, as the outfit files are read; the line end is dropped.
bool nextLine(std::FILE* f, std::string* line) {
    char buf[1024];
    if (!std::fgets(buf, sizeof buf, f)) return false;
    std::string_view s(buf);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.remove_suffix(1);
    *line = std::string(s);
    return true;
}

}  // namespace

bool SkinFileList::add(const std::string& path) {
    if (std::find(paths_.begin(), paths_.end(), path) != paths_.end()) return true;
    if (paths_.size() >= kCapacity) return false;
    paths_.push_back(path);
    return true;
}

void SkinFileList::addOutfit(const std::string& gameFolder, const std::string& outfit) {
    std::string cmx = platform::resolveGamePath(gameFolder, "GameData/Skins/" + outfit + ".cmx");
    File f(std::fopen(cmx.c_str(), "rb"));
    if (!f) return;
    add(cmx);
    std::string line;
    while (nextLine(f.get(), &line)) {
        line = platform::toLowerAscii(line);
        if (line.find("xskin") == std::string::npos) continue;
        std::string skn = platform::resolveGamePath(gameFolder, "GameData/Skins/" + line + ".skn");
        File mesh(std::fopen(skn.c_str(), "rb"));
        if (!mesh) continue;
        add(skn);
        std::string first, second;
        if (!nextLine(mesh.get(), &first) || !nextLine(mesh.get(), &second)) continue;
        std::string bmp =
            platform::resolveGamePath(gameFolder, "GameData/Skins/" + second + ".bmp");
        if (readable(bmp)) add(bmp);
    }
}

void SkinFileList::collect(const std::string& gameFolder, const character::Appearance& look) {
    auto addTexture = [&](const std::string& name) {
        std::string bmp = platform::resolveGamePath(gameFolder, "GameData/Skins/" + name + ".bmp");
        if (readable(bmp)) add(bmp);
    };
    addOutfit(gameFolder, look.bodyMesh);
    addTexture(look.bodyTexture);
    addOutfit(gameFolder, look.headMesh);
    addTexture(look.headTexture);
}

}  // namespace marquill::celeb
