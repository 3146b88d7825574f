#include "platform/ScratchFileSet.h"

namespace marquill::platform {

ScratchFile& ScratchFileSet::add(std::string target) {
    members_.push_back(std::make_unique<ScratchFile>(std::move(target), files_));
    return *members_.back();
}

bool ScratchFileSet::commit() {
    for (const auto& member : members_)
        if (!member->sync()) return false;
    bool all = true;
    for (const auto& member : members_)
        all = member->commit(ScratchFile::Durability::AlreadySynced) && all;
    return all;
}

}  // namespace marquill::platform
