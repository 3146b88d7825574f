#include "platform/soft3d/Viewport.h"

#include <algorithm>

#include "platform/soft3d/Device.h"

namespace marquill::platform::soft3d {

Status Viewport::setViewport(const ViewportRecord& r) {
    if (r.size != sizeof(ViewportRecord) || r.width == 0 || r.height == 0) return kInvalidParams;
    record_ = r;
    return kOk;
}

Status Viewport::setBackground(uint32_t materialHandle) {
    background_ = materialHandle;
    return kOk;
}

Status Viewport::addLight(Light& light) {
    for (const auto& l : lights_) {
        if (l.get() == &light) return kInvalidParams;
    }
    lights_.emplace_back(&light);
    return kOk;
}

Status Viewport::deleteLight(Light& light) {
    auto it = std::find_if(lights_.begin(), lights_.end(),
                           [&](const Ref<Light>& l) { return l.get() == &light; });
    if (it == lights_.end()) return kInvalidParams;
    lights_.erase(it);
    return kOk;
}

Status Viewport::clear(std::span<const Rect> rects, uint32_t flags) {
    if (!device_) return kInvalidParams;
    Surface& target = device_->renderTarget();
    if (target.isLost()) return kSurfaceLost;
    const Rect area = Rect{int32_t(record_.x), int32_t(record_.y),
                           int32_t(record_.x + record_.width), int32_t(record_.y + record_.height)};
    Ref<Surface> depth;
    if (flags & kClearDepth) {
        if (target.attachedSurface(SurfaceDesc::kDepthBuffer, depth) != kOk) depth.reset();
        if (depth && depth->isLost()) return kSurfaceLost;
    }
    uint32_t pixel = 0;
    if (const Material* m = device_->material(background_)) {
        const ColorValue& c = m->record().diffuse;
        auto byte = [](float v) { return uint8_t(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
        pixel = packPixel(target.pixelFormat(), {byte(c.r), byte(c.g), byte(c.b), byte(c.a)});
    }
    for (const Rect& r : rects) {
        const Rect clipped = r.intersect(area);
        if (clipped.empty()) continue;
        if (flags & kClearTarget) {
            if (Status s = target.colorFill(&clipped, pixel); s != kOk) return s;
        }
        if (depth) {
            if (Status s = depth->colorFill(&clipped, 0xFFFF); s != kOk) return s;
        }
    }
    return kOk;
}

}  // namespace marquill::platform::soft3d
