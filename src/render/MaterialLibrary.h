#pragma once
// Every material the device made; each lookup makes a new one.
#include <string_view>
#include <vector>

#include "render/RenderResult.h"

namespace marquill::render {

class Device3D;
class DDDMaterial;

class MaterialLibrary {
  public:
    explicit MaterialLibrary(Device3D& device) : device_(device) {}
    ~MaterialLibrary();
    MaterialLibrary(const MaterialLibrary&) = delete;
    MaterialLibrary& operator=(const MaterialLibrary&) = delete;

    // A built-in colour, or a white material carrying the texture of that name. The library
    // keeps the material's one reference; a holder takes its own.
    [[nodiscard]] RenderResult materialByName(std::string_view name, DDDMaterial** out);
    void recreatePlatformMaterials();
    // Releases the materials (and so their textures) that nothing but the library holds.
    void releaseUnused();
    [[nodiscard]] size_t size() const { return materials_.size(); }

  private:
    Device3D& device_;
    std::vector<DDDMaterial*> materials_;
};

}  // namespace marquill::render
