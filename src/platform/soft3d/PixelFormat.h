#pragma once
// Pixel formats of surfaces and textures, and the rectangle type of the drawing layer.
#include <algorithm>
#include <cstdint>

namespace marquill::platform::soft3d {

struct PixelFormat {
    enum Flag : uint32_t {
        kRgb = 1u << 0,
        kPalette8 = 1u << 1,
        kPalette4 = 1u << 2,
        kDepth = 1u << 3,
        kAlphaPixels = 1u << 4,
    };
    uint32_t flags = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t redMask = 0;  // for depth formats: the depth mask
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
    uint32_t alphaMask = 0;

    [[nodiscard]] uint32_t bytesPerPixel() const { return (bitsPerPixel + 7) / 8; }
    [[nodiscard]] bool has(Flag f) const { return (flags & f) != 0; }
    friend bool operator==(const PixelFormat&, const PixelFormat&) = default;

    static constexpr PixelFormat xrgb8888() {
        return {kRgb, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    }
    static constexpr PixelFormat rgb888() {
        return {kRgb, 24, 0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    }
    static constexpr PixelFormat rgb565() { return {kRgb, 16, 0xF800, 0x07E0, 0x001F, 0}; }
    static constexpr PixelFormat rgb555() { return {kRgb, 16, 0x7C00, 0x03E0, 0x001F, 0}; }
    static constexpr PixelFormat argb1555() {
        return {kRgb | kAlphaPixels, 16, 0x7C00, 0x03E0, 0x001F, 0x8000};
    }
    static constexpr PixelFormat argb4444() {
        return {kRgb | kAlphaPixels, 16, 0x0F00, 0x00F0, 0x000F, 0xF000};
    }
    static constexpr PixelFormat palette8() { return {kRgb | kPalette8, 8, 0, 0, 0, 0}; }
    static constexpr PixelFormat depth16() { return {kDepth, 16, 0xFFFF, 0, 0, 0}; }
};

// Left, top, right, bottom; right and bottom exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    [[nodiscard]] bool empty() const { return left >= right || top >= bottom; }
    [[nodiscard]] int32_t width() const { return right - left; }
    [[nodiscard]] int32_t height() const { return bottom - top; }
    [[nodiscard]] Rect intersect(const Rect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    [[nodiscard]] Rect offset(int32_t dx, int32_t dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Expands a packed pixel to 8-bit channels by its masks (channels a format lacks read as 255 for
// alpha and 0 otherwise).
struct Channels {
    uint8_t r, g, b, a;
};
[[nodiscard]] Channels unpackPixel(const PixelFormat& format, uint32_t pixel);
// Packs 8-bit channels into a format by keeping the top bits of each channel.
[[nodiscard]] uint32_t packPixel(const PixelFormat& format, Channels c);

}  // namespace marquill::platform::soft3d
