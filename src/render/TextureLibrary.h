#pragma once
// Textures loaded by name from the texture search path, each file loaded once and shared while
// anything holds it.
#include <optional>
#include <string_view>
#include <vector>

#include "render/RenderResult.h"
#include "render/TexturePixelFormat.h"

namespace marquill::render {

class Device3D;
class DDDTexture;

class TextureLibrary {
  public:
    // Chooses the texture pixel format from what the device offers.
    explicit TextureLibrary(Device3D& device);
    TextureLibrary(const TextureLibrary&) = delete;
    TextureLibrary& operator=(const TextureLibrary&) = delete;

    // A new reference to the texture of exactly this name, loading it when needed.
    [[nodiscard]] RenderResult textureByName(std::string_view name, DDDTexture** out);
    [[nodiscard]] const std::optional<TexturePixelFormat>& pixelFormat() const { return format_; }
    [[nodiscard]] size_t size() const { return textures_.size(); }
    [[nodiscard]] size_t loadCount() const { return loads_; }

    void remove(DDDTexture* t);
    // Later lookups read their files again; textures still held stay with their holders.
    void forgetAll() { textures_.clear(); }

  private:
    Device3D& device_;
    std::vector<DDDTexture*> textures_;  // no references: a texture removes itself
    std::vector<platform::soft3d::PixelFormat> offered_;
    std::optional<TexturePixelFormat> format_;
    size_t loads_ = 0;
};

}  // namespace marquill::render
