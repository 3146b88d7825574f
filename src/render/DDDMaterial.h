#pragma once
// A material: the platform colour record, its name, an optional texture and the platform
// material with its handle.
#include <string>
#include <string_view>

#include "platform/soft3d/Material.h"
#include "render/RefCounted.h"
#include "render/RenderResult.h"

namespace marquill::render {

class Device3D;
class DDDTexture;

class DDDMaterial final : public RefCounted {
  public:
    DDDMaterial(Device3D& device, std::string name, const platform::soft3d::MaterialRecord& record);

    // Takes a reference to the texture, releases the old one and sends the record.
    [[nodiscard]] RenderResult setTexture(DDDTexture* texture);
    [[nodiscard]] RenderResult createPlatformMaterial();
    void releasePlatformMaterial();

    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] const platform::soft3d::MaterialRecord& record() const { return record_; }
    [[nodiscard]] DDDTexture* texture() const { return texture_; }
    [[nodiscard]] uint32_t handle() const { return handle_; }

  private:
    ~DDDMaterial() override;
    RenderResult send();

    Device3D& device_;
    std::string name_;
    platform::soft3d::MaterialRecord record_;
    DDDTexture* texture_ = nullptr;
    platform::soft3d::Material* platform_ = nullptr;
    uint32_t handle_ = 0;
};

// The colour record of a built-in colour name (compared case-sensitively), if it is one.
[[nodiscard]] bool builtInColor(std::string_view name, platform::soft3d::MaterialRecord& out);

}  // namespace marquill::render
