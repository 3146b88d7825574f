#include "render/RenderGroup.h"

#include <algorithm>

#include "render/Viewport3D.h"

namespace marquill::render {

RenderGroup* RenderGroup::create(size_t reserve) {
    auto* g = new RenderGroup();
    g->children_.reserve(reserve);
    return g;
}

RenderGroup::~RenderGroup() {
    for (RenderObject* c : children_)
        c->release();
}

RenderResult RenderGroup::addChild(RenderObject& child) {
    child.addRef();
    children_.push_back(&child);
    box_.include(child.boundingBox().transformed(child.localTransform()));
    setFlag(kBoundsOutOfDate, false);
    child.setFlag(kTransformChanged, false);
    return kRenderOk;
}

RenderResult RenderGroup::removeChild(RenderObject& child) {
    auto it = std::find(children_.begin(), children_.end(), &child);
    if (it == children_.end()) return kRenderNotAChild;
    children_.erase(it);
    child.release();
    return kRenderOk;
}

bool RenderGroup::boundsOutOfDate() const {
    if (flags() & kBoundsOutOfDate) return true;
    return std::any_of(children_.begin(), children_.end(),
                       [](const RenderObject* c) { return c->boundsOutOfDate(); });
}

void RenderGroup::resetScreenRect() {
    RenderObject::resetScreenRect();
    for (RenderObject* c : children_)
        c->resetScreenRect();
}

bool RenderGroup::query() const {
    return std::any_of(children_.begin(), children_.end(),
                       [](const RenderObject* c) { return c->query(); });
}

RenderResult RenderGroup::drawChildren(Viewport3D& viewport, int clipMode) {
    const bool wasRecording = viewport.recording();
    viewport.setRecording(false);
    RenderResult result = kRenderOk;
    for (RenderObject* c : children_) {
        result = drawWithLocalTransform(*c, viewport, clipMode);
        if (result != kRenderOk) break;
        addToScreenRect(c->screenRect());
    }
    viewport.setRecording(wasRecording);
    if (wasRecording && !screenRect_.empty()) viewport.drawnThisFrame().add(screenRect_);
    return result;
}

RenderResult RenderGroup::draw(Viewport3D& viewport, int clipMode) {
    RenderObject::resetScreenRect();
    if (clipMode == kClipInside) return drawChildren(viewport, kClipInside);
    const uint32_t bits =
        viewTest(viewport.world() * viewport.view() * viewport.projection(), box_);
    if (bits == 0) return drawChildren(viewport, kClipInside);
    if (viewTestCulled(bits)) {
        resetScreenRect();
        return kRenderOk;
    }
    return drawChildren(viewport, kClipPartial);
}

}  // namespace marquill::render
