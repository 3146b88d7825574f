#include "character/BoneNameTable.h"

namespace marquill::character {

int BoneNameTable::intern(const std::string& name) {
    auto [it, added] = ids_.try_emplace(name, static_cast<int>(names_.size()));
    if (added) names_.push_back(name);
    return it->second;
}

int BoneNameTable::find(const std::string& name) const {
    auto it = ids_.find(name);
    return it == ids_.end() ? -1 : it->second;
}

}  // namespace marquill::character
