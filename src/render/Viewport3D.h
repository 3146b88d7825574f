#pragma once
// A rectangle of the back buffer with what is needed to draw a 3D scene into it: render state,
// world-matrix stack, view and projection, background, cameras, lights, and the rectangles drawn
// in this and the previous frame (which the next frame clears and presents).
#include <cstdint>
#include <vector>

#include "platform/soft3d/Device.h"
#include "platform/soft3d/Surface.h"
#include "platform/soft3d/Viewport.h"
#include "render/Camera.h"
#include "render/Light.h"
#include "render/RenderResult.h"
#include "render/RenderState.h"
#include "render/U3DAlgebra3.h"
#include "render/UpdateRectList.h"

namespace marquill::render {

class Device3D;

enum class ClearDepth { No, Yes };

class Viewport3D {
  public:
    // Over `rect` of the back buffer, or all of it. Check lastResult() after construction.
    Viewport3D(Device3D& device, const Rect* rect);
    ~Viewport3D();
    Viewport3D(const Viewport3D&) = delete;
    Viewport3D& operator=(const Viewport3D&) = delete;

    [[nodiscard]] RenderStateFields renderState() const { return state_.fields(); }
    void setRenderState(const RenderStateFields& f) { state_.assign(f); }
    void restoreDefaultRenderState() { state_.restoreDefaults(); }
    [[nodiscard]] bool renderStateDirty() const { return state_.dirty(); }
    [[nodiscard]] RenderResult applyRenderState();

    [[nodiscard]] RenderResult setBackgroundColor(float r, float g, float b, float a);
    [[nodiscard]] RenderResult setAmbientLight(float r, float g, float b, float a);
    void setBackgroundImage(platform::soft3d::Surface* image);

    [[nodiscard]] RenderResult setWorld(const Matrix4& m);
    [[nodiscard]] RenderResult pushWorld(const Matrix4& m);
    [[nodiscard]] RenderResult popWorld();
    [[nodiscard]] const Matrix4& world() const { return world_; }
    [[nodiscard]] size_t worldDepth() const { return stack_.size(); }
    // Take effect only for the current camera, or when no camera is given.
    [[nodiscard]] RenderResult setViewMatrix(const Matrix4& m, const Camera* camera);
    [[nodiscard]] RenderResult setProjectionMatrix(const Matrix4& m, const Camera* camera);
    [[nodiscard]] const Matrix4& view() const { return view_; }
    [[nodiscard]] const Matrix4& projection() const { return projection_; }

    // The new camera joins the viewport's list and becomes current.
    [[nodiscard]] RenderResult createCamera(Vec3 position, Vec3 direction, float nearPlane,
                                            float farPlane, float fieldOfView, Camera** out);
    [[nodiscard]] Camera* currentCamera() const { return current_; }
    [[nodiscard]] RenderResult addLight(Light& light);
    [[nodiscard]] const std::vector<Light*>& lights() const { return lights_; }

    [[nodiscard]] RenderResult clear(ClearDepth depth);
    [[nodiscard]] RenderResult beginScene(bool applyState);
    [[nodiscard]] RenderResult endScene();
    [[nodiscard]] bool sceneOpen() const { return sceneOpen_; }

    // What drawn objects report.
    void reportDrawn(const Rect& r);
    [[nodiscard]] const Rect& lastReported() const { return lastReported_; }
    void setRecording(bool on) { recording_ = on; }
    [[nodiscard]] bool recording() const { return recording_; }
    [[nodiscard]] UpdateRectList& drawnThisFrame() { return drawnThis_; }
    [[nodiscard]] UpdateRectList& drawnPreviousFrame() { return drawnPrevious_; }
    [[nodiscard]] const UpdateRectList& clearList() const { return clearList_; }

    [[nodiscard]] Rect rect() const { return rect_; }
    // Moves the viewport to another rectangle of the back buffer; the next projection and clear
    // follow it.
    [[nodiscard]] RenderResult setRect(const Rect& rect);
    [[nodiscard]] const platform::soft3d::ViewportRecord& record() const { return record_; }
    [[nodiscard]] Device3D& device() const { return device_; }
    [[nodiscard]] platform::soft3d::Viewport* platformViewport() const { return viewport_; }
    [[nodiscard]] platform::soft3d::Device& platformDevice() const;
    [[nodiscard]] RenderResult lastResult() const { return result_; }

  private:
    RenderResult fail(RenderResult r) { return result_ = r; }
    RenderResult sendWorld();

    Device3D& device_;
    platform::soft3d::Viewport* viewport_ = nullptr;
    platform::soft3d::Material* background_ = nullptr;
    uint32_t backgroundHandle_ = 0;
    Rect rect_;
    platform::soft3d::ViewportRecord record_;
    RenderState state_;
    Matrix4 world_, view_, projection_;
    std::vector<Matrix4> stack_;
    std::vector<Light*> lights_;
    std::vector<Camera*> cameras_;
    Camera* current_ = nullptr;
    UpdateRectList drawnPrevious_, drawnThis_, clearList_;
    platform::soft3d::Surface* backgroundImage_ = nullptr;
    RenderResult result_ = kRenderOk;
    bool sceneOpen_ = false;
    bool recording_ = true;
    Rect lastReported_{2147483647, 2147483647, -2147483647 - 1, -2147483647 - 1};
};

}  // namespace marquill::render
