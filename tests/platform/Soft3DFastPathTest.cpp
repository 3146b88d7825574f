// The preview's fast spans against the general ones over many random triangles, some hanging
// over every side of the target: they must cover exactly the same pixels.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Soft3DFixture.h"

namespace marquill::platform::soft3d {
namespace {

using testing::Scene;

std::vector<uint32_t> render(bool depthWrite, const std::vector<Vertex>& v,
                             const std::vector<uint16_t>& indices) {
    Scene s(96, 64);
    // One colour, no channel 0: the two paths may pick neighbouring texels at texel edges (their
    // own test is elsewhere), and no drawn pixel is black.
    EXPECT_EQ(s.bindTexture565(
                  256, 256, [](uint32_t, uint32_t) { return uint16_t(27 << 11 | 45 << 5 | 19); }),
              kOk);
    EXPECT_EQ(s.device->setRenderState(RenderState::ZWriteEnable, depthWrite ? 1 : 0), kOk);
    EXPECT_EQ(s.device->setRenderState(RenderState::CullMode, kCullNone), kOk);
    MaterialRecord m;
    m.diffuse = {1, 0.8f, 0.6f, 1};
    m.emissive = {0.5f, 0.5f, 0.5f, 1};
    s.material->setRecord(m);
    Ref<Light> light;
    EXPECT_EQ(s.d3d->createLight(light), kOk);
    LightRecord l;
    l.color = {0.5f, 0.5f, 0.5f, 1};
    l.direction = {0.3f, -0.4f, 0.87f};
    light->setRecord(l);
    EXPECT_EQ(s.viewport->addLight(*light), kOk);
    EXPECT_EQ(s.draw3(v, indices), kOk);
    std::vector<uint32_t> out;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            out.push_back(s.pixel(x, y));
    return out;
}

TEST(Soft3DFastPath, CoversExactlyWhatTheGeneralPathCovers) {
    Scene layout(96, 64);
    std::mt19937 random(99);
    std::uniform_real_distribution<float> x(-20.0f, 116.0f), y(-20.0f, 84.0f), small(-6.0f, 6.0f),
        uv(0.0f, 1.0f);
    std::vector<Vertex> v;
    std::vector<uint16_t> indices;
    for (int i = 0; i < 300; ++i) {
        // Mostly the preview's few-pixel triangles, some large; all at one depth, so the last
        // drawn wins a pixel whether or not depth is written.
        const float cx = x(random), cy = y(random);
        const float k = i % 10 == 0 ? 8.0f : 1.0f;
        for (int corner = 0; corner < 3; ++corner) {
            Vertex p = layout.at(cx + small(random) * k, cy + small(random) * k, 0.5f, uv(random),
                                 uv(random));
            p.nx = small(random), p.ny = small(random);
            v.push_back(p);
            indices.push_back(uint16_t(indices.size()));
        }
    }
    const auto fast = render(true, v, indices), general = render(false, v, indices);
    int drawn = 0;
    for (size_t i = 0; i < fast.size(); ++i) {
        ASSERT_EQ(fast[i] != 0, general[i] != 0) << "pixel " << i % 96 << ", " << i / 96;
        drawn += fast[i] != 0;
        for (int shift : {16, 8, 0}) {
            ASSERT_NEAR(int((fast[i] >> shift) & 0xFF), int((general[i] >> shift) & 0xFF), 1)
                << "pixel " << i % 96 << ", " << i / 96;
        }
    }
    EXPECT_GT(drawn, 3000);
}

}  // namespace
}  // namespace marquill::platform::soft3d
