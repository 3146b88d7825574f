#pragma once
// A camera of a viewport: a position and a look direction become a view matrix, and near, far
// and field of view a perspective projection; each change is handed to the viewport.
#include "render/RefCounted.h"
#include "render/RenderResult.h"
#include "render/U3DAlgebra3.h"

namespace marquill::render {

class Viewport3D;

class Camera final : public RefCounted {
  public:
    Camera(Viewport3D& viewport, Vec3 position, Vec3 direction, float nearPlane, float farPlane,
           float fieldOfView);

    [[nodiscard]] RenderResult setPositionDirection(Vec3 position, Vec3 direction);
    [[nodiscard]] RenderResult setNear(float v);
    [[nodiscard]] RenderResult setFar(float v);
    [[nodiscard]] RenderResult setFieldOfView(float v);
    // Recomputes the projection and hands it to the viewport.
    [[nodiscard]] RenderResult updateProjection();
    // Hands the view matrix to the viewport.
    [[nodiscard]] RenderResult updateView();

    [[nodiscard]] Matrix4 projection() const;
    [[nodiscard]] const Matrix4& world() const { return world_; }
    [[nodiscard]] const Matrix4& view() const { return view_; }
    [[nodiscard]] Vec3 position() const { return position_; }
    [[nodiscard]] Vec3 direction() const { return direction_; }
    [[nodiscard]] float yaw() const { return yaw_; }
    [[nodiscard]] float pitch() const { return pitch_; }
    [[nodiscard]] float nearPlane() const { return near_; }
    [[nodiscard]] float farPlane() const { return far_; }
    [[nodiscard]] float fieldOfView() const { return fov_; }

  private:
    void orient();

    Viewport3D& viewport_;
    Matrix4 world_, view_;
    Vec3 position_, direction_;
    float yaw_ = 0, pitch_ = 0;
    float near_, far_, fov_;
};

}  // namespace marquill::render
