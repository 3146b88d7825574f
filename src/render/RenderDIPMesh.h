#pragma once
// The mesh that draws: each batch goes to the device as one indexed triangle list, and the
// device's clip-status extents become the mesh's screen rectangle.
#include "render/RenderMesh.h"

namespace marquill::render {

class RenderDIPMesh final : public RenderMesh {
  public:
    static RenderDIPMesh* create(Device3D& device);
    RenderResult draw(Viewport3D& viewport, int clipMode) override;
    void setBoundingBox(const std::optional<BoundingBox>& box) override;

  private:
    explicit RenderDIPMesh(Device3D& device) : RenderMesh(device) {}
    ~RenderDIPMesh() override = default;
};

}  // namespace marquill::render
