#pragma once
// Unit-quaternion arithmetic for posing and animation blending. Quaternions are (x, y, z, w);
// rotation matrices are row-major 3x3.
#include <array>
#include <optional>

#include "character/CharacterRecords.h"

namespace marquill::character {

[[nodiscard]] Quat hamilton(const Quat& a, const Quat& b);
[[nodiscard]] Quat conjugate(const Quat& q);
[[nodiscard]] float dot(const Quat& a, const Quat& b);
// R(q) of a unit quaternion.
[[nodiscard]] std::array<float, 9> rotationMatrix(const Quat& q);
[[nodiscard]] Vec3 rotate(const std::array<float, 9>& m, const Vec3& v);
// A weighted t and B weighted 1 - t, taking the shorter way round. Near the ends the blend
// snaps to one of the two; nullopt means the caller keeps what it has.
[[nodiscard]] std::optional<Quat> blendRotation(const Quat& a, float t, const Quat& b);

}  // namespace marquill::character
