#include "render/RenderDIPMesh.h"

#include <cmath>

#include "render/DDDMaterial.h"
#include "render/DDDTexture.h"
#include "render/Device3D.h"
#include "render/Viewport3D.h"

namespace marquill::render {

using namespace platform::soft3d;
namespace s3 = platform::soft3d;

namespace {

constexpr float kExtentReset = 2147483648.0f;

int32_t roundExtent(float v) {
    // Half away from zero, kept inside the integer range.
    const double r = std::round(double(v));
    if (!(r > -2147483648.0)) return -2147483647 - 1;
    if (r > 2147483647.0) return 2147483647;
    return int32_t(r);
}

}  // namespace

RenderDIPMesh* RenderDIPMesh::create(Device3D& device) {
    return new RenderDIPMesh(device);
}

void RenderDIPMesh::setBoundingBox(const std::optional<BoundingBox>& box) {
    RenderMesh::setBoundingBox(box);
}

RenderResult RenderDIPMesh::draw(Viewport3D& viewport, int clipMode) {
    uint32_t drawFlags = DrawFlags::kDoNotClip;
    if (clipMode != kClipInside) {
        const uint32_t bits =
            viewTest(viewport.world() * viewport.view() * viewport.projection(), box_);
        if (viewTestCulled(bits)) {
            resetScreenRect();
            return kRenderOk;
        }
        if (bits != 0) drawFlags = 0;
    }
    resetScreenRect();
    platform::soft3d::Device& d = viewport.platformDevice();
    const bool filterLinear = viewport.renderState().textureFilter == 2;
    const bool blended = (meshFlags_ & kBlended) != 0;
    const auto& verts = container_.vertices;
    for (const Batch& b : batches_) {
        if (b.indices.empty()) continue;
        if (b.last < b.first || b.last >= verts.size()) return kInvalidParams;
        (void)d.setLightState(LightState::ColorVertex, 0);
        (void)d.setLightState(LightState::Material, b.material ? b.material->handle() : 0);
        const DDDTexture* tex = b.material ? b.material->texture() : nullptr;
        (void)d.setRenderState(s3::RenderState::TextureHandle, tex ? tex->handle() : 0);
        (void)d.setRenderState(s3::RenderState::TextureMapBlend,
                               textureBlend_ == 0 ? kBlendDecal : kBlendModulate);
        const uint32_t filter = filterLinear ? kFilterLinear : kFilterNearest;
        (void)d.setRenderState(s3::RenderState::TextureMag, filter);
        (void)d.setRenderState(s3::RenderState::TextureMin, filter);
        (void)d.setRenderState(s3::RenderState::AlphaBlendEnable, blended ? 1 : 0);
        if (blended) {
            (void)d.setRenderState(s3::RenderState::SrcBlend, uint32_t(BlendFactor::SrcColor));
            (void)d.setRenderState(s3::RenderState::DestBlend, uint32_t(BlendFactor::InvSrcColor));
        }
        if (Status s =
                d.drawIndexedTriangles(verts.data(), b.first, b.last - b.first + 1,
                                       b.indices.data(), uint32_t(b.indices.size()), drawFlags);
            s != kOk)
            return s;
        ClipStatus cs;
        (void)d.getClipStatus(cs);
        addToScreenRect({roundExtent(cs.minX), roundExtent(cs.minY), roundExtent(cs.maxX),
                         roundExtent(cs.maxY)});
        (void)d.setClipStatus({kExtentReset, -kExtentReset, kExtentReset, -kExtentReset});
    }
    viewport.reportDrawn(screenRect_);
    return kRenderOk;
}

}  // namespace marquill::render
