#include "render/RenderObjectFactory.h"

namespace marquill::render {

RenderObjectFactory::~RenderObjectFactory() {
    for (auto& [name, object] : entries_)
        object->release();
}

RenderResult RenderObjectFactory::buildObject(std::string_view, RenderObject** out) {
    if (out) *out = nullptr;
    return kRenderNotSupported;
}

RenderResult RenderObjectFactory::buildGroup(std::string_view, RenderObject** out) {
    if (out) *out = nullptr;
    return kRenderNotSupported;
}

void RenderObjectFactory::addEntry(std::string name, RenderObject& object) {
    object.addRef();
    entries_.emplace_back(std::move(name), &object);
}

RenderObject* RenderObjectFactory::find(std::string_view name) const {
    for (const auto& [n, o] : entries_) {
        if (n == name) return o;
    }
    return nullptr;
}

}  // namespace marquill::render
