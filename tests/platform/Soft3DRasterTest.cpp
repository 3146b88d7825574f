#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Soft3DFixture.h"

namespace marquill::platform::soft3d {
namespace {

using testing::Scene;

uint32_t rgb(int r, int g, int b) {
    return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

void expectNear(uint32_t actual, uint32_t expected, int tolerance, const char* what) {
    for (int shift : {16, 8, 0}) {
        const int a = int((actual >> shift) & 0xFF), e = int((expected >> shift) & 0xFF);
        EXPECT_NEAR(a, e, tolerance) << what << " channel at shift " << shift;
    }
}

std::vector<uint16_t> quadIndices() {
    return {0, 1, 2, 0, 2, 3};
}

std::vector<Vertex> quad(const Scene& s, float l, float t, float r, float b, float z = 0.5f) {
    return {s.at(l, t, z, 0, 0), s.at(r, t, z, 1, 0), s.at(r, b, z, 1, 1), s.at(l, b, z, 0, 1)};
}

TEST(Soft3DLighting, UntexturedQuadFollowsTheFixedFunctionFormula) {
    Scene s;
    MaterialRecord m;
    m.diffuse = {0.5f, 0.25f, 1.0f, 1};
    m.ambient = {0.2f, 0.4f, 0.6f, 1};
    m.emissive = {0.1f, 0, 0, 1};
    s.material->setRecord(m);
    ASSERT_EQ(s.device->setLightState(LightState::Ambient, 0x00404040), kOk);
    Ref<Light> facing, slanted, behind;
    ASSERT_EQ(s.d3d->createLight(facing), kOk);
    ASSERT_EQ(s.d3d->createLight(slanted), kOk);
    ASSERT_EQ(s.d3d->createLight(behind), kOk);
    LightRecord l;
    l.kind = LightRecord::kDirectional;
    l.color = {0.6f, 0.6f, 0.6f, 1};
    l.direction = {0, 0, 1};  // travels into the screen, onto the quad's normal (0, 0, -1)
    facing->setRecord(l);
    l.color = {0.4f, 0.2f, 0.2f, 1};
    l.direction = {0, std::sin(1.0471976f), std::cos(1.0471976f)};  // 60 degrees off: N.L = 0.5
    slanted->setRecord(l);
    l.color = {1, 1, 1, 1};
    l.direction = {0, 0, -1};  // lights the back: contributes nothing
    behind->setRecord(l);
    ASSERT_EQ(s.viewport->addLight(*facing), kOk);
    ASSERT_EQ(s.viewport->addLight(*slanted), kOk);
    ASSERT_EQ(s.viewport->addLight(*behind), kOk);

    ASSERT_EQ(s.draw3(quad(s, 4, 4, 28, 28), quadIndices()), kOk);

    const float amb = 64.0f / 255.0f;
    auto channel = [&](float e, float a, float d, float l1, float l2) {
        const float v = e + a * amb + d * l1 * 1.0f + d * l2 * 0.5f;
        return int(std::lround(std::fmin(1.0f, v) * 255.0f));
    };
    const uint32_t expected =
        rgb(channel(0.1f, 0.2f, 0.5f, 0.6f, 0.4f), channel(0.0f, 0.4f, 0.25f, 0.6f, 0.2f),
            channel(0.0f, 0.6f, 1.0f, 0.6f, 0.2f));
    expectNear(s.pixel(16, 16), expected, 1, "lit colour");
    expectNear(s.pixel(4, 27), expected, 1, "corner pixel");
    EXPECT_EQ(s.pixel(3, 16), 0u) << "outside the quad stays background";
    EXPECT_EQ(s.pixel(28, 16), 0u) << "the right edge is exclusive";
}

TEST(Soft3DTexture, QuadShowsEachTexelOverItsPixels) {
    Scene s(16, 16);
    auto texel = [](int x, int y) { return uint16_t((x * 8) << 11 | (y * 16) << 5 | (x + y * 4)); };
    ASSERT_EQ(s.bindTexture565(4, 4, [&](uint32_t x, uint32_t y) { return texel(int(x), int(y)); }),
              kOk);
    MaterialRecord m;  // emissive white: the lit colour is 1 and modulation keeps the texel
    m.emissive = {1, 1, 1, 1};
    m.diffuse = {0, 0, 0, 1};
    s.material->setRecord(m);

    ASSERT_EQ(s.draw3(quad(s, 4, 4, 12, 12), quadIndices()), kOk);
    for (int py = 4; py < 12; ++py) {
        for (int px = 4; px < 12; ++px) {
            const Channels c =
                unpackPixel(PixelFormat::rgb565(), texel((px - 4) / 2, (py - 4) / 2));
            ASSERT_EQ(s.pixel(px, py), rgb(c.r, c.g, c.b)) << px << "," << py;
        }
    }
}

TEST(Soft3DFillRule, TrianglesSharingEdgesDrawEveryPixelOnce) {
    Scene s(40, 40);
    // A convex polygon fanned from an inside point, all at fractional positions, drawn with
    // additive blending: a pixel drawn twice would be twice as bright.
    // (Positions on the 1/16-pixel grid the rasteriser snaps to, so the expectation is exact.)
    const std::vector<std::pair<float, float>> rim = {
        {20.3125f, 2.6875f},  {33.0625f, 8.1875f}, {37.625f, 21.375f}, {30.1875f, 35.875f},
        {14.8125f, 37.3125f}, {4.0625f, 26.625f},  {3.3125f, 11.875f}, {10.0f, 4.0f}};
    std::vector<Vertex> v = {s.at(19.375f, 20.625f)};
    for (auto [x, y] : rim)
        v.push_back(s.at(x, y));
    std::vector<uint16_t> idx;
    for (uint16_t i = 0; i < rim.size(); ++i) {
        idx.insert(idx.end(), {0, uint16_t(1 + i), uint16_t(1 + (i + 1) % rim.size())});
    }
    MaterialRecord m;
    m.emissive = {0.25f, 0.25f, 0.25f, 1};
    s.material->setRecord(m);
    ASSERT_EQ(s.device->setRenderState(RenderState::ZEnable, 0), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::AlphaBlendEnable, 1), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::SrcBlend, uint32_t(BlendFactor::One)), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::DestBlend, uint32_t(BlendFactor::One)), kOk);
    ASSERT_EQ(s.draw3(v, idx), kOk);

