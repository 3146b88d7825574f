#include "character/CharacterRecords.h"

#include <algorithm>

namespace marquill::character {

void PropertyList::set(std::string key, std::string value) {
    for (auto& [k, v] : pairs) {
        if (k == key) {
            v = std::move(value);
            return;
        }
    }
    pairs.emplace_back(std::move(key), std::move(value));
}

const std::string* PropertyList::get(const std::string& key) const {
    for (const auto& [k, v] : pairs)
        if (k == key) return &v;
    return nullptr;
}

int Skeleton::findBone(int nameId) const {
    for (size_t i = 0; i < bones.size(); ++i)
        if (bones[i].nameId == nameId) return static_cast<int>(i);
    return -1;
}

void BoundingBox::add(const Vec3& p) {
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

void BoundingBox::include(const BoundingBox& b) {
    if (!b.valid()) return;
    add(b.min);
    add(b.max);
}

bool isKeyBoneName(const std::string& name) {
    return name == "HEAD" || name == "PELVIS" || name == "R_FOOT" || name == "L_FOOT" ||
           name == "R_HAND" || name == "L_HAND";
}

}  // namespace marquill::character
