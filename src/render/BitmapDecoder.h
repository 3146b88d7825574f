#pragma once
// The decoder of texture bitmaps. Layout read, all little-endian:
//   file header  14 bytes: "BM", file size u32, reserved u32, pixel offset u32
//   info header  40 bytes (or longer): size u32, width i32, height i32 (negative: top-down),
//                planes u16, bits u16, compression u32 (0 none, 1 run-length 8-bit), image size,
//                resolution x, y, colours used u32, important colours u32
//   palette      colours used (2^bits when 0) x (blue, green, red, reserved); none for 24-bit
//                images without a colour count
//   rows         padded to 4 bytes, bottom row first unless top-down
#include <cstdint>
#include <span>
#include <vector>

#include "platform/soft3d/Palette.h"
#include "platform/soft3d/PixelFormat.h"
#include "render/RenderResult.h"

namespace marquill::render {

struct BitmapHeader {
    int32_t width = 0;
    int32_t height = 0;  // rows, always positive here
    bool topDown = false;
    uint16_t bits = 0;
    uint32_t compression = 0;
    std::vector<platform::soft3d::PaletteEntry> palette;
    size_t pixelOffset = 0;  // where the rows start in the file
};

// Larger images are refused: no texture of the game comes near, and a small file must not make
// the decoder allocate gigabytes.
inline constexpr int32_t kMaxBitmapSide = 4096;

[[nodiscard]] RenderResult readBitmapHeader(std::span<const uint8_t> file, BitmapHeader& out);

// Where decoded pixels go: width x height pixels of `format` (8-bit palettised or 16-bit RGB).
struct BitmapTarget {
    platform::soft3d::PixelFormat format;
    uint8_t* bits = nullptr;
    int32_t pitch = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

// Decodes the rows into the target (of the header's size). For 8-bit targets `palette` receives
// the colours the indices refer to.
[[nodiscard]] RenderResult decodeBitmap(std::span<const uint8_t> file, const BitmapHeader& header,
                                        const BitmapTarget& target,
                                        platform::soft3d::PaletteEntries& palette);

// Packs an 8-bit colour into a 16-bit layout by dropping the low bits of each channel.
[[nodiscard]] uint16_t packColor16(const platform::soft3d::PixelFormat& f, uint8_t r, uint8_t g,
                                   uint8_t b);

}  // namespace marquill::render