    auto inside = [&](double px, double py) {
        for (size_t i = 0; i < rim.size(); ++i) {
            auto [ax, ay] = rim[i];
            auto [bx, by] = rim[(i + 1) % rim.size()];
            if ((bx - ax) * (py - ay) - (by - ay) * (px - ax) <= 0) return false;
        }
        return true;
    };
    const uint32_t once = rgb(64, 64, 64);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(s.pixel(x, y), inside(x + 0.5, y + 0.5) ? once : 0u) << x << "," << y;
        }
    }
}

TEST(Soft3DFillRule, EdgesThroughPixelCentresBelongToTheTopLeftTriangleOnly) {
    Scene s(16, 16);
    MaterialRecord m;
    m.emissive = {0.25f, 0.25f, 0.25f, 1};
    s.material->setRecord(m);
    ASSERT_EQ(s.device->setRenderState(RenderState::ZEnable, 0), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::AlphaBlendEnable, 1), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::SrcBlend, uint32_t(BlendFactor::One)), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::DestBlend, uint32_t(BlendFactor::One)), kOk);
    // Quads whose shared vertical, horizontal and diagonal edges run through pixel centres.
    std::vector<Vertex> v = {s.at(2.5f, 2.5f),  s.at(8.5f, 2.5f),  s.at(14.5f, 2.5f),
                             s.at(2.5f, 8.5f),  s.at(8.5f, 8.5f),  s.at(14.5f, 8.5f),
                             s.at(2.5f, 14.5f), s.at(8.5f, 14.5f), s.at(14.5f, 14.5f)};
    std::vector<uint16_t> idx;
    for (uint16_t row = 0; row < 2; ++row) {
        for (uint16_t col = 0; col < 2; ++col) {
            const uint16_t tl = uint16_t(row * 3 + col);
            idx.insert(idx.end(), {tl, uint16_t(tl + 1), uint16_t(tl + 4), tl, uint16_t(tl + 4),
                                   uint16_t(tl + 3)});
        }
    }
    ASSERT_EQ(s.draw3(v, idx), kOk);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            // Centres on the left and top outer edges are in, on the right and bottom ones out.
            const bool in = x >= 2 && x < 14 && y >= 2 && y < 14;
            ASSERT_EQ(s.pixel(x, y), in ? rgb(64, 64, 64) : 0u) << x << "," << y;
        }
    }
}

