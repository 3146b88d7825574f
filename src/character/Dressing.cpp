#include "character/Dressing.h"

#include "character/CharacterCatalogue.h"
#include "render/RenderDIPMesh.h"
#include "render/RenderGroup.h"

namespace marquill::character {

std::unique_ptr<Dressing> attach(CharacterCatalogue& catalogue, render::Device3D& device,
                                 Outfit& outfit, Skeleton& skeleton,
                                 const std::string& overrideString, int censorMask,
                                 render::RenderGroup* group) {
    auto dressing = std::make_unique<Dressing>();
    dressing->outfit = &outfit;
    dressing->skeleton = &skeleton;
    for (SkinPart& part : outfit.parts) {
        if (censorMask != kAllCensorFlags && (part.censorFlags & censorMask) == 0) continue;
        const int nameId = catalogue.boneNames().find(part.boneName);
        const int bone = nameId < 0 ? -1 : skeleton.findBone(nameId);
        if (bone < 0) continue;
        auto mesh = catalogue.meshFor(part, outfit);
        if (!mesh) continue;
        auto instance =
            createMeshInstance(device, std::move(mesh), part, bone, skeleton, overrideString);
        if (!instance) continue;
        if (outfit.type == 0 && group) (void)group->addChild(*instance->renderMesh);
        dressing->instances.push_back(std::move(instance));
    }
    skeleton.changed = true;
    return dressing;
}

void detach(Dressing& dressing, render::RenderGroup* group) {
    const bool grouped = dressing.outfit && dressing.outfit->type == 0 && group;
    while (!dressing.instances.empty()) {
        auto& instance = dressing.instances.back();
        if (grouped && instance->renderMesh) (void)group->removeChild(*instance->renderMesh);
        dressing.instances.pop_back();
    }
}

}  // namespace marquill::character
