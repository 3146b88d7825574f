#pragma once
// The colour record of a material (record size 80) and the object that carries it.
#include <array>
#include <cstdint>

#include "platform/soft3d/RefCounted.h"

namespace marquill::platform::soft3d {

struct ColorValue {
    float r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const ColorValue&, const ColorValue&) = default;
};

struct MaterialRecord {
    uint32_t size = 80;
    ColorValue diffuse;
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power = 0;
    uint32_t textureHandle = 0;
    uint32_t rampSize = 0;
    friend bool operator==(const MaterialRecord&, const MaterialRecord&) = default;
};
static_assert(sizeof(MaterialRecord) == 80);

class Material final : public RefCounted {
  public:
    void setRecord(const MaterialRecord& r) { record_ = r; }
    [[nodiscard]] const MaterialRecord& record() const { return record_; }

  private:
    MaterialRecord record_;
};

}  // namespace marquill::platform::soft3d
