#pragma once
// A named list of render objects owned by the character catalogue. The base factory builds
// nothing: both build operations answer kRenderNotSupported.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "render/RenderObject.h"

namespace marquill::render {

class RenderObjectFactory {
  public:
    RenderObjectFactory() = default;
    virtual ~RenderObjectFactory();
    RenderObjectFactory(const RenderObjectFactory&) = delete;
    RenderObjectFactory& operator=(const RenderObjectFactory&) = delete;

    [[nodiscard]] virtual RenderResult buildObject(std::string_view name, RenderObject** out);
    [[nodiscard]] virtual RenderResult buildGroup(std::string_view name, RenderObject** out);

    // Keeps the object (taking a reference) under a name.
    void addEntry(std::string name, RenderObject& object);
    [[nodiscard]] RenderObject* find(std::string_view name) const;
    [[nodiscard]] size_t size() const { return entries_.size(); }

  private:
    std::vector<std::pair<std::string, RenderObject*>> entries_;
};

}  // namespace marquill::render
