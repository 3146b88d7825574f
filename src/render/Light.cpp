#include "render/Light.h"

#include <cmath>
#include <limits>

namespace marquill::render {

using platform::soft3d::LightRecord;

Light::Light(platform::soft3d::Light& platformLight, uint32_t kind) : platform_(&platformLight) {
    platform_->addRef();
    record_.kind = kind;
    record_.position = {-100, -100, 0};
    const float n = std::sqrt(2.0f) * 100.0f;
    record_.direction = {100 / n, 100 / n, 0};
    record_.range = std::sqrt(std::numeric_limits<float>::max());
    record_.falloff = 0;
    record_.attenuation0 = 1, record_.attenuation1 = 0, record_.attenuation2 = 0;
    record_.theta = 0.4f;
    record_.phi = 0.5f;
    record_.flags = LightRecord::kActive | LightRecord::kNoSpecular;
    (void)send();
}

Light::~Light() {
    platform_->release();
}

RenderResult Light::send() {
    record_.color = {base_.r * intensity_, base_.g * intensity_, base_.b * intensity_,
                     base_.a * intensity_};
    platform_->setRecord(record_);
    return kRenderOk;
}

RenderResult Light::setPositionDirection(Vec3 position, Vec3 direction) {
    record_.position = {position.x, position.y, position.z};
    const float len = std::sqrt(direction.x * direction.x + direction.y * direction.y +
                                direction.z * direction.z);
    if (len > 0) direction = {direction.x / len, direction.y / len, direction.z / len};
    record_.direction = {direction.x, direction.y, direction.z};
    return send();
}

RenderResult Light::setColor(float r, float g, float b) {
    base_ = {r, g, b, 1.0f};
    return send();
}

RenderResult Light::setIntensity(float intensity) {
    intensity_ = intensity;
    return send();
}

}  // namespace marquill::render
