#pragma once
// Character files (text ".cmx", binary ".bcf"): skeletons, outfits and animations in that order.
//   [text only: two header lines]
//   skeleton count; per skeleton: name, bone count, bones
//     bone: name, parent name, has-properties [+ list], translation, rotation, translate flag,
//           rotate flag, blend flag, wiggle amount (ints), wiggle power (float)
//   outfit count; per outfit: name, type, has-properties [+ list], skin part count,
//     skin part: bone name, mesh name, censor flags, has-properties [+ list]
//   animation count; per animation: name, keyframe stem, duration, distance, moving flag,
//     translation count, rotation count, track count,
//     track: bone name, frame count, duration (float), translations used, rotations used,
//            translation offset, rotation offset, has-properties [+ list],
//            has-time-properties [+ entry count, per entry: time, list]
//   property list: count, then key and value texts (both lower-cased on reading)
// Outfit names are lower-cased in both forms, animation names in text files only.
#include <cstdint>
#include <span>
#include <vector>

#include "character/BoneNameTable.h"
#include "character/CharacterRecords.h"
#include "character/FieldSource.h"

namespace marquill::character {

struct CharacterFile {
    std::vector<Skeleton> skeletons;
    std::vector<Outfit> outfits;
    std::vector<Animation> animations;
    // False when reading stopped at a malformed or missing field; what came before it is kept.
    bool complete = false;
};

inline constexpr size_t kStringLimit = 255;

[[nodiscard]] CharacterFile readCharacterFile(std::span<const uint8_t> bytes, FileFormat format,
                                              BoneNameTable& boneNames);

// Shared by the mesh and index readers.
[[nodiscard]] std::optional<PropertyList> readPropertyList(FieldSource& in);
[[nodiscard]] std::string lowerAscii(std::string s);

}  // namespace marquill::character
