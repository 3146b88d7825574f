#include "render/TexturePixelFormat.h"

#include <bit>

namespace marquill::render {

using platform::soft3d::PixelFormat;

std::optional<TexturePixelFormat> chooseTextureFormat(const std::vector<PixelFormat>& offered,
                                                      uint32_t displayBits) {
    std::vector<TexturePixelFormat> usable;
    for (const PixelFormat& f : offered) {
        if (f.has(PixelFormat::kAlphaPixels)) continue;
        if (f.has(PixelFormat::kPalette8)) {
            usable.push_back({true, 8, f});
        } else if (f.has(PixelFormat::kPalette4)) {
            usable.push_back({true, 4, f});
        } else if (f.has(PixelFormat::kRgb)) {
            if (f.redMask == 0 || f.greenMask == 0 || f.blueMask == 0) continue;
            usable.push_back({false,
                              uint32_t(std::popcount(f.redMask) + std::popcount(f.greenMask) +
                                       std::popcount(f.blueMask)),
                              f});
        }
    }
    for (const TexturePixelFormat& t : usable) {
        if (t.palettised && t.bits == 8) return t;
    }
    const TexturePixelFormat* best = nullptr;
    int bestDiff = 64;
    for (const TexturePixelFormat& t : usable) {
        if (t.palettised) continue;
        const int diff = int(displayBits) - int(t.bits);
        if (diff >= 0 && diff < bestDiff) bestDiff = diff, best = &t;
    }
    if (best) return *best;
    for (const TexturePixelFormat& t : usable) {
        if (!t.palettised && (!best || t.bits < best->bits)) best = &t;
    }
    if (best) return *best;
    return std::nullopt;
}

}  // namespace marquill::render
