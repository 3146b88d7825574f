#pragma once
// One 3D device offered by the platform, as the device choice sees it.
#include <string>

#include "platform/soft3d/Direct3D.h"

namespace marquill::render {

struct DeviceCandidate {
    std::string name;
    std::string description;
    platform::soft3d::Guid id{};
    platform::soft3d::DeviceCaps3D
        caps;  // hardware record when it has a colour model, else software
    platform::soft3d::PixelFormat depthFormat;
    bool perspectiveTexturing = false;
    bool depth16 = false;
    bool canRenderWindowed = false;
};

// Records a candidate per offered device and picks the first with perspective texturing and a
// 16-bit depth buffer; none gives -1.
[[nodiscard]] int chooseDevice(platform::soft3d::Direct3D& d3d, uint32_t drawingCaps2,
                               std::vector<DeviceCandidate>& candidates);

}  // namespace marquill::render
