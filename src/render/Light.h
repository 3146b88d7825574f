#pragma once
// A light's parameters and its platform light; every change sends the whole record.
#include "platform/soft3d/Light.h"
#include "render/RefCounted.h"
#include "render/RenderResult.h"
#include "render/U3DAlgebra3.h"

namespace marquill::render {

class Light : public RefCounted {
  public:
    explicit Light(platform::soft3d::Light& platformLight, uint32_t kind);

    [[nodiscard]] RenderResult setPositionDirection(Vec3 position, Vec3 direction);
    [[nodiscard]] RenderResult setColor(float r, float g, float b);
    [[nodiscard]] RenderResult setIntensity(float intensity);

    [[nodiscard]] const platform::soft3d::LightRecord& record() const { return record_; }
    [[nodiscard]] float intensity() const { return intensity_; }
    [[nodiscard]] platform::soft3d::Light& platformLight() const { return *platform_; }

  protected:
    ~Light() override;

  private:
    RenderResult send();

    platform::soft3d::Light* platform_;
    platform::soft3d::ColorValue base_{1, 1, 1, 1};
    float intensity_ = 1.0f;
    platform::soft3d::LightRecord record_;
};

class DirectionalLight final : public Light {
  public:
    explicit DirectionalLight(platform::soft3d::Light& platformLight)
        : Light(platformLight, platform::soft3d::LightRecord::kDirectional) {}
};

}  // namespace marquill::render
