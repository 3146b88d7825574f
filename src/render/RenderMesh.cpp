#include "render/RenderMesh.h"

#include "render/DDDMaterial.h"
#include "render/Device3D.h"
#include "render/Viewport3D.h"

namespace marquill::render {

RenderMesh* RenderMesh::create(Device3D& device) {
    return new RenderMesh(device);
}

RenderMesh::~RenderMesh() {
    for (Batch& b : batches_) {
        if (b.material) b.material->release();
    }
}

RenderMesh::Batch& RenderMesh::batch(size_t i) {
    if (i >= batches_.size()) batches_.resize(i + 1);
    return batches_[i];
}

void RenderMesh::reserveIndices(size_t b, size_t n) {
    batch(b).indices.resize(n);
}

std::vector<uint16_t>& RenderMesh::indices(size_t b) {
    return batch(b).indices;
}

void RenderMesh::setVertexRange(size_t b, uint32_t first, uint32_t last) {
    Batch& x = batch(b);
    x.first = first;
    x.last = last;
}

void RenderMesh::addTextureName(std::string name) {
    container_.textureNames.push_back(std::move(name));
    container_.currentName = container_.textureNames.size() - 1;
}

DDDMaterial* RenderMesh::material(size_t b) const {
    return b < batches_.size() ? batches_[b].material : nullptr;
}

void RenderMesh::setMaterial(size_t b, DDDMaterial* m) {
    Batch& x = batch(b);
    if (m) m->addRef();
    if (x.material) x.material->release();
    x.material = m;
}

RenderResult RenderMesh::bindMaterials() {
    RenderResult result = kRenderOk;
    if (container_.textureNames.empty()) {
        DDDMaterial* m = nullptr;
        result = device().materialByName("default", &m);
        setMaterial(0, result == kRenderOk ? m : nullptr);
    } else {
        if (batches_.size() < container_.textureNames.size())
            batch(container_.textureNames.size() - 1);
        for (size_t i = 0; i < batches_.size(); ++i) {
            // A batch beyond the names gets the plain white material.
            const std::string_view name = i < container_.textureNames.size()
                                              ? std::string_view(container_.textureNames[i])
                                              : std::string_view("default");
            DDDMaterial* m = nullptr;
            if (device().materialByName(name, &m) != kRenderOk) {
                m = nullptr;
                result = device().materialByName("Flesh", &m);
                if (result != kRenderOk) m = nullptr;
            }
            setMaterial(i, m);
        }
    }
    if (meshFlags_ & (kBoxPending | kBoxRecompute)) setBoundingBox(std::nullopt);
    return result;
}

void RenderMesh::setBoundingBox(const std::optional<BoundingBox>& box) {
    if (box) {
        box_ = *box;
    } else {
        box_ = BoundingBox{};
        for (const auto& v : container_.vertices)
            box_.include(Vec3{v.x, v.y, v.z});
    }
    meshFlags_ &= ~(kBoxPending | kBoxRecompute);
    setFlag(kBoundsOutOfDate, false);
}

RenderResult RenderMesh::draw(Viewport3D& viewport, int clipMode) {
    if (clipMode != kClipInside) {
        const uint32_t bits =
            viewTest(viewport.world() * viewport.view() * viewport.projection(), box_);
        if (viewTestCulled(bits)) {
            resetScreenRect();
            return kRenderOk;
        }
    }
    screenRect_ = viewport.lastReported();
    return kRenderOk;
}

}  // namespace marquill::render
