#include "render/RenderObject.h"

#include <algorithm>
#include <cmath>

#include "render/Viewport3D.h"

namespace marquill::render {

void BoundingBox::include(Vec3 p) {
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

void BoundingBox::include(const BoundingBox& b) {
    if (!b.valid()) return;
    include(b.min);
    include(b.max);
}

BoundingBox BoundingBox::transformed(const Matrix4& m) const {
    if (!valid()) return *this;
    BoundingBox out;
    for (int i = 0; i < 8; ++i) {
        out.include(m.transformPoint(
            {(i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 4) ? max.z : min.z}));
    }
    return out;
}

uint32_t viewTest(const Matrix4& m, const BoundingBox& box) {
    uint32_t bits = 0x3F000;  // every corner outside every plane until one is not
    const auto& v = m.values();
    for (int i = 0; i < 8; ++i) {
        const Vec3 p{(i & 1) ? box.max.x : box.min.x, (i & 2) ? box.max.y : box.min.y,
                     (i & 4) ? box.max.z : box.min.z};
        float x = p.x * v[0] + p.y * v[4] + p.z * v[8] + v[12];
        float y = p.x * v[1] + p.y * v[5] + p.z * v[9] + v[13];
        float z = p.x * v[2] + p.y * v[6] + p.z * v[10] + v[14];
        const float w = p.x * v[3] + p.y * v[7] + p.z * v[11] + v[15];
        if (w > 0) {
            x /= w, y /= w, z /= w;
            uint32_t out = 0;
            if (x < -1) out |= 1u << 0;
            if (x > 1) out |= 1u << 1;
            if (y > 1) out |= 1u << 2;
            if (y < -1) out |= 1u << 3;
            if (z < 0) out |= 1u << 4;
            if (z > 1) out |= 1u << 5;
            bits |= out;
            for (int k = 0; k < 6; ++k) {
                if ((out & (1u << k)) == 0) bits &= ~(1u << (12 + k));
            }
        } else {
            const float aw = std::fabs(w);
            if (aw > 1e-6f) x /= aw, y /= aw;
            bits |= 1u << 4;
            bits &= ~(1u << 17);
            if (x >= -1) bits &= ~(1u << 12);
            if (x <= 1) bits &= ~(1u << 13);
            if (y <= 1) bits &= ~(1u << 14);
            if (y >= -1) bits &= ~(1u << 15);
        }
    }
    return bits;
}

uint32_t RenderObject::addRef() {
    const uint32_t count = (refCount() + 1) & 0xFFFF;
    flags_ = (flags_ & ~(0xFFFFu << 2)) | (count << 2);
    return count;
}

uint32_t RenderObject::release() {
    const uint32_t count = (refCount() - 1) & 0xFFFF;
    flags_ = (flags_ & ~(0xFFFFu << 2)) | (count << 2);
    if (count == 0) delete this;
    return count;
}

void RenderObject::addToScreenRect(const Rect& r) {
    if (r.empty()) return;
    if (screenRect_.empty()) {
        screenRect_ = r;
        return;
    }
    screenRect_ = {std::min(screenRect_.left, r.left), std::min(screenRect_.top, r.top),
                   std::max(screenRect_.right, r.right), std::max(screenRect_.bottom, r.bottom)};
}

RenderResult drawWithLocalTransform(RenderObject& object, Viewport3D& viewport, int clipMode) {
    if (RenderResult r = viewport.pushWorld(object.localTransform()); r != kRenderOk) return r;
    const RenderResult drawn = object.draw(viewport, clipMode);
    const RenderResult popped = viewport.popWorld();
    return drawn != kRenderOk ? drawn : popped;
}

}  // namespace marquill::render
