#pragma once
// Mesh files (text ".skn", binary ".bmf"), one deformable mesh each:
//   name, default texture name
//   bone count, bone names (a repeated name is kept once)
//   face count, 3 int vertex indices per face
//   binding count, 5 ints per binding: bone index, first vertex, vertex count,
//     first blended vertex, blended vertex count
//   texture coordinate count N, N x (u, v)
//   blend pair count; per pair: binary weight then target vertex, text target then weight
//   vertex count, 6 floats per vertex: position x y z, normal x y z
// The vertices after the first N are the blended ones. Every index is checked against what it
// indexes, so the mesh can be deformed without further checks.
#include <optional>
#include <span>

#include "character/BoneNameTable.h"
#include "character/CharacterRecords.h"
#include "character/FieldSource.h"

namespace marquill::character {

[[nodiscard]] std::optional<DeformableMesh> readMesh(std::span<const uint8_t> bytes,
                                                     FileFormat format, BoneNameTable& boneNames);

// Every index the deformation and the renderer will follow lands inside its array.
[[nodiscard]] bool meshIndicesConsistent(const DeformableMesh& mesh);

}  // namespace marquill::character