TEST(Soft3DDepth, NearerSurfaceWinsWhicheverIsDrawnFirst) {
    for (bool nearFirst : {true, false}) {
        Scene s;
        MaterialRecord red, blue;
        red.emissive = {1, 0, 0, 1};
        blue.emissive = {0, 0, 1, 1};
        auto drawQuad = [&](const MaterialRecord& m, float z, float l) {
            s.material->setRecord(m);
            ASSERT_EQ(s.draw3(quad(s, l, 4, l + 16, 20, z), quadIndices()), kOk);
        };
        if (nearFirst) {
            drawQuad(red, 0.25f, 4);
            drawQuad(blue, 0.75f, 12);
        } else {
            drawQuad(blue, 0.75f, 12);
            drawQuad(red, 0.25f, 4);
        }
        EXPECT_EQ(s.pixel(14, 10), rgb(255, 0, 0)) << "overlap shows the nearer quad";
        EXPECT_EQ(s.pixel(24, 10), rgb(0, 0, 255));
        EXPECT_NEAR(s.depthAt(14, 10), 0.25 * 65535, 1);
        EXPECT_EQ(s.depthAt(30, 30), 0xFFFF) << "cleared depth is the far plane";
    }
}

TEST(Soft3DDepth, EqualDepthPassesTheLessOrEqualTest) {
    Scene s;
    MaterialRecord m;
    m.emissive = {1, 0, 0, 1};
    s.material->setRecord(m);
    ASSERT_EQ(s.draw3(quad(s, 4, 4, 20, 20), quadIndices()), kOk);
    m.emissive = {0, 1, 0, 1};
    s.material->setRecord(m);
    ASSERT_EQ(s.draw3(quad(s, 4, 4, 20, 20), quadIndices()), kOk);
    EXPECT_EQ(s.pixel(10, 10), rgb(0, 255, 0));
}

// Perspective projection with near plane n and far plane f, field of view 90 degrees.
Matrix perspective(float n, float f) {
    const float q = f / (f - n);
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, q, 1, 0, 0, -q * n, 0};
}

TEST(Soft3DClipping, TriangleCrossingTheNearPlaneDrawsOnlyItsVisiblePart) {
    Scene s(32, 32);
    ASSERT_EQ(s.device->setTransform(TransformState::Projection, perspective(1, 100)), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::CullMode, kCullNone), kOk);
    MaterialRecord m;
    m.emissive = {1, 1, 1, 1};
    s.material->setRecord(m);
    // A floor triangle under the eye (y = -1) reaching from behind the viewer to z = 10.
    std::vector<Vertex> v = {
        {-2, -1, -5, 0, 1, 0, 0, 0}, {2, -1, -5, 0, 1, 0, 0, 0}, {0, -1, 10, 0, 1, 0, 0, 0}};
    ASSERT_EQ(s.draw3(v, {0, 1, 2}), kOk);
    int drawn = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (s.pixel(x, y) == 0) continue;
            ++drawn;
            EXPECT_GE(y, 16) << "a floor below the eye is drawn below the horizon";
        }
    }
    EXPECT_GT(drawn, 20);
    // The far tip, at z = 10, projects to y = 16 + 16 / 10 = 17.6, x = 16.
    EXPECT_NE(s.pixel(16, 18), 0u);
    EXPECT_EQ(s.pixel(16, 17), 0u);
    ClipStatus cs;
    ASSERT_EQ(s.device->getClipStatus(cs), kOk);
    EXPECT_GE(cs.minX, -0.01f);
    EXPECT_LE(cs.maxX, 32.0f);
    EXPECT_LE(cs.maxY, 32.0f);
    EXPECT_NEAR(cs.minY, 17.6f, 0.01f);
}

