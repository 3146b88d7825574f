#include "platform/soft3d/PixelFormat.h"

#include <bit>

namespace marquill::platform::soft3d {
namespace {

uint8_t expandChannel(uint32_t pixel, uint32_t mask, uint8_t absent) {
    if (mask == 0) return absent;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
    // Replicate the high bits downwards so full intensity stays 255.
    uint32_t out = v << (8 - bits);
    for (int filled = bits; filled < 8; filled += bits)
        out |= out >> bits;
    return static_cast<uint8_t>(out);
}

uint32_t packChannel(uint8_t value, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const uint32_t v = bits >= 8 ? uint32_t{value} << (bits - 8) : uint32_t{value} >> (8 - bits);
    return (v << shift) & mask;
}

}  // namespace

Channels unpackPixel(const PixelFormat& f, uint32_t pixel) {
    return {expandChannel(pixel, f.redMask, 0), expandChannel(pixel, f.greenMask, 0),
            expandChannel(pixel, f.blueMask, 0), expandChannel(pixel, f.alphaMask, 255)};
}

uint32_t packPixel(const PixelFormat& f, Channels c) {
    return packChannel(c.r, f.redMask) | packChannel(c.g, f.greenMask) |
           packChannel(c.b, f.blueMask) | packChannel(c.a, f.alphaMask);
}

}  // namespace marquill::platform::soft3d
