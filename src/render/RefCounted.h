#pragma once
// Renderer objects (cameras, lights, materials, textures) share the drawing layer's reference
// counting: a new object holds one reference for its creator and the last release destroys it.
#include "platform/soft3d/RefCounted.h"

namespace marquill::render {

using platform::soft3d::RefCounted;

}  // namespace marquill::render
