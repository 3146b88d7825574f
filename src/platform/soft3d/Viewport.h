#pragma once
// A rectangle of the device's render target with its lights and background material.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/soft3d/Light.h"
#include "platform/soft3d/PixelFormat.h"
#include "platform/soft3d/RefCounted.h"
#include "platform/soft3d/Status.h"

namespace marquill::platform::soft3d {

class Device;

// The viewport record (record size 44).
struct ViewportRecord {
    uint32_t size = 44;
    uint32_t x = 0, y = 0, width = 0, height = 0;
    float scaleX = 0, scaleY = 0;
    float maxX = 1, maxY = 1;
    float minZ = 0, maxZ = 0;
};
static_assert(sizeof(ViewportRecord) == 44);

class Viewport final : public RefCounted {
  public:
    enum ClearFlags : uint32_t { kClearTarget = 1, kClearDepth = 2 };

    [[nodiscard]] Status setViewport(const ViewportRecord& r);
    [[nodiscard]] const ViewportRecord& viewport() const { return record_; }
    [[nodiscard]] Status setBackground(uint32_t materialHandle);
    [[nodiscard]] uint32_t background() const { return background_; }
    [[nodiscard]] Status addLight(Light& light);
    [[nodiscard]] Status deleteLight(Light& light);
    [[nodiscard]] const std::vector<Ref<Light>>& lights() const { return lights_; }
    // Fills the rectangles (clipped to the viewport) with the background material's diffuse
    // colour and/or the far depth. Needs the viewport to be added to a device.
    [[nodiscard]] Status clear(std::span<const Rect> rects, uint32_t flags);

    [[nodiscard]] Device* device() const { return device_; }
    void setDevice(Device* d) { device_ = d; }

  private:
    ViewportRecord record_;
    uint32_t background_ = 0;
    std::vector<Ref<Light>> lights_;
    Device* device_ = nullptr;
};

}  // namespace marquill::platform::soft3d
