#pragma once
// The per-vertex half of the 3D device: transform into clip space, lighting by the material and
// the viewport's lights, the view-volume outcode and, for vertices inside it, the screen position.
#include <array>
#include <cstdint>
#include <span>

#include "platform/soft3d/Light.h"
#include "platform/soft3d/Rasteriser.h"

namespace marquill::platform::soft3d {

using Matrix = std::array<float, 16>;  // row-major, translation in the fourth row

struct Vertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(Vertex) == 32);

// Screen extents of what was drawn since they were last reset.
struct ClipStatus {
    float minX, maxX, minY, maxY;
};

enum Outside : uint32_t {
    kLeft = 1u << 0,
    kRight = 1u << 1,
    kTop = 1u << 2,
    kBottom = 1u << 3,
    kNear = 1u << 4,
    kFar = 1u << 5,
    kInvalid = 1u << 6,  // not a finite position: never drawn
};

struct ClipVertex {
    float cx, cy, cz, cw;
    float r, g, b, a;
    float u, v;
};

struct TransformedVertex {
    ClipVertex clip;
    RasterVertex screen;  // meaningful only while outside is 0
    uint32_t outside;
};

// A light as the vertex loop uses it: colours already multiplied by the material's diffuse.
struct PreparedLight {
    uint32_t kind;
    Vector3 toLight;  // directional: unit vector towards the light
    Vector3 position, spotDir;
    float r, g, b;
    float range, a0, a1, a2, cosInner, cosOuter, falloff;
};

[[nodiscard]] PreparedLight prepareLight(const LightRecord& light, const ColorValue& diffuse);

struct VertexSetup {
    Matrix clipFromModel;  // world x view x projection
    std::array<float, 9> normalMatrix;
    Matrix world;
    float baseR, baseG, baseB;  // emissive plus ambient
    float alpha;                // the material's diffuse alpha
    std::span<const PreparedLight> lights;
    float maxX, maxY;  // half extents of the view volume in clip space
    float centreX, centreY, scaleX, scaleY;
};

// Transforms vertices[0, count) into out[0, count) and grows `extents` by the screen position of
// every vertex inside the view volume.
void transformVertices(const VertexSetup& setup, const Vertex* vertices, uint32_t count,
                       TransformedVertex* out, ClipStatus& extents);

}  // namespace marquill::platform::soft3d
