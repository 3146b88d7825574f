#pragma once
// Every import first copies the person file it replaces into a backup folder of its own under the
// user's data folder (backups/<time>-<person>/), with a manifest saying where it came from, so
// that `restore` can put it back.
//
// manifest.txt, one "key=value" per line (LF): game, neighborhood, person, celebrity, time, file.
#include <optional>
#include <string>
#include <vector>

#include "platform/FileLayer.h"

namespace marquill::gamedata {

struct Backup {
    std::string id;      // the folder's name
    std::string folder;  // full path
    std::string gameFolder;
    int neighborhood = 0;
    std::string personPath;     // the file that was replaced
    std::string celebrityPath;  // the file it was replaced with
    std::string time;           // UTC, ISO 8601
    std::string savedFile;      // the copy in the backup folder
};

class BackupStore {
  public:
    // The user's store: $XDG_DATA_HOME/marquill/backups.
    BackupStore();
    explicit BackupStore(std::string root, platform::FileLayer& files = platform::diskFiles())
        : root_(std::move(root)), files_(&files) {}

    [[nodiscard]] const std::string& root() const { return root_; }
    // Copies the person file and writes the manifest; none (and nothing left behind) on failure.
    [[nodiscard]] std::optional<Backup> save(const std::string& gameFolder, int neighborhood,
                                             const std::string& personPath,
                                             const std::string& celebrityPath, std::string* error);
    // Oldest first.
    [[nodiscard]] std::vector<Backup> list() const;
    [[nodiscard]] std::optional<Backup> find(const std::string& id) const;
    // Puts the saved file back in place (atomically); false with a reason on failure.
    [[nodiscard]] bool restore(const Backup& backup, std::string* error) const;
    void discard(const Backup& backup) const;

  private:
    std::string root_;
    platform::FileLayer* files_;
};

}  // namespace marquill::gamedata
