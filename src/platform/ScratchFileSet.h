#pragma once
// Several files that belong together (a saved celebrity's exchange file, person file and
// snapshots) replace their older namesakes together or not at all: each is built under its
// scratch name, and only when every one is complete are all of them synced and then renamed into
// place. Until then a failure leaves the folder as it was; the renames are the one step left that
// cannot be taken back, and a rename within one folder does not fail for want of space.
#include <memory>
#include <string>
#include <vector>

#include "platform/ScratchFile.h"

namespace marquill::platform {

class ScratchFileSet {
  public:
    explicit ScratchFileSet(FileLayer& files = diskFiles()) : files_(files) {}
    ScratchFileSet(const ScratchFileSet&) = delete;
    ScratchFileSet& operator=(const ScratchFileSet&) = delete;

    // The scratch file for `target`; it lives as long as the set.
    ScratchFile& add(std::string target);
    // Syncs every scratch file, then renames each over its target. False when a scratch file is
    // missing or cannot be synced (nothing is renamed then) or a rename fails.
    [[nodiscard]] bool commit();

  private:
    FileLayer& files_;
    std::vector<std::unique_ptr<ScratchFile>> members_;
};

}  // namespace marquill::platform