TEST(Soft3DClipping, TriangleWhollyBehindTheEyeDrawsNothing) {
    Scene s;
    ASSERT_EQ(s.device->setTransform(TransformState::Projection, perspective(1, 100)), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::CullMode, kCullNone), kOk);
    MaterialRecord m;
    m.emissive = {1, 1, 1, 1};
    s.material->setRecord(m);
    std::vector<Vertex> v = {
        {-2, -1, -5, 0, 1, 0, 0, 0}, {2, -1, -5, 0, 1, 0, 0, 0}, {0, 1, -0.5f, 0, 1, 0, 0, 0}};
    ASSERT_EQ(s.draw3(v, {0, 1, 2}), kOk);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(s.pixel(x, y), 0u);
    }
}

TEST(Soft3DClipping, ClipStatusHoldsTheExtentsOfWhatWasDrawn) {
    Scene s(64, 64);
    MaterialRecord m;
    m.emissive = {1, 1, 1, 1};
    s.material->setRecord(m);
    ASSERT_EQ(
        s.device->setClipStatus({2147483648.0f, -2147483648.0f, 2147483648.0f, -2147483648.0f}),
        kOk);
    std::vector<Vertex> v = {s.at(10.25f, 7.5f), s.at(40.75f, 12), s.at(20, 50.5f)};
    ASSERT_EQ(s.draw3(v, {0, 1, 2}), kOk);
    ClipStatus cs;
    ASSERT_EQ(s.device->getClipStatus(cs), kOk);
    EXPECT_FLOAT_EQ(cs.minX, 10.25f);
    EXPECT_FLOAT_EQ(cs.maxX, 40.75f);
    EXPECT_FLOAT_EQ(cs.minY, 7.5f);
    EXPECT_FLOAT_EQ(cs.maxY, 50.5f);
    // A triangle reaching past the right edge is clipped there.
    std::vector<Vertex> w = {s.at(50, 20), s.at(90, 30), s.at(50, 40)};
    ASSERT_EQ(s.draw3(w, {0, 1, 2}), kOk);
    ASSERT_EQ(s.device->getClipStatus(cs), kOk);
    EXPECT_FLOAT_EQ(cs.maxX, 64.0f);
    EXPECT_NE(s.pixel(63, 30), 0u);
}

TEST(Soft3DCulling, CounterClockwiseTrianglesAreCulledByDefault) {
    Scene s;
    MaterialRecord m;
    m.emissive = {1, 1, 1, 1};
    s.material->setRecord(m);
    std::vector<Vertex> v = {s.at(4, 4), s.at(28, 4), s.at(4, 28)};
    ASSERT_EQ(s.draw3(v, {0, 2, 1}), kOk);
    EXPECT_EQ(s.pixel(8, 8), 0u);
    ASSERT_EQ(s.draw3(v, {0, 1, 2}), kOk);
    EXPECT_EQ(s.pixel(8, 8), rgb(255, 255, 255));
}

TEST(Soft3DTexture, PerspectiveCorrectTexturingFollowsDepth) {
    Scene s(64, 64);
    ASSERT_EQ(s.device->setTransform(TransformState::Projection, perspective(1, 100)), kOk);
    // Black, then white.
    ASSERT_EQ(s.bindTexture565(2, 1, [](uint32_t x, uint32_t) { return uint16_t(x ? 0xFFFF : 0); }),
              kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::CullMode, kCullNone), kOk);
    MaterialRecord m;
    m.emissive = {1, 1, 1, 1};
    s.material->setRecord(m);
    // A wall receding from x = -1 at z = 1.5 to x = 3 at z = 6; u runs 0 to 1 along it. The world
    // midpoint (x = 1, z = 3.75) projects to screen x = 32 + 32 / 3.75 = 40.53.
    std::vector<Vertex> v = {{-1, -0.5f, 1.5f, 0, 0, -1, 0, 0},
                             {3, -0.5f, 6, 0, 0, -1, 1, 0},
                             {3, 0.5f, 6, 0, 0, -1, 1, 1},
                             {-1, 0.5f, 1.5f, 0, 0, -1, 0, 1}};
    ASSERT_EQ(s.draw3(v, quadIndices()), kOk);
    EXPECT_EQ(s.pixel(35, 32), 0u);
    EXPECT_EQ(s.pixel(39, 32), 0u);
    EXPECT_EQ(s.pixel(41, 32), rgb(255, 255, 255));
    // Without correction the switch sits halfway across the screen span (x = 29.3) instead.
    ASSERT_EQ(s.device->setRenderState(RenderState::TexturePerspective, 0), kOk);
    s.clear();
    ASSERT_EQ(s.draw3(v, quadIndices()), kOk);
    EXPECT_EQ(s.pixel(28, 32), 0u);
    EXPECT_EQ(s.pixel(35, 32), rgb(255, 255, 255));
}

