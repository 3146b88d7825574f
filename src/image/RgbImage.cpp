#include "image/RgbImage.h"

#include "image/SurfaceSnapshotWriter.h"

namespace marquill::image {

std::optional<RgbImage> surfaceImage(const platform::soft3d::Surface& surface) {
    RgbImage image;
    image.width = int32_t(surface.width());
    image.height = int32_t(surface.height());
    if (image.width <= 0 || image.height <= 0) return std::nullopt;
    image.pixels.resize(size_t(image.width) * size_t(image.height) * 3);
    std::vector<uint8_t> row(size_t(image.width) * 4);
    for (uint32_t y = 0; y < surface.height(); ++y) {
        if (!convertRowTo32(surface.pixelFormat(), surface.row(y), surface.width(), row.data()))
            return std::nullopt;
        uint8_t* out = image.pixels.data() + size_t(y) * size_t(image.width) * 3;
        for (size_t x = 0; x < size_t(image.width); ++x) {
            out[x * 3] = row[x * 4 + 2];
            out[x * 3 + 1] = row[x * 4 + 1];
            out[x * 3 + 2] = row[x * 4];
        }
    }
    return image;
}

}  // namespace marquill::image
