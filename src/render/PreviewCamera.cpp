#include "render/PreviewCamera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace marquill::render {

namespace {
const float kSqrt6 = std::sqrt(6.0f);
// k = 1 / (2 sqrt 6); D = trunc(96 sqrt 6 + (765 k + 68) / 2), which is 347.
const float kK = 1.0f / (2.0f * kSqrt6);
const float kD = std::trunc(96.0f * kSqrt6 + (765.0f * kK + 68.0f) / 2.0f);
}  // namespace

float previewZoomScale(int32_t zoomIndex) {
    switch (zoomIndex) {
        case 0:
            return 128;
        case 1:
            return 192;
        case 2:
            return 256;
        case 3:
            return 384;
        case 4:
            return 512;
        default:
            return 128.0f * std::ldexp(1.0f, std::clamp(zoomIndex, -30, 30));
    }
}

PreviewCameraPlacement computePreviewCamera(PreviewCameraSettings& st, const Rect& viewport,
                                            int32_t now, const Rect& framing) {
    const int32_t elapsed = int32_t(uint32_t(now) - uint32_t(st.lastCameraTime));
    st.lastCameraTime = now;
    const float aOld = st.facing;
    st.facing = st.facing + float(elapsed) * st.spinRate * 0.001f;

    const int32_t w = framing.right - framing.left;
    const int32_t h = framing.bottom - framing.top;
    const int32_t ws = int32_t(std::trunc(1.5 * double(w)));
    const float z = previewZoomScale(st.zoomIndex);
    const float viewWidth = float(ws) * std::numbers::sqrt2_v<float> * 3.0f / z;
    const float unit = ws != 0 ? viewWidth / float(ws) : 0.0f;

    const float yaw = (45.0f - 90.0f * aOld) * std::numbers::pi_v<float> / 180.0f;
    const float pitch = std::numbers::pi_v<float> * (-1.0f / 6.0f);
    const Matrix4 m = Matrix4::rotation(0, pitch) * Matrix4::rotation(1, yaw);
    const Vec3 l = m.transformPoint({0, 0, kD - 12.5f});
    const float len = std::sqrt(l.x * l.x + l.y * l.y + l.z * l.z);
    const Vec3 look{-l.x / len, -l.y / len, -l.z / len};
    const Matrix4 n = m.inverse().value_or(Matrix4());
    const Vec3 s = n.transformPoint({-unit, 0, 0});
    const Vec3 v = n.transformPoint({0, -unit, 0});
    const float ps = float((ws >> 1) - 250);
    const float pv = float((h >> 1) - 320);
    const Vec3 position{l.x + ps * s.x + pv * v.x, l.y + ps * s.y + pv * v.y,
                        l.z + ps * s.z + pv * v.z};

    const float halfW = viewWidth / 2;
    const float halfViewW = float(viewport.right - viewport.left) / 2;
    const float halfViewH = float(viewport.bottom - viewport.top) / 2;
    const float halfH = halfViewH != 0 ? halfW / (halfViewW / halfViewH) : halfW;
    const Matrix4 ortho = Matrix4::fromValues(
        {halfH, 0, 0, 0, 0, halfW, 0, 0, 0, 0, halfW * halfH / kD, 0, 0, 0, 0, halfW * halfH});
    return {position, look, viewWidth, ortho};
}

RenderResult placePreviewCamera(PreviewCameraSettings& st, Camera& camera, Viewport3D& viewport,
                                int32_t now, const Rect& framing) {
    const PreviewCameraPlacement p = computePreviewCamera(st, viewport.rect(), now, framing);
    if (RenderResult r = camera.setPositionDirection(p.position, p.direction); r != kRenderOk)
        return r;
    if (RenderResult r = camera.setNear(1.0f); r != kRenderOk) return r;
    if (RenderResult r = camera.setFar(kD); r != kRenderOk) return r;
    return viewport.setProjectionMatrix(p.projection, nullptr);
}

}  // namespace marquill::render
