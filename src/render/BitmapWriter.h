#pragma once
// Writes the bitmap files the decoder reads: 24-bit, or palettised with 1, 4 or 8 bits per pixel
// (8-bit optionally run-length encoded). Used to make textures and test and seed files.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/ByteSink.h"

namespace marquill::render {

struct BitmapImage {
    int32_t width = 0;
    int32_t height = 0;
    // 24-bit: 0x00RRGGBB per pixel; palettised: palette indices. Top row first.
    std::vector<uint32_t> pixels;
    std::vector<uint32_t> palette;  // 0x00RRGGBB; empty for 24-bit images
};

enum class BitmapEncoding { Rgb24, Indexed1, Indexed4, Indexed8, RunLength8 };
enum class RowOrder { BottomUp, TopDown };

// False when the sink failed or the image does not fit the encoding.
[[nodiscard]] bool writeBitmap(platform::ByteSink& sink, const BitmapImage& image,
                               BitmapEncoding encoding, RowOrder order = RowOrder::BottomUp);

}  // namespace marquill::render
