#include "platform/soft3d/DrawingModule.h"

namespace marquill::platform::soft3d {

DrawingModule softwareDrawingModule(const DisplayConfig& config) {
    DrawingModule m;
    m.create = [config](const Guid* driver, Ref<DrawingObject>& out) -> Status {
        if (driver) {
            bool known = false;
            for (const DisplayDriver& d : config.drivers)
                known |= !d.isDefault && d.guid == *driver;
            if (!known) return kInvalidParams;
        }
        out = DrawingObject::make(config);
        return kOk;
    };
    m.enumerate = [config](std::vector<DisplayDriver>& out) -> Status {
        out = config.drivers;
        return kOk;
    };
    return m;
}

}  // namespace marquill::platform::soft3d
