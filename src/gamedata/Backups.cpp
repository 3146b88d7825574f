#include "gamedata/Backups.h"

#include <algorithm>

#include "gamedata/PersonFile.h"
#include "platform/Files.h"
#include "platform/SystemClock.h"
#include "platform/UserData.h"

namespace marquill::gamedata {

namespace {

constexpr const char* kManifest = "manifest.txt";

std::optional<Backup> readManifest(const std::string& folder, platform::FileLayer& files) {
    auto bytes = platform::readWholeFile(folder + "/" + kManifest, files);
    if (!bytes) return std::nullopt;
    Backup b;
    b.id = platform::fileNameOf(folder);
    b.folder = folder;
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
            b.savedFile = folder + "/" + value;
    }
    if (b.personPath.empty() || b.savedFile.empty()) return std::nullopt;
    return b;
}

// Every missing folder on the way to `path`.
bool makeFolders(const std::string& path, platform::FileLayer& files) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = slash == std::string::npos ? path : path.substr(0, slash);
        if (!part.empty() && files.createFolder(part) == platform::FileLayer::FolderResult::Failed)
            return false;
        if (slash == std::string::npos) return true;
    }
}

}  // namespace

BackupStore::BackupStore()
    : root_(platform::userDataFolder() + "/backups"), files_(&platform::diskFiles()) {}

std::optional<Backup> BackupStore::save(const std::string& gameFolder, int neighborhood,
                                        const std::string& personPath,
                                        const std::string& celebrityPath, std::string* error) {
    auto fail = [&](const std::string& why) -> std::optional<Backup> {
        if (error) *error = why;
        return std::nullopt;
    };
    auto bytes = platform::readWholeFile(personPath, *files_);
    if (!bytes) return fail("cannot read " + personPath);

    Backup b;
    b.time = platform::utcTimestamp();
    std::string stamp = b.time;
    stamp.erase(std::remove(stamp.begin(), stamp.end(), ':'), stamp.end());
    if (!makeFolders(root_, *files_)) return fail("cannot create " + root_);
    const std::string stem = stamp + "-" + baseName(personPath);
    for (int n = 0; n < 1000; ++n) {
        b.id = n == 0 ? stem : stem + "-" + std::to_string(n);
        const auto made = files_->createFolder(root_ + "/" + b.id);
        if (made == platform::FileLayer::FolderResult::Created) break;
        if (made == platform::FileLayer::FolderResult::Failed)
            return fail("cannot create a backup folder in " + root_);
        b.id.clear();
    }
    if (b.id.empty()) return fail("too many backups named " + stem);
    b.folder = root_ + "/" + b.id;
    b.gameFolder = gameFolder;
    b.neighborhood = neighborhood;
    b.personPath = personPath;
    b.celebrityPath = celebrityPath;
    b.savedFile = b.folder + "/" + fileName(personPath);

    std::string manifest = "game=" + gameFolder + "\nneighborhood=" + std::to_string(neighborhood) +
                           "\nperson=" + personPath + "\ncelebrity=" + celebrityPath +
                           "\ntime=" + b.time + "\nfile=" + fileName(personPath) + "\n";
    if (!platform::writeFileAtomically(b.savedFile, *bytes, *files_) ||
        !platform::writeFileAtomically(
            b.folder + "/" + kManifest,
            std::span(reinterpret_cast<const uint8_t*>(manifest.data()), manifest.size()),
            *files_)) {
        discard(b);
        return fail("cannot write the backup into " + b.folder);
    }
    return b;
}

std::vector<Backup> BackupStore::list() const {
    std::vector<Backup> out;
    for (const auto& entry :
         files_->list(root_).value_or(std::vector<platform::DirectoryEntry>{})) {
        if (!entry.isFolder) continue;
        if (auto b = readManifest(root_ + "/" + entry.name, *files_)) out.push_back(std::move(*b));
    }
    std::sort(out.begin(), out.end(), [](const Backup& a, const Backup& b) { return a.id < b.id; });
    return out;
}

std::optional<Backup> BackupStore::find(const std::string& id) const {
    if (id.empty() || id.find('/') != std::string::npos || id == "." || id == "..")
        return std::nullopt;
    return readManifest(root_ + "/" + id, *files_);
}

bool BackupStore::restore(const Backup& backup, std::string* error) const {
    auto bytes = platform::readWholeFile(backup.savedFile, *files_);
    if (!bytes) {
        if (error) *error = "cannot read " + backup.savedFile;
        return false;
    }
    if (!platform::writeFileAtomically(backup.personPath, *bytes, *files_)) {
        if (error) *error = "cannot write " + backup.personPath;
        return false;
    }
    return true;
}

void BackupStore::discard(const Backup& backup) const {
    // A backup folder holds files only.
    for (const auto& entry :
         files_->list(backup.folder).value_or(std::vector<platform::DirectoryEntry>{}))
        if (!entry.isFolder) (void)files_->remove(backup.folder + "/" + entry.name);
    (void)files_->removeFolder(backup.folder);
}

}  // namespace marquill::gamedata
