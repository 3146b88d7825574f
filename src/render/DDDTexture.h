#pragma once
// A texture loaded by name: its platform texture surface and handle. Destroying it removes it
// from the texture library.
#include <string>

#include "platform/soft3d/Surface.h"
#include "render/RefCounted.h"

namespace marquill::render {

class Device3D;
class TextureLibrary;

class DDDTexture final : public RefCounted {
  public:
    DDDTexture(Device3D& device, TextureLibrary& library, std::string name,
               platform::soft3d::Surface& surface, uint32_t handle);

    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] uint32_t handle() const { return handle_; }
    [[nodiscard]] bool inVideoMemory() const { return inVideoMemory_; }
    [[nodiscard]] platform::soft3d::Surface& surface() const { return *surface_; }

  private:
    ~DDDTexture() override;

    Device3D& device_;
    TextureLibrary& library_;
    std::string name_;
    platform::soft3d::Surface* surface_;
    uint32_t handle_;
    bool inVideoMemory_;
};

}  // namespace marquill::render
