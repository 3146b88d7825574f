#pragma once
// The module through which the renderer reaches the drawing layer: its two entry points, either
// of which may be missing (the renderer then reports that the platform is unavailable).
#include <functional>
#include <vector>

#include "platform/soft3d/DrawingObject.h"

namespace marquill::platform::soft3d {

struct DrawingModule {
    // Creates a drawing object on a display driver (none: the default one).
    std::function<Status(const Guid* driver, Ref<DrawingObject>& out)> create;
    std::function<Status(std::vector<DisplayDriver>& out)> enumerate;
};

// The software drawing layer over a simulated display.
[[nodiscard]] DrawingModule softwareDrawingModule(const DisplayConfig& config = {});

}  // namespace marquill::platform::soft3d
