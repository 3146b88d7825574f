#pragma once
// The light record (record size 80) and the object that carries it.
#include <cstdint>

#include "platform/soft3d/Material.h"
#include "platform/soft3d/RefCounted.h"

namespace marquill::platform::soft3d {

struct Vector3 {
    float x = 0, y = 0, z = 0;
    friend bool operator==(const Vector3&, const Vector3&) = default;
};

struct LightRecord {
    enum Kind : uint32_t { kPoint = 1, kSpot = 2, kDirectional = 3 };
    enum Flags : uint32_t { kActive = 1, kNoSpecular = 2 };
    uint32_t size = 80;
    uint32_t kind = kDirectional;
    ColorValue color;
    Vector3 position;
    Vector3 direction;
    float range = 0;
    float falloff = 0;
    float attenuation0 = 1, attenuation1 = 0, attenuation2 = 0;
    float theta = 0;  // inner cone angle
    float phi = 0;    // outer cone angle
    uint32_t flags = kActive;
};
static_assert(sizeof(LightRecord) == 80);

class Light final : public RefCounted {
  public:
    void setRecord(const LightRecord& r) { record_ = r; }
    [[nodiscard]] const LightRecord& record() const { return record_; }

  private:
    LightRecord record_;
};

}  // namespace marquill::platform::soft3d
