#include "render/Viewport3D.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

#include "render/Device3D.h"

namespace marquill::render {

using namespace platform::soft3d;
namespace s3 = platform::soft3d;

namespace {
constexpr size_t kMaxLights = 16;

platform::soft3d::Matrix toPlatform(const Matrix4& m) {
    return m.values();
}

uint8_t toByte(float v) {
    const float scaled = v * 255.0f;
    if (!(scaled > 0)) return 0;
    return scaled >= 255.0f ? 255 : uint8_t(scaled);
}

void placeRecord(platform::soft3d::ViewportRecord& record, const Rect& rect) {
    record.x = uint32_t(std::max(rect.left, 0));
    record.y = uint32_t(std::max(rect.top, 0));
    record.width = uint32_t(std::max(rect.width(), 1));
    record.height = uint32_t(std::max(rect.height(), 1));
    record.scaleX = float(record.width) / 2;
    record.scaleY = float(record.height) / 2;
    record.maxX = 1.0f;
    record.maxY = 1.0f;
}
}  // namespace

Viewport3D::Viewport3D(Device3D& device, const Rect* rect) : device_(device) {
    stack_.push_back(Matrix4());
    rect_ = rect ? *rect : Rect{0, 0, device.width(), device.height()};
    placeRecord(record_, rect_);

    Ref<platform::soft3d::Viewport> vp;
    if (Status s = device.direct3D().createViewport(vp); s != kOk) {
        fail(s);
        return;
    }
    viewport_ = vp.detach();
    if (Status s = device.platform().addViewport(*viewport_); s != kOk) {
        fail(s);
        return;
    }
    if (Status s = viewport_->setViewport(record_); s != kOk) {
        fail(s);
        return;
    }
    Ref<Material> bg;
    if (Status s = device.direct3D().createMaterial(bg); s != kOk) {
        fail(s);
        return;
    }
    background_ = bg.detach();
    MaterialRecord m;
    m.diffuse = {0, 0, 1, 0.5f};
    m.ambient = {0, 0, 0.5f, 0.5f};
    m.specular = {0, 0, 1, 0.5f};
    m.emissive = {0, 0, 1, 0.5f};
    m.power = 20.0f;
    background_->setRecord(m);
    backgroundHandle_ = device.platform().materialHandle(*background_);
    (void)viewport_->setBackground(backgroundHandle_);
    Camera* camera = nullptr;
    (void)createCamera({-300, 0, 0}, {1, 0, 0}, 10.0f, 200.0f, std::numbers::pi_v<float> / 4,
                       &camera);
}

Viewport3D::~Viewport3D() {
    stack_.resize(1);
    for (Camera* c : cameras_)
        c->release();
    for (Light* l : lights_) {
        if (viewport_) (void)viewport_->deleteLight(l->platformLight());
        l->release();
    }
    if (background_) {
        device_.platform().releaseMaterialHandle(backgroundHandle_);
        background_->release();
    }
    if (viewport_) {
        if (viewport_->device()) (void)viewport_->device()->deleteViewport(*viewport_);
        viewport_->release();
    }
}

RenderResult Viewport3D::setRect(const Rect& rect) {
    if (!viewport_) return lastResult();
    platform::soft3d::ViewportRecord record = record_;
    placeRecord(record, rect);
    if (Status s = viewport_->setViewport(record); s != kOk) return fail(s);
    rect_ = rect;
    record_ = record;
    return kRenderOk;
}

platform::soft3d::Device& Viewport3D::platformDevice() const {
    return device_.platform();
}

RenderResult Viewport3D::applyRenderState() {
    if (!state_.dirty()) return kRenderOk;
    const RenderStateFields& f = state_.fields();
    platform::soft3d::Device& d = device_.platform();
    const std::pair<s3::RenderState, uint32_t> states[] = {
        {s3::RenderState::ShadeMode, uint32_t(f.shading)},
        {s3::RenderState::TexturePerspective, 0},
        {s3::RenderState::ZEnable, f.depthTest ? 1u : 0u},
        {s3::RenderState::ZWriteEnable, f.depthTest ? 1u : 0u},
        {s3::RenderState::ZFunc, kCmpLessEqual},
        {s3::RenderState::FillMode, uint32_t(f.fillMode)},
        {s3::RenderState::DitherEnable, f.dither ? 1u : 0u},
        {s3::RenderState::SpecularEnable, f.specular ? 1u : 0u},
        {s3::RenderState::FogEnable, f.fog ? 1u : 0u},
        {s3::RenderState::FogColor, f.fogColor},
        {s3::RenderState::FogTableMode, f.fog ? uint32_t(f.fogMode) : 0u},
        {s3::RenderState::FogStart, std::bit_cast<uint32_t>(f.fogStart)},
        {s3::RenderState::FogEnd, std::bit_cast<uint32_t>(f.fogEnd)},
    };
    for (auto [s, v] : states) {
        if (Status r = d.setRenderState(s, v); r != kOk) return fail(r);
    }
    if (Status r = d.setTransform(TransformState::View, toPlatform(view_)); r != kOk)
        return fail(r);
    if (Status r = d.setTransform(TransformState::Projection, toPlatform(projection_)); r != kOk)
        return fail(r);
    state_.clean();
    return kRenderOk;
}

RenderResult Viewport3D::setBackgroundColor(float r, float g, float b, float a) {
    if (!background_) return fail(kRenderNoPlatformMaterial);
    MaterialRecord m = background_->record();
    m.diffuse = {r, g, b, a};
    background_->setRecord(m);
    return fail(kRenderOk);
}

RenderResult Viewport3D::setAmbientLight(float r, float g, float b, float a) {
    const uint32_t packed = uint32_t(toByte(a)) << 24 | uint32_t(toByte(r)) << 16 |
                            uint32_t(toByte(g)) << 8 | toByte(b);
    return fail(device_.platform().setLightState(LightState::Ambient, packed));
}

void Viewport3D::setBackgroundImage(Surface* image) {
    backgroundImage_ = image;
}

RenderResult Viewport3D::sendWorld() {
    return fail(device_.platform().setTransform(TransformState::World, toPlatform(world_)));
}

RenderResult Viewport3D::setWorld(const Matrix4& m) {
    stack_.back() = m;
    world_ = m;
    return sendWorld();
}

RenderResult Viewport3D::pushWorld(const Matrix4& m) {
    stack_.push_back(m * stack_.back());
    world_ = stack_.back();
    return sendWorld();
}

RenderResult Viewport3D::popWorld() {
    if (stack_.size() > 1) stack_.pop_back();
    world_ = stack_.back();
    return sendWorld();
}

RenderResult Viewport3D::setViewMatrix(const Matrix4& m, const Camera* camera) {
    if (camera && camera != current_) return kRenderOk;
    view_ = m;
    return fail(device_.platform().setTransform(TransformState::View, toPlatform(m)));
}

RenderResult Viewport3D::setProjectionMatrix(const Matrix4& m, const Camera* camera) {
    if (camera && camera != current_) return kRenderOk;
    projection_ = m;
    return fail(device_.platform().setTransform(TransformState::Projection, toPlatform(m)));
}

RenderResult Viewport3D::createCamera(Vec3 position, Vec3 direction, float nearPlane,
                                      float farPlane, float fieldOfView, Camera** out) {
    auto* c = new Camera(*this, position, direction, nearPlane, farPlane, fieldOfView);
    cameras_.push_back(c);
    current_ = c;
    if (RenderResult r = c->updateView(); r != kRenderOk) return r;
    if (RenderResult r = c->updateProjection(); r != kRenderOk) return r;
    if (out) *out = c;
    return kRenderOk;
}

RenderResult Viewport3D::addLight(Light& light) {
    if (std::find(lights_.begin(), lights_.end(), &light) != lights_.end()) return kRenderOk;
    if (lights_.size() >= kMaxLights) return fail(kRenderTooManyLights);
    if (Status s = viewport_->addLight(light.platformLight()); s != kOk) return fail(s);
    light.addRef();
    lights_.push_back(&light);
    return kRenderOk;
}

RenderResult Viewport3D::clear(ClearDepth depth) {
    clearList_.clear();
    clearList_.addAll(drawnPrevious_);
    clearList_.addAll(drawnThis_);
    for (const Rect& r : device_.anim().presentList().rects()) {
        if (UpdateRectList::overlaps(r, rect_)) clearList_.add(r);
    }
    clearList_.merge();
    if (clearList_.empty()) return kRenderOk;
    const std::vector<Rect>& rects = clearList_.rects();
    uint32_t flags =
        depth == ClearDepth::Yes ? uint32_t(platform::soft3d::Viewport::kClearDepth) : 0u;
    if (!backgroundImage_) flags |= platform::soft3d::Viewport::kClearTarget;
    if (flags != 0) {
        if (Status s = viewport_->clear(rects, flags); s != kOk) return fail(s);
    }
    if (backgroundImage_) {
        Surface& target = device_.platform().renderTarget();
        for (const Rect& r : rects) {
            const Rect dst = r.intersect(rect_).intersect(target.bounds());
            const Rect src = dst.offset(-rect_.left, -rect_.top);
            if (dst.empty() || src.intersect(backgroundImage_->bounds()) != src) continue;
            if (Status s = target.blt(&dst, *backgroundImage_, &src); s != kOk) return fail(s);
        }
    }
    return kRenderOk;
}

RenderResult Viewport3D::beginScene(bool applyState) {
    sceneOpen_ = true;
    Status s = device_.platform().beginScene();
    if (s == kSurfaceLost) {
        (void)device_.anim().restoreAllSurfaces();
        return fail(device_.platform().beginScene());
    }
    if (s != kOk) return fail(s);
    if (Status c = device_.platform().setCurrentViewport(*viewport_); c != kOk) return fail(c);
    if (applyState) return applyRenderState();
    return kRenderOk;
}

RenderResult Viewport3D::endScene() {
    const Status s = device_.platform().endScene();
    if (s == kOk) sceneOpen_ = false;
    return fail(s);
}

void Viewport3D::reportDrawn(const Rect& r) {
    lastReported_ = r;
    if (recording_) drawnThis_.add(r);
}

}  // namespace marquill::render
