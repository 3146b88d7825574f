#include "gamedata/Backups.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "gamedata/PersonFile.h"
#include "platform/Files.h"
#include "platform/SystemClock.h"
#include "platform/UserData.h"

namespace marquill::gamedata {

namespace fs = std::filesystem;

namespace {

constexpr const char* kManifest = "manifest.txt";

std::optional<Backup> readManifest(const fs::path& folder) {
    auto bytes = platform::readWholeFile((folder / kManifest).string());
    if (!bytes) return std::nullopt;
    Backup b;
    b.id = folder.filename().string();
    b.folder = folder.string();
    std::string text(bytes->begin(), bytes->end());
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "game")
            b.gameFolder = value;
        else if (key == "neighborhood")
            b.neighborhood = std::atoi(value.c_str());
        else if (key == "person")
            b.personPath = value;
        else if (key == "celebrity")
            b.celebrityPath = value;
        else if (key == "time")
            b.time = value;
        else if (key == "file")
            b.savedFile = (folder / value).string();
    }
    if (b.personPath.empty() || b.savedFile.empty()) return std::nullopt;
    return b;
}

}  // namespace

BackupStore::BackupStore() : root_(platform::userDataFolder() + "/backups") {}

std::optional<Backup> BackupStore::save(const std::string& gameFolder, int neighborhood,
                                        const std::string& personPath,
                                        const std::string& celebrityPath, std::string* error) {
    auto fail = [&](const std::string& why) -> std::optional<Backup> {
        if (error) *error = why;
        return std::nullopt;
    };
    auto bytes = platform::readWholeFile(personPath);
    if (!bytes) return fail("cannot read " + personPath);

    Backup b;
    b.time = platform::utcTimestamp();
    std::string stamp = b.time;
    stamp.erase(std::remove(stamp.begin(), stamp.end(), ':'), stamp.end());
    std::error_code ec;
    fs::create_directories(root_, ec);
    if (ec) return fail("cannot create " + root_ + ": " + ec.message());
    const std::string stem = stamp + "-" + baseName(personPath);
    for (int n = 0; n < 1000; ++n) {
        b.id = n == 0 ? stem : stem + "-" + std::to_string(n);
        if (fs::create_directory(fs::path(root_) / b.id, ec)) break;
        if (ec) return fail("cannot create a backup folder in " + root_ + ": " + ec.message());
        b.id.clear();
    }
    if (b.id.empty()) return fail("too many backups named " + stem);
    b.folder = (fs::path(root_) / b.id).string();
    b.gameFolder = gameFolder;
    b.neighborhood = neighborhood;
    b.personPath = personPath;
    b.celebrityPath = celebrityPath;
    b.savedFile = (fs::path(b.folder) / fileName(personPath)).string();

    std::string manifest = "game=" + gameFolder + "\nneighborhood=" + std::to_string(neighborhood) +
                           "\nperson=" + personPath + "\ncelebrity=" + celebrityPath +
                           "\ntime=" + b.time + "\nfile=" + fileName(personPath) + "\n";
    if (!platform::writeFileAtomically(b.savedFile, *bytes) ||
        !platform::writeFileAtomically(
            (fs::path(b.folder) / kManifest).string(),
            std::span(reinterpret_cast<const uint8_t*>(manifest.data()), manifest.size()))) {
        discard(b);
        return fail("cannot write the backup into " + b.folder);
    }
    return b;
}

std::vector<Backup> BackupStore::list() const {
    std::vector<Backup> out;
    std::error_code ec;
    for (fs::directory_iterator it(root_, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec)) continue;
        if (auto b = readManifest(it->path())) out.push_back(std::move(*b));
    }
    std::sort(out.begin(), out.end(), [](const Backup& a, const Backup& b) { return a.id < b.id; });
    return out;
}

std::optional<Backup> BackupStore::find(const std::string& id) const {
    if (id.empty() || id.find('/') != std::string::npos || id == "." || id == "..")
        return std::nullopt;
    return readManifest(fs::path(root_) / id);
}

bool BackupStore::restore(const Backup& backup, std::string* error) const {
    auto bytes = platform::readWholeFile(backup.savedFile);
    if (!bytes) {
        if (error) *error = "cannot read " + backup.savedFile;
        return false;
    }
    if (!platform::writeFileAtomically(backup.personPath, *bytes)) {
        if (error) *error = "cannot write " + backup.personPath;
        return false;
    }
    return true;
}

void BackupStore::discard(const Backup& backup) const {
    std::error_code ec;
    fs::remove_all(backup.folder, ec);
}

}  // namespace marquill::gamedata
