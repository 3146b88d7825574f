#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "RenderFixture.h"
#include "render/PreviewCamera.h"
#include "render/U3DAlgebra3.h"

namespace marquill::render {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

TEST(Matrix4, KindsFollowConstructionAndProducts) {
    EXPECT_EQ(Matrix4().kind(), MatrixKind::Identity);
    const Matrix4 t = Matrix4::translation({1, 2, 3});
    EXPECT_EQ(t.kind(), MatrixKind::Translation);
    EXPECT_EQ(Matrix4::rotation(1, 0.5f).kind(), MatrixKind::General);
    EXPECT_EQ(Matrix4::rotation(7, 0.5f), Matrix4::fromValues(Matrix4().values()))
        << "an unknown axis gives the identity values";
    EXPECT_EQ(Matrix4() * t, t);
    EXPECT_EQ((t * Matrix4()).kind(), MatrixKind::Translation);
    const Vec3 p = t.transformPoint({1, 1, 1});
    EXPECT_EQ(p, (Vec3{2, 3, 4}));
    // Rotation rows as the row-vector convention has them: x turns towards y about z.
    const Vec3 r = Matrix4::rotation(2, kPi / 2).transformPoint({1, 0, 0});
    EXPECT_NEAR(r.x, 0, 1e-6);
    EXPECT_NEAR(r.y, 1, 1e-6);
}

TEST(Matrix4, InversePivotsAndRefusesSingularMatrices) {
    // A zero in the first pivot position needs a row swap.
    const Matrix4 m = Matrix4::fromValues({0, 2, 0, 0, 1, 0, 0, 0, 0, 0, 4, 0, 5, 6, 7, 1});
    const auto inv = m.inverse();
    ASSERT_TRUE(inv.has_value());
    const Matrix4 id = m * *inv;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(id.at(i, j), i == j ? 1.0f : 0.0f, 1e-6) << i << j;
    const Matrix4 singular = Matrix4::fromValues({1, 2, 3, 0, 2, 4, 6, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    EXPECT_FALSE(singular.inverse().has_value());
}

TEST(Matrix4, TextRoundTrip) {
    const Matrix4 m = Matrix4::rotation(0, 0.3f) * Matrix4::translation({1.5f, -2, 3});
    const auto back = Matrix4::fromText(m.toText());
    ASSERT_TRUE(back.has_value());
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(back->values()[size_t(i)], m.values()[size_t(i)]);
    EXPECT_FALSE(Matrix4::fromText("1 2 3").has_value());
}

TEST(Camera, YawSignsFollowTheHeading) {
    testing::Renderer r;
    Camera* c = r.viewport->currentCamera();
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->setPositionDirection({0, 0, 0}, {0, 0, -1}), kRenderOk);
    EXPECT_NEAR(c->yaw(), kPi, 1e-6);
    ASSERT_EQ(c->setPositionDirection({0, 0, 0}, {-1, 0, 1}), kRenderOk);
    EXPECT_NEAR(c->yaw(), -kPi / 4, 1e-6);
    ASSERT_EQ(c->setPositionDirection({0, 0, 0}, {1, -1, 0}), kRenderOk);
    EXPECT_NEAR(c->pitch(), kPi / 4, 1e-6) << "looking down is a positive pitch";
    ASSERT_EQ(c->setPositionDirection({0, 0, 0}, {0, -1, 0}), kRenderOk);
    EXPECT_EQ(c->yaw(), 0.0f) << "straight down has no heading";
    // The view matrix takes the camera's position to the origin and its direction to +z.
    ASSERT_EQ(c->setPositionDirection({10, 5, -3}, {1, 0, 0}), kRenderOk);
    const Vec3 ahead = c->view().transformPoint({12, 5, -3});
    EXPECT_NEAR(ahead.x, 0, 1e-5);
    EXPECT_NEAR(ahead.z, 2, 1e-5);
    EXPECT_EQ(r.viewport->view(), c->view()) << "the current camera hands its view over";
}

TEST(PreviewCamera, FacingZeroLooksFromTheSouthEastThirtyDegreesUp) {
    // A 334 x 640 viewport makes both pan offsets zero: the camera sits at L itself.
    PreviewCameraSettings st;
    st.zoomIndex = 3;
    const PreviewCameraPlacement p = computePreviewCamera(st, {0, 0, 334, 640}, 0);
    EXPECT_NEAR(p.position.x, 204.8, 0.1);
    EXPECT_NEAR(p.position.y, 167.25, 0.01);
    EXPECT_NEAR(p.position.z, 204.8, 0.1);
    const float len = std::sqrt(204.8f * 204.8f * 2 + 167.25f * 167.25f);
    EXPECT_NEAR(p.direction.x, -204.8f / len, 1e-3);
    EXPECT_NEAR(p.direction.y, -167.25f / len, 1e-3);
}

TEST(PreviewCamera, ZoomScalesAndFallback) {
    EXPECT_EQ(previewZoomScale(0), 128);
    EXPECT_EQ(previewZoomScale(4), 512);
    EXPECT_EQ(previewZoomScale(5), 4096);
    PreviewCameraSettings st;
    st.zoomIndex = 0;
    const PreviewCameraPlacement p = computePreviewCamera(st, {0, 0, 368, 508}, 0);
    // One world unit spans Z / (4.5 sqrt 2) pixels horizontally.
    const float pixelsPerUnit = 368.0f / p.viewWidth;
    EXPECT_NEAR(pixelsPerUnit, 128 / (4.5 * std::sqrt(2.0)), 0.05);
}

TEST(PreviewCamera, SpinAdvancesTheFacingByElapsedTime) {
    PreviewCameraSettings st;
    st.spinRate = 0.1f;
    st.lastCameraTime = 1000;
    (void)computePreviewCamera(st, {0, 0, 368, 508}, 11000);
    EXPECT_NEAR(st.facing, 1.0f, 1e-6) << "ten seconds at the slow rate is a quarter turn";
    EXPECT_EQ(st.lastCameraTime, 11000);
}

TEST(PreviewCamera, OrthographicProjectionMapsCameraSpaceLinearly) {
    testing::Renderer r(368, 508);
    PreviewCameraSettings st;
    st.zoomIndex = 2;
    ASSERT_EQ(placePreviewCamera(st, *r.viewport->currentCamera(), *r.viewport, 0), kRenderOk);
    const Matrix4& proj = r.viewport->projection();
    const float halfW = proj.at(1, 1), halfH = proj.at(0, 0), w = proj.at(3, 3);
    EXPECT_FLOAT_EQ(w, halfW * halfH);
    const Vec3 mapped = proj.transformPoint({halfW, halfH, 347.0f});
    EXPECT_NEAR(mapped.x, 1, 1e-5);
    EXPECT_NEAR(mapped.y, 1, 1e-5);
    EXPECT_NEAR(mapped.z, 1, 1e-5);
    EXPECT_NEAR(halfW / halfH, 368.0f / 508.0f, 1e-5);
    EXPECT_FLOAT_EQ(r.viewport->currentCamera()->farPlane(), 347.0f);
}

}  // namespace
}  // namespace marquill::render