TEST(Soft3DTexture, PackedFastPathMatchesTheGeneralPath) {
    // The same lit, textured, Gouraud-shaded triangles drawn twice: once by the path the preview
    // takes (depth written) and once by the general one (depth test only), for a texture size the
    // fast path knows in advance and for one it does not.
    auto render = [](bool depthWrite, uint32_t side) {
        Scene s(64, 64);
        // An 8 x 8 tile, repeated over larger textures.
        EXPECT_EQ(s.bindTexture565(side, side,
                                   [](uint32_t x, uint32_t y) {
                                       return uint16_t(x % 8 * 4 << 11 | y % 8 * 8 << 5 |
                                                       (x + y) % 8 * 4);
                                   }),
                  kOk);
        EXPECT_EQ(s.device->setRenderState(RenderState::ZWriteEnable, depthWrite ? 1 : 0), kOk);
        MaterialRecord m;
        m.diffuse = {1, 0.8f, 0.6f, 1};
        m.ambient = {0.3f, 0.3f, 0.3f, 1};
        s.material->setRecord(m);
        EXPECT_EQ(s.device->setLightState(LightState::Ambient, 0x00808080), kOk);
        Ref<Light> light;
        EXPECT_EQ(s.d3d->createLight(light), kOk);
        LightRecord l;
        l.color = {1, 1, 1, 1};
        l.direction = {0.3f, -0.4f, 0.87f};
        light->setRecord(l);
        EXPECT_EQ(s.viewport->addLight(*light), kOk);
        // Texel coordinates scaled by a power of two, exactly, so every size shows the same texels.
        const float k = 8.0f / float(side);
        std::vector<Vertex> v = {s.at(3.3f, 2.1f, 0.5f, -0.7f * k, 0.2f * k),
                                 s.at(60.2f, 9.9f, 0.5f, 2.6f * k, -0.4f * k),
                                 s.at(17.7f, 61.4f, 0.5f, 0.1f * k, 3.3f * k)};
        v[0].nx = -0.6f, v[0].nz = -0.8f;
        v[1].ny = 0.6f, v[1].nz = -0.8f;
        EXPECT_EQ(s.draw3(v, {0, 1, 2}), kOk);
        std::vector<uint32_t> out;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                out.push_back(s.pixel(x, y));
        return out;
    };
    for (uint32_t side : {8u, 256u}) {
        const auto fast = render(true, side), general = render(false, side);
        int drawn = 0;
        for (size_t i = 0; i < fast.size(); ++i) {
            drawn += fast[i] != 0;
            for (int shift : {16, 8, 0}) {
                ASSERT_NEAR(int((fast[i] >> shift) & 0xFF), int((general[i] >> shift) & 0xFF), 1)
                    << "side " << side << " pixel " << i;
            }
        }
        EXPECT_GT(drawn, 1000);
    }
}

TEST(Soft3DTexture, LinearFilteringBlendsNeighbouringTexels) {
    Scene s(16, 16);
    // Black, then white.
    ASSERT_EQ(s.bindTexture565(2, 1, [](uint32_t x, uint32_t) { return uint16_t(x ? 0xFFFF : 0); }),
              kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::TextureMag, kFilterLinear), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::TextureMapBlend, kBlendDecal), kOk);
    // u runs 0.25..0.75 across 16 pixels: from the first texel's centre to the second's.
    std::vector<Vertex> v = {s.at(0, 0, 0.5f, 0.25f, 0.5f), s.at(16, 0, 0.5f, 0.75f, 0.5f),
                             s.at(16, 16, 0.5f, 0.75f, 0.5f), s.at(0, 16, 0.5f, 0.25f, 0.5f)};
    ASSERT_EQ(s.draw3(v, quadIndices()), kOk);
    const int left = int(s.pixel(0, 8) & 0xFF), middle = int(s.pixel(8, 8) & 0xFF),
              right = int(s.pixel(15, 8) & 0xFF);
    EXPECT_LT(left, 16);
    EXPECT_NEAR(middle, 128, 10);
    EXPECT_GT(right, 239);
}

