#pragma once
// Windows bitmap files: 8-bit with a palette (plain or RLE8-compressed) and 24-bit. Rows are
// given top row first and stored bottom row first, as the format wants.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/ByteSink.h"

namespace marquill::content {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width x height palette indices, top row first
    std::vector<Rgb> palette;     // up to 256 colours
};

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // top row first
};

enum class BmpCompression { None, Rle8 };

[[nodiscard]] bool writeBmp8(const IndexedImage& image, BmpCompression compression,
                             platform::ByteSink& out);
[[nodiscard]] bool writeBmp24(const RgbImage& image, platform::ByteSink& out);

}  // namespace marquill::content
