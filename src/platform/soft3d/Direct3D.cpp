#include "platform/soft3d/Direct3D.h"

namespace marquill::platform::soft3d {

Guid Direct3D::rasteriserGuid() {
    return {0x4D, 0x51, 0x53, 0x52, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01};
}

Guid Direct3D::rampGuid() {
    return {0x4D, 0x51, 0x53, 0x52, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02};
}

Ref<Direct3D> Direct3D::make(DrawingObject* owner) {
    return Ref<Direct3D>::adopt(new Direct3D(owner));
}

std::vector<DeviceDesc3D> Direct3D::enumDevices() const {
    DeviceDesc3D ramp;
    ramp.guid = rampGuid();
    ramp.name = "Ramp Emulation";
    ramp.description = "Monochrome software device";
    ramp.software = {1, 0, 8};
    DeviceDesc3D rgb;
    rgb.guid = rasteriserGuid();
    rgb.name = "RGB Emulation";
    rgb.description = "Software rasteriser with perspective texturing";
    rgb.software = {2, DeviceCaps3D::kPerspective, 16};
    return {ramp, rgb};
}

Status Direct3D::enumDepthFormats(const Guid& device, std::vector<PixelFormat>& out) const {
    out.clear();
    if (device == rasteriserGuid()) {
        out.push_back(PixelFormat::depth16());
        return kOk;
    }
    if (device == rampGuid()) {
        out.push_back(PixelFormat{PixelFormat::kDepth, 8, 0xFF, 0, 0, 0});
        return kOk;
    }
    return kInvalidParams;
}

Status Direct3D::createDevice(const Guid& guid, Surface& target, Ref<Device>& out) {
    if (guid != rasteriserGuid()) return kUnsupported;
    return Device::make(*owner_, target, out);
}

Status Direct3D::createViewport(Ref<Viewport>& out) {
    out = Ref<Viewport>::adopt(new Viewport());
    return kOk;
}

Status Direct3D::createMaterial(Ref<Material>& out) {
    out = Ref<Material>::adopt(new Material());
    return kOk;
}

Status Direct3D::createLight(Ref<Light>& out) {
    out = Ref<Light>::adopt(new Light());
    return kOk;
}

}  // namespace marquill::platform::soft3d
