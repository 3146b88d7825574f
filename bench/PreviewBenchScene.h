#pragma once
// The scene both frame benchmarks draw: the preview's back buffer (368 x 508, 16-bit depth,
// cleared to the preview orange), one lit, textured ellipsoid of 5,000 triangles with half-axes
// 50 x 150 x 50 pixels whose vertex buffer is rewritten every frame, two white directional
// lights from opposite sides and ambient 0.7, orthographic, one world unit per pixel.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace marquill::bench {

inline constexpr int kWidth = 368;
inline constexpr int kHeight = 508;
inline constexpr int kStacks = 50;
inline constexpr int kSlices = 50;
inline constexpr float kCentreZ = 200.0f;
inline constexpr float kFar = 400.0f;
inline constexpr int kPhases = 8;
inline constexpr int kTextureSide = 256;
// The direction the first light travels; the second travels the opposite way.
inline constexpr float kLightDir[3] = {0.6f, -0.3f, 0.74f};

struct SceneVertex {
    float x, y, z, nx, ny, nz, u, v;
};

struct Scene {
    std::vector<std::vector<SceneVertex>> phases;  // the vertex buffer of each frame phase
    std::vector<uint16_t> indices;
    std::vector<uint32_t> texture;  // 0x00RRGGBB, 256 x 256
};

inline Scene makeScene() {
    Scene s;
    const float a = 50, b = 150, c = 50;
    for (int phase = 0; phase < kPhases; ++phase) {
        std::vector<SceneVertex> v;
        for (int i = 0; i <= kStacks; ++i) {
            const float theta = std::numbers::pi_v<float> * float(i) / kStacks;
            for (int j = 0; j <= kSlices; ++j) {
                const float phi = 2 * std::numbers::pi_v<float> * float(j) / kSlices;
                const float px = std::sin(theta) * std::cos(phi), py = std::cos(theta),
                            pz = std::sin(theta) * std::sin(phi);
                // A breathing wobble, different in every phase, as a deformed mesh would move.
                const float k = 1.0f + 0.03f * std::sin(float(phase) * 0.8f + py * 3.0f);
                float nx = px / a, ny = py / b, nz = pz / c;
                const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
                nx /= len, ny /= len, nz /= len;
                v.push_back({a * px * k, b * py, kCentreZ + c * pz * k, nx, ny, nz,
                             float(j) / kSlices, float(i) / kStacks});
            }
        }
        s.phases.push_back(std::move(v));
    }
    for (int i = 0; i < kStacks; ++i) {
        for (int j = 0; j < kSlices; ++j) {
            const uint16_t v00 = uint16_t(i * (kSlices + 1) + j), v01 = uint16_t(v00 + 1);
            const uint16_t v10 = uint16_t(v00 + kSlices + 1), v11 = uint16_t(v10 + 1);
            s.indices.insert(s.indices.end(), {v00, v01, v11, v00, v11, v10});
        }
    }
    for (int y = 0; y < kTextureSide; ++y) {
        for (int x = 0; x < kTextureSide; ++x) {
            const uint32_t r = uint32_t(x), g = uint32_t(y),
                           bl = uint32_t(((x / 16 + y / 16) & 1) * 255);
            s.texture.push_back(r << 16 | g << 8 | bl);
        }
    }
    return s;
}

}  // namespace marquill::bench
