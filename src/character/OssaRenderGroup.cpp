#include "character/OssaRenderGroup.h"

namespace marquill::character {

OssaRenderGroup* OssaRenderGroup::create() {
    return new OssaRenderGroup();
}

OssaRenderGroup::~OssaRenderGroup() = default;

bool OssaRenderGroup::boundsOutOfDate() const {
    return (flags() & kBoundsOutOfDate) != 0;
}

}  // namespace marquill::character
