#pragma once
// One skinned mesh hung on a posed skeleton: the render mesh it is drawn through (8 floats a
// vertex, 16-bit indices, drawn range 0 to N - 1 where N counts the textured vertices) and the
// box around where its bones put it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "character/CharacterRecords.h"

namespace marquill::render {
class Device3D;
class RenderDIPMesh;
}  // namespace marquill::render

namespace marquill::character {

struct MeshInstance {
    MeshInstance() = default;
    ~MeshInstance();  // releases the render mesh
    MeshInstance(MeshInstance&& other) noexcept;
    MeshInstance& operator=(MeshInstance&& other) noexcept;
    MeshInstance(const MeshInstance&) = delete;
    MeshInstance& operator=(const MeshInstance&) = delete;

    std::shared_ptr<DeformableMesh> mesh;
    const SkinPart* part = nullptr;
    int bone = -1;                                // the skeleton bone the part hangs on
    std::vector<int> bones;                       // skeleton bone for each of the mesh's bone names
    render::RenderDIPMesh* renderMesh = nullptr;  // one reference
    std::string texture;
    BoundingBox box;

    // Per binding: the moved box and the change count of its bone when it was moved.
    std::vector<BoundingBox> bindingBoxes;
    std::vector<uint32_t> bindingStamps;
    std::vector<bool> bindingBoxComputed;
    uint64_t boxRecomputations = 0;  // bindings whose box was moved again
};

// The texture a part takes under an override string "KEY=TEXTURE": TEXTURE when the mesh name
// contains KEY and TEXTURE is not empty, else the mesh's default.
[[nodiscard]] std::string textureFor(const std::string& meshName, const std::string& defaultTexture,
                                     const std::string& overrideString);

// Null when a bone of the mesh is missing from the skeleton, or the mesh has too many vertices
// for 16-bit indices.
[[nodiscard]] std::unique_ptr<MeshInstance> createMeshInstance(render::Device3D& device,
                                                               std::shared_ptr<DeformableMesh> mesh,
                                                               const SkinPart& part, int bone,
                                                               const Skeleton& skeleton,
                                                               const std::string& overrideString);

// Moves every binding's vertices by its bone, mixes the blended vertices into their targets and
// moves the boxes of bindings whose bone changed since the last time.
void deform(MeshInstance& instance, const Skeleton& skeleton);

}  // namespace marquill::character
