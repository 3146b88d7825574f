#pragma once
// A file the player cares about is never rewritten where it lies: the new one is built under a
// scratch name in the same folder, synced, and renamed over the old one, so that the game and
// the tool find the old file or the whole new one, whenever the program is stopped.
//
// Scratch names are "." + the target's name + ".marquill-" + the run's tag + ".tmp": hidden, and
// matched by no listing for "*.iff", "*.srf" or "User*.iff". One left behind by a run that was
// killed is removed the next time a scratch file is made in that folder.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/FileLayer.h"

namespace marquill::platform {

class ScratchFile {
  public:
    // Whether the folder is cleared of leftovers now, or the caller did it already (once for a
    // batch of files in one folder).
    enum class Leftovers { RemoveNow, AlreadyRemoved };
    // Clears the target's folder of scratch files whose run has ended, and of this run's own
    // scratch file for the same target.
    explicit ScratchFile(std::string target, FileLayer& files = diskFiles(),
                         Leftovers leftovers = Leftovers::RemoveNow);
    // Removes the scratch file unless it was committed.
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] const std::string& target() const { return target_; }

    // The scratch file starts as a copy of the target.
    [[nodiscard]] bool copyTarget();
    // The scratch file holds exactly `bytes`.
    [[nodiscard]] bool write(std::span<const uint8_t> bytes);
    // Waits until the scratch file is on the disk; false when it is missing.
    [[nodiscard]] bool sync();
    enum class Durability { SyncFirst, AlreadySynced };
    // Syncs the scratch file (unless the caller just did) and renames it over the target. On
    // failure the scratch file is removed and the target is as it was.
    [[nodiscard]] bool commit(Durability durability = Durability::SyncFirst);
    // For a batch of new files made durable together (FileLayer::syncFiles before, syncFolder
    // after): renames the scratch file to the target, which must not exist yet. On failure the
    // scratch file stays until discarded.
    [[nodiscard]] bool placeAsNew();
    void discard();

  private:
    FileLayer& files_;
    std::string target_;
    std::string path_;
    bool committed_ = false;
};

[[nodiscard]] bool isScratchFileName(std::string_view name);
// Removes the scratch files in `folder` whose run has ended.
void removeLeftoverScratchFiles(const std::string& folder, FileLayer& files);

}  // namespace marquill::platform
