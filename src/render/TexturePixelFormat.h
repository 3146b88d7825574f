#pragma once
// The pixel format textures are loaded in, chosen once per device from the formats it offers.
#include <optional>
#include <vector>

#include "platform/soft3d/PixelFormat.h"

namespace marquill::render {

struct TexturePixelFormat {
    bool palettised = false;
    uint32_t bits = 0;  // 8 or 4 when palettised, else the sum of the colour mask bits
    platform::soft3d::PixelFormat format;
};

// The first palettised 8-bit format; otherwise the RGB format whose colour bits come closest
// to the display depth without exceeding it (first of equals). Formats with alpha, and RGB
// formats missing a colour mask, are skipped. When nothing fits, the RGB format with the fewest
// colour bits; none at all when the device offers no usable format.
[[nodiscard]] std::optional<TexturePixelFormat> chooseTextureFormat(
    const std::vector<platform::soft3d::PixelFormat>& offered, uint32_t displayBits);

}  // namespace marquill::render
