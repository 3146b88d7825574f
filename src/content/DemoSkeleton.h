#pragma once
// The demo's "adult" skeleton: a figure about 5.8 units tall with its feet on y = 0, so that the
// preview's default framing puts the head and the whole body in the snapshot regions. Bones and
// meshes are laid out facing +z; the root turns the whole figure by kFacingDegrees about y so
// that it faces the camera at the default (South East) facing.
#include <map>
#include <string>
#include <vector>

#include "character/CharacterRecords.h"

namespace marquill::content::demo {

inline constexpr float kFacingDegrees = 45.0f;

struct JointDef {
    const char* name;
    const char* parent;        // "NULL" for the root
    character::Vec3 position;  // rest position in model space
};

[[nodiscard]] const std::vector<JointDef>& adultJoints();
[[nodiscard]] character::Skeleton adultSkeleton();
// Rest positions of every joint by name.
[[nodiscard]] const std::map<std::string, character::Vec3>& restPositions();

}  // namespace marquill::content::demo
