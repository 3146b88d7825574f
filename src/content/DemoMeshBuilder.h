#pragma once
// Builds a skinned mesh from surfaces laid out in model space: vertices carry the bone they
// follow, joints get blended copies that follow the neighbouring bone, and finish() groups the
// vertices by bone and moves them into their bones' rest spaces.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "character/CharacterRecords.h"
#include "content/DemoGeometry.h"

namespace marquill::content::demo {

// The part of the texture a surface is mapped onto.
struct UvRect {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

// One cross-section of a tube: centre, two half-axes along e1 and e2 (e2 is the front, at
// u = 0.5), the texture row t (0..1 along the tube), the bone, and optionally a second bone
// that pulls the ring towards itself with `blendWeight` (of 32768).
struct Ring {
    Vec3 centre;
    float r1 = 0.1f, r2 = 0.1f;
    float t = 0;
    std::string bone;
    std::string blendBone;
    int blendWeight = 0;
    Vec3 e1{1, 0, 0};
    Vec3 e2{0, 0, 1};
};

// Changes a ring point: (point, outward direction, angle around the ring, ring index).
using RingDeform = std::function<Vec3(Vec3 point, Vec3 outward, float angle, size_t ring)>;

class MeshBuilder {
  public:
    int vertex(Vec3 position, Vec3 outward, float u, float v, const std::string& bone);
    void blend(int target, const std::string& bone, int weight);
    // Wound so that the face looks towards the outward directions of its vertices.
    void triangle(int a, int b, int c);
    void triangleFacing(int a, int b, int c, Vec3 facing);

    // A tube through the rings, `sides` quads around; the texture's u runs around (front in
    // the middle), v along the rings. Caps close either end with a fan.
    void tube(const std::vector<Ring>& rings, int sides, UvRect uv, bool capStart, bool capEnd,
              const RingDeform& deform = {});

    [[nodiscard]] character::DeformableMesh finish(const std::string& name,
                                                   const std::string& texture) const;

  private:
    struct BuildVertex {
        Vec3 position;
        Vec3 outward;
        float u, v;
        int bone;
    };
    struct BuildBlend {
        int target;
        int bone;
        int weight;
    };
    int boneIndex(const std::string& name);
    std::vector<std::string> bones_;
    std::vector<BuildVertex> vertices_;
    std::vector<BuildBlend> blends_;
    std::vector<std::array<int, 3>> faces_;
};

}  // namespace marquill::content::demo
