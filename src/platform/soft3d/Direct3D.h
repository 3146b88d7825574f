#pragma once
// The 3D object of a drawing object: the devices it offers, their depth formats, and the factory
// of devices, viewports, materials and lights.
#include <string>
#include <vector>

#include "platform/soft3d/Device.h"
#include "platform/soft3d/DrawingObject.h"
#include "platform/soft3d/Light.h"
#include "platform/soft3d/Material.h"
#include "platform/soft3d/Viewport.h"

namespace marquill::platform::soft3d {

struct DeviceCaps3D {
    enum TextureCaps : uint32_t { kPerspective = 1u << 0 };
    uint32_t colorModel = 0;  // 0: the record does not describe this kind of device
    uint32_t textureCaps = 0;
    uint32_t depthBitDepths = 0;
};

struct DeviceDesc3D {
    Guid guid{};
    std::string name;
    std::string description;
    DeviceCaps3D hardware;
    DeviceCaps3D software;
};

class Direct3D final : public RefCounted {
  public:
    static Ref<Direct3D> make(DrawingObject* owner);

    [[nodiscard]] std::vector<DeviceDesc3D> enumDevices() const;
    [[nodiscard]] Status enumDepthFormats(const Guid& device, std::vector<PixelFormat>& out) const;
    // A device for `guid` rendering into `target` (a 16- or 32-bit surface with the 3D caps).
    [[nodiscard]] Status createDevice(const Guid& guid, Surface& target, Ref<Device>& out);
    [[nodiscard]] Status createViewport(Ref<Viewport>& out);
    [[nodiscard]] Status createMaterial(Ref<Material>& out);
    [[nodiscard]] Status createLight(Ref<Light>& out);

    // The identifier of the software rasteriser; a flat-shading device without perspective or
    // 16-bit depth is offered before it.
    static Guid rasteriserGuid();
    static Guid rampGuid();

  private:
    explicit Direct3D(DrawingObject* owner) : owner_(owner) {}
    Ref<DrawingObject> owner_;
};

}  // namespace marquill::platform::soft3d
