// Texture bitmaps come from game folders and downloads: the decoder must refuse anything
// malformed without reading or writing outside its buffers.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "render/BitmapDecoder.h"

using namespace marquill::render;
using marquill::platform::soft3d::PaletteEntries;
using marquill::platform::soft3d::PixelFormat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    BitmapHeader header;
    if (readBitmapHeader(file, header) != kRenderOk) return 0;
    for (const PixelFormat& format : {PixelFormat::rgb565(), PixelFormat::palette8()}) {
        const uint32_t bpp = format.bytesPerPixel();
        std::vector<uint8_t> pixels(size_t(header.width) * size_t(header.height) * bpp);
        PaletteEntries palette{};
        (void)decodeBitmap(file, header,
                           {format, pixels.data(), int32_t(uint32_t(header.width) * bpp),
                            uint32_t(header.width), uint32_t(header.height)},
                           palette);
    }
    return 0;
}
