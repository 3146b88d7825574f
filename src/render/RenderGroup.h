#pragma once
// A render object holding children (one reference each) and the box around them.
#include <vector>

#include "render/RenderObject.h"

namespace marquill::render {

class RenderGroup : public RenderObject {
  public:
    static RenderGroup* create(size_t reserve = 0);

    // Takes a reference to the child and grows the box by the child's moved box.
    RenderResult addChild(RenderObject& child);
    // Releases the child; one that is not in the group gives kRenderNotAChild.
    [[nodiscard]] RenderResult removeChild(RenderObject& child);
    [[nodiscard]] const std::vector<RenderObject*>& children() const { return children_; }
    void setBoundingBox(const BoundingBox& b) { box_ = b; }

    RenderResult draw(Viewport3D& viewport, int clipMode) override;
    [[nodiscard]] BoundingBox boundingBox() const override { return box_; }
    [[nodiscard]] bool boundsOutOfDate() const override;
    void resetScreenRect() override;
    [[nodiscard]] bool query() const override;

  protected:
    RenderGroup() = default;
    ~RenderGroup() override;

  private:
    RenderResult drawChildren(Viewport3D& viewport, int clipMode);

    std::vector<RenderObject*> children_;
    BoundingBox box_;
};

}  // namespace marquill::render
