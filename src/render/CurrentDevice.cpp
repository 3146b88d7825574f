#include "render/CurrentDevice.h"

namespace marquill::render {

CurrentDevice& CurrentDevice::instance() {
    static CurrentDevice current;
    return current;
}

}  // namespace marquill::render
