#include "render/Camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/Viewport3D.h"

namespace marquill::render {

Camera::Camera(Viewport3D& viewport, Vec3 position, Vec3 direction, float nearPlane, float farPlane,
               float fieldOfView)
    : viewport_(viewport),
      position_(position),
      direction_(direction),
      near_(nearPlane),
      far_(farPlane),
      fov_(fieldOfView) {
    orient();
}

void Camera::orient() {
    const Vec3 d = direction_;
    const float len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    pitch_ = len > 0 ? std::asin(std::clamp(-d.y / len, -1.0f, 1.0f)) : 0.0f;
    const float hl = std::sqrt(d.x * d.x + d.z * d.z);
    // Straight up or down the heading is undefined; the camera keeps facing +z then.
    yaw_ = hl > 0 ? std::acos(std::clamp(d.z / hl, -1.0f, 1.0f)) : 0.0f;
    if (hl > 0 && d.x < 0) yaw_ = -yaw_;
    world_ =
        Matrix4::rotation(0, pitch_) * Matrix4::rotation(1, yaw_) * Matrix4::translation(position_);
    if (auto inv = world_.inverse()) view_ = *inv;
}

RenderResult Camera::updateView() {
    return viewport_.setViewMatrix(view_, this);
}

RenderResult Camera::setPositionDirection(Vec3 position, Vec3 direction) {
    position_ = position;
    direction_ = direction;
    orient();
    return updateView();
}

Matrix4 Camera::projection() const {
    const float t = std::tan(fov_ / 2);
    const Rect r = viewport_.rect();
    const float aspect = r.height() != 0 ? float(r.width()) / float(r.height()) : 1.0f;
    const float xs = aspect > 1 ? 1.0f : 1.0f / aspect;
    const float ys = aspect > 1 ? aspect : 1.0f;
    const float q = far_ != near_ ? far_ * t / (far_ - near_) : 0.0f;
    return Matrix4::fromValues({xs, 0, 0, 0, 0, ys, 0, 0, 0, 0, q, t, 0, 0, -q * near_, 0});
}

RenderResult Camera::updateProjection() {
    return viewport_.setProjectionMatrix(projection(), this);
}

RenderResult Camera::setNear(float v) {
    near_ = v;
    return updateProjection();
}

RenderResult Camera::setFar(float v) {
    far_ = v;
    return updateProjection();
}

RenderResult Camera::setFieldOfView(float v) {
    fov_ = v;
    return updateProjection();
}

}  // namespace marquill::render
