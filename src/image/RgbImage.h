#pragma once
// A picture in memory, eight bits a channel, red, green, blue, top row first, and the way one is
// taken from a drawing surface.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/soft3d/Surface.h"

namespace marquill::image {

struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // width x height x 3

    [[nodiscard]] bool wellFormed() const {
        return width > 0 && height > 0 && pixels.size() == size_t(width) * size_t(height) * 3;
    }
};

// The whole surface; none for the formats snapshots cannot read either.
[[nodiscard]] std::optional<RgbImage> surfaceImage(const platform::soft3d::Surface& surface);

}  // namespace marquill::image
