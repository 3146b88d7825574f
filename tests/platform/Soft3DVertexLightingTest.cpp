// Vertices lit four at a time must come out exactly as one at a time: the frame is the same
// either way, only faster.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "platform/soft3d/VertexLighting.h"

namespace marquill::platform::soft3d {
namespace {

bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

template <typename T>
bool sameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

TEST(Soft3DVertexLighting, FourAtATimeMatchesOneAtATimeToTheBit) {
    std::mt19937 random(20261209);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::vector<Vertex> vertices;
    for (int i = 0; i < 23; ++i) {
        // Mostly inside the view volume, some beyond every side of it and behind the eye.
        const float spread = i % 5 == 0 ? 3.0f : 0.9f;
        vertices.push_back({unit(random) * spread, unit(random) * spread,
                            0.5f + unit(random) * spread * 0.6f, unit(random), unit(random),
                            unit(random), unit(random), unit(random)});
    }
    vertices[3].nx = vertices[3].ny = vertices[3].nz = 0;  // a normal that cannot be scaled
    vertices[7].z = -5;                                    // behind the eye
    vertices[9].x = std::numeric_limits<float>::quiet_NaN();
    vertices[12].y = std::numeric_limits<float>::infinity();

    std::vector<PreparedLight> lights;
    for (const Vector3& direction :
         {Vector3{0.6f, -0.3f, 0.74f}, Vector3{-0.6f, 0.3f, -0.74f}, Vector3{0.1f, 0.9f, 0.2f}}) {
        LightRecord l;
        l.color = {0.9f, 0.7f, 0.5f, 1};
        l.direction = direction;
        lights.push_back(prepareLight(l, ColorValue{0.8f, 0.6f, 1.0f, 1}));
    }
    VertexSetup setup{};
    // A turn about y, a scale and a shift, so no matrix entry is trivial.
    setup.clipFromModel = {0.8f, 0.1f, 0.05f, 0.01f, -0.1f, 0.9f,  0.02f, 0.0f,
                           0.3f, 0.2f, 0.7f,  0.02f, 0.05f, -0.1f, 0.1f,  1.0f};
    setup.normalMatrix = {0.9f, 0.1f, -0.2f, 0.0f, 1.1f, 0.3f, 0.2f, -0.1f, 0.8f};
    setup.world = setup.clipFromModel;
    setup.baseR = 0.2f, setup.baseG = 0.35f, setup.baseB = 0.1f, setup.alpha = 0.75f;
    setup.lights = lights;
    setup.maxX = 1, setup.maxY = 1;
    setup.centreX = 184, setup.centreY = 254, setup.scaleX = 184, setup.scaleY = 254;

    const ClipStatus start{2147483648.0f, -2147483648.0f, 2147483648.0f, -2147483648.0f};
    std::vector<TransformedVertex> together(vertices.size()), alone(vertices.size());
    ClipStatus togetherExtents = start, aloneExtents = start;
    transformVertices(setup, vertices.data(), uint32_t(vertices.size()), together.data(),
                      togetherExtents);
    for (size_t i = 0; i < vertices.size(); ++i)
        transformVertices(setup, &vertices[i], 1, &alone[i], aloneExtents);

    int inside = 0;
    for (size_t i = 0; i < vertices.size(); ++i) {
        EXPECT_TRUE(sameBytes(together[i].clip, alone[i].clip)) << "clip vertex " << i;
        EXPECT_EQ(together[i].outside, alone[i].outside) << "outcode " << i;
        if (alone[i].outside == 0) {
            ++inside;
            EXPECT_TRUE(sameBytes(together[i].screen, alone[i].screen)) << "screen vertex " << i;
        }
    }
    EXPECT_GT(inside, 8);
    EXPECT_LT(inside, int(vertices.size()));
    EXPECT_EQ(alone[9].outside, uint32_t(kInvalid));
    EXPECT_TRUE(sameBits(togetherExtents.minX, aloneExtents.minX));
    EXPECT_TRUE(sameBits(togetherExtents.maxX, aloneExtents.maxX));
    EXPECT_TRUE(sameBits(togetherExtents.minY, aloneExtents.minY));
    EXPECT_TRUE(sameBits(togetherExtents.maxY, aloneExtents.maxY));

    // Extents that start as NaN stay NaN, as std::min and std::max keep them.
    ClipStatus unknown = start;
    unknown.minX = std::numeric_limits<float>::quiet_NaN();
    transformVertices(setup, vertices.data(), uint32_t(vertices.size()), together.data(), unknown);
    EXPECT_TRUE(std::isnan(unknown.minX));
    EXPECT_TRUE(sameBits(unknown.maxX, aloneExtents.maxX));
}

}  // namespace
}  // namespace marquill::platform::soft3d
