#include "render/DeviceCandidate.h"

namespace marquill::render {

using namespace platform::soft3d;

int chooseDevice(Direct3D& d3d, uint32_t drawingCaps2, std::vector<DeviceCandidate>& candidates) {
    candidates.clear();
    for (const DeviceDesc3D& d : d3d.enumDevices()) {
        DeviceCandidate c;
        c.name = d.name;
        c.description = d.description;
        c.id = d.guid;
        c.caps = d.hardware.colorModel != 0 ? d.hardware : d.software;
        c.perspectiveTexturing = (c.caps.textureCaps & DeviceCaps3D::kPerspective) != 0;
        c.canRenderWindowed = (drawingCaps2 & DrawingCaps::kCanRenderWindowed) != 0;
        std::vector<PixelFormat> formats;
        if (d3d.enumDepthFormats(d.guid, formats) == kOk) {
            for (const PixelFormat& f : formats) {
                if (f.has(PixelFormat::kDepth) && f.bitsPerPixel == 16) {
                    c.depth16 = true;
                    c.depthFormat = f;
                    break;
                }
            }
        }
        candidates.push_back(c);
    }
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].perspectiveTexturing && candidates[i].depth16) return int(i);
    }
    return -1;
}

}  // namespace marquill::render
