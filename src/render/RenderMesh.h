#pragma once
// A mesh drawn as indexed triangle lists in batches, one material per batch. Vertices are 32
// bytes: position, normal, texture coordinates.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/soft3d/Device.h"
#include "render/RenderObject.h"

namespace marquill::render {

class DDDMaterial;

struct VertexContainer {
    std::vector<platform::soft3d::Vertex> vertices;
    std::vector<std::string> textureNames;
    size_t currentName = 0;
};

class RenderMesh : public ConcreteRenderObject {
  public:
    enum MeshFlag : uint32_t { kBoxPending = 1u << 0, kBlended = 1u << 1, kBoxRecompute = 1u << 2 };

    static RenderMesh* create(Device3D& device);

    void reserveVertices(size_t n) { container_.vertices.resize(n); }
    void reserveIndices(size_t batch, size_t n);
    void setVertexRange(size_t batch, uint32_t first, uint32_t last);
    // Adds a texture name and selects it.
    void addTextureName(std::string name);
    void selectTextureName(size_t index) { container_.currentName = index; }
    // Gives each batch its material by texture name ("default" without names, "Flesh" when a
    // lookup fails), then recomputes a pending bounding box.
    RenderResult bindMaterials();
    // Sets the box, or recomputes it from the vertices when none is given.
    virtual void setBoundingBox(const std::optional<BoundingBox>& box);

    [[nodiscard]] VertexContainer& vertexContainer() { return container_; }
    [[nodiscard]] std::vector<platform::soft3d::Vertex>& vertices() { return container_.vertices; }
    [[nodiscard]] std::vector<uint16_t>& indices(size_t batch);
    [[nodiscard]] size_t batchCount() const { return batches_.size(); }
    [[nodiscard]] DDDMaterial* material(size_t batch) const;
    [[nodiscard]] uint32_t meshFlags() const { return meshFlags_; }
    void setBlended(bool on) { meshFlags_ = on ? meshFlags_ | kBlended : meshFlags_ & ~kBlended; }
    [[nodiscard]] int textureBlendMode() const { return textureBlend_; }
    void setTextureBlendMode(int mode) { textureBlend_ = mode; }

    RenderResult draw(Viewport3D& viewport, int clipMode) override;
    [[nodiscard]] BoundingBox boundingBox() const override { return box_; }
    [[nodiscard]] bool boundsOutOfDate() const override {
        return (flags() & kBoundsOutOfDate) != 0;
    }

  protected:
    explicit RenderMesh(Device3D& device) : ConcreteRenderObject(device) {}
    ~RenderMesh() override;
    void setMaterial(size_t batch, DDDMaterial* m);

    struct Batch {
        std::vector<uint16_t> indices;
        uint32_t first = 0, last = 0;
        DDDMaterial* material = nullptr;
    };
    Batch& batch(size_t i);

    VertexContainer container_;
    std::vector<Batch> batches_;
    BoundingBox box_;
    uint32_t meshFlags_ = kBoxPending;
    int textureBlend_ = 1;
};

}  // namespace marquill::render
