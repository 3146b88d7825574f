#include "image/PngFile.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace marquill::image {

namespace {
// Far beyond any picture of ours; a header claiming more is not believed.
constexpr png_uint_32 kLargestSide = 16384;
}  // namespace

bool writePng(const std::string& path, const RgbImage& image) {
    if (!image.wellFormed()) return false;
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PNG_FORMAT_RGB;
    const bool written = png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(),
                                                 png_int_32(image.width) * 3, nullptr) != 0;
    png_image_free(&png);
    if (!written) std::remove(path.c_str());
    return written;
}

std::optional<RgbImage> readPng(const std::string& path) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return std::nullopt;
    if (png.width == 0 || png.height == 0 || png.width > kLargestSide ||
        png.height > kLargestSide) {
        png_image_free(&png);
        return std::nullopt;
    }
    png.format = PNG_FORMAT_RGB;
    RgbImage image;
    image.width = int32_t(png.width);
    image.height = int32_t(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    return image;
}

}  // namespace marquill::image
