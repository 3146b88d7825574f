#pragma once
// An outfit put on a skeleton: one mesh instance per shown skin part.
#include <memory>
#include <string>
#include <vector>

#include "character/CharacterRecords.h"
#include "character/MeshInstance.h"

namespace marquill::render {
class Device3D;
class RenderGroup;
}  // namespace marquill::render

namespace marquill::character {

class CharacterCatalogue;

// Every skin part, when the mask is -1.
inline constexpr int kAllCensorFlags = -1;

struct Dressing {
    Outfit* outfit = nullptr;
    Skeleton* skeleton = nullptr;
    std::vector<std::unique_ptr<MeshInstance>> instances;
};

// Parts whose bone the skeleton lacks, whose mesh cannot be loaded or names a missing bone are
// left out. Render meshes of outfits of type 0 join `group`. Never null.
[[nodiscard]] std::unique_ptr<Dressing> attach(CharacterCatalogue& catalogue,
                                               render::Device3D& device, Outfit& outfit,
                                               Skeleton& skeleton,
                                               const std::string& overrideString, int censorMask,
                                               render::RenderGroup* group);

// Takes the instances off in reverse order; the dressing is empty afterwards.
void detach(Dressing& dressing, render::RenderGroup* group);

}  // namespace marquill::character