TEST(Soft3DBlend, SourceColourBlendingMixesWithWhatIsThere) {
    Scene s(8, 8);
    MaterialRecord m;
    m.emissive = {1, 0.5f, 0, 1};
    s.material->setRecord(m);
    ASSERT_EQ(s.draw3(quad(s, 0, 0, 8, 8), quadIndices()), kOk);
    m.emissive = {0.5f, 0.5f, 0.5f, 1};
    s.material->setRecord(m);
    ASSERT_EQ(s.device->setRenderState(RenderState::AlphaBlendEnable, 1), kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::SrcBlend, uint32_t(BlendFactor::SrcColor)),
              kOk);
    ASSERT_EQ(s.device->setRenderState(RenderState::DestBlend, uint32_t(BlendFactor::InvSrcColor)),
              kOk);
    ASSERT_EQ(s.draw3(quad(s, 0, 0, 8, 8, 0.4f), quadIndices()), kOk);
    // Each channel: src x src + dst x (1 - src), with src = 128 / 255.
    const double f = 128.0 / 255.0;
    expectNear(s.pixel(4, 4),
               rgb(int(128 * f + 255 * (1 - f) + 0.5), int(128 * f + 128 * (1 - f) + 0.5),
                   int(128 * f + 0.5)),
               1, "blended");
}

TEST(Soft3DTarget, SixteenBitTargetsPackTheLitColour) {
    Scene s(8, 8, PixelFormat::rgb565());
    MaterialRecord m;
    m.emissive = {1, 0.5f, 0, 1};
    s.material->setRecord(m);
    ASSERT_EQ(s.draw3(quad(s, 0, 0, 8, 8), quadIndices()), kOk);
    uint16_t p;
    std::memcpy(&p, s.target->row(3) + 6, 2);
    EXPECT_EQ(p, uint16_t(31 << 11 | (128 >> 2) << 5));
}

TEST(Soft3DDraw, RefusesIndicesOutsideTheVertexRangeAndDrawsOutsideAScene) {
    Scene s;
    std::vector<Vertex> v = {s.at(1, 1), s.at(5, 1), s.at(1, 5)};
    const std::vector<uint16_t> bad = {0, 1, 3};
    ASSERT_EQ(s.device->beginScene(), kOk);
    EXPECT_EQ(s.device->drawIndexedTriangles(v.data(), 0, 3, bad.data(), 3, 0), kInvalidParams);
    const std::vector<uint16_t> beforeFirst = {0, 1, 2};
    EXPECT_EQ(s.device->drawIndexedTriangles(v.data(), 1, 2, beforeFirst.data(), 3, 0),
              kInvalidParams);
    ASSERT_EQ(s.device->endScene(), kOk);
    EXPECT_EQ(s.device->drawIndexedTriangles(v.data(), 0, 3, beforeFirst.data(), 3, 0),
              kNotInScene);
    const float nan = std::nanf("");
    std::vector<Vertex> broken = {{nan, 0, 0.5f, 0, 0, -1, nan, 0}, s.at(5, 1), s.at(1, 5)};
    EXPECT_EQ(s.draw3(broken, {0, 1, 2}), kOk) << "a vertex that is not a number is skipped";
}

TEST(Soft3DSurfaces, LostTargetRefusesTheSceneUntilRestored) {
    Scene s;
    s.draw->loseAllSurfaces();
    EXPECT_EQ(s.device->beginScene(), kSurfaceLost);
    EXPECT_EQ(s.draw->restoreAllSurfaces(), kOk);
    EXPECT_EQ(s.device->beginScene(), kOk);
    EXPECT_EQ(s.device->endScene(), kOk);
}

}  // namespace
}  // namespace marquill::platform::soft3d
