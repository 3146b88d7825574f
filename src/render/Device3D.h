#pragma once
// The 3D device on an AnimDevice's back buffer: creates viewports, lights, materials and textures
// and presents finished frames.
#include <memory>
#include <string_view>
#include <vector>

#include "platform/soft3d/Device.h"
#include "render/AnimDevice.h"
#include "render/Light.h"
#include "render/RenderResult.h"
#include "render/Viewport3D.h"

namespace marquill::render {

class MaterialLibrary;
class TextureLibrary;
class DDDMaterial;
class DDDTexture;

enum class AddToViewports { No, Yes };

class Device3D {
  public:
    static RenderResult create(AnimDevice& anim, std::unique_ptr<Device3D>& out);
    ~Device3D();
    Device3D(const Device3D&) = delete;
    Device3D& operator=(const Device3D&) = delete;

    // Over `rect` of the back buffer, or all of it; the device owns the viewport.
    [[nodiscard]] RenderResult createViewport(const Rect* rect, Viewport3D** out);
    [[nodiscard]] RenderResult removeViewport(Viewport3D* viewport);
    [[nodiscard]] const std::vector<std::unique_ptr<Viewport3D>>& viewports() const {
        return viewports_;
    }
    // A directional light with two references: the device's and the caller's.
    [[nodiscard]] RenderResult createLight(AddToViewports add, DirectionalLight** out);
    [[nodiscard]] RenderResult materialByName(std::string_view name, DDDMaterial** out);
    [[nodiscard]] RenderResult textureByName(std::string_view name, DDDTexture** out);

    [[nodiscard]] RenderResult present();
    [[nodiscard]] RenderResult restoreAllSurfaces();

    [[nodiscard]] AnimDevice& anim() const { return anim_; }
    [[nodiscard]] platform::soft3d::Device& platform() const { return *device_; }
    [[nodiscard]] platform::soft3d::Direct3D& direct3D() const { return *anim_.direct3D(); }
    [[nodiscard]] MaterialLibrary& materials() const { return *materials_; }
    [[nodiscard]] TextureLibrary& textures() const { return *textures_; }
    [[nodiscard]] int32_t width() const { return width_; }
    [[nodiscard]] int32_t height() const { return height_; }
    [[nodiscard]] RenderResult lastResult() const { return result_; }

  private:
    explicit Device3D(AnimDevice& anim);

    AnimDevice& anim_;
    RenderResult result_ = kRenderOk;
    platform::soft3d::Ref<platform::soft3d::Device> device_;
    int32_t width_ = 0, height_ = 0;
    std::unique_ptr<TextureLibrary> textures_;
    std::unique_ptr<MaterialLibrary> materials_;
    std::vector<std::unique_ptr<Viewport3D>> viewports_;
    std::vector<Light*> lights_;
};

}  // namespace marquill::render
