#pragma once
// What the rasteriser's triangle set-up hands to the span loops: the pixel box, the edge functions
// at its first pixel centre and their steps, the attribute planes, and the texture sampled.
#include <cstdint>
#include <cstring>

#include "platform/soft3d/Rasteriser.h"

namespace marquill::platform::soft3d::raster {

enum Attr { kZ, kInvW, kR, kG, kB, kA, kU, kV, kAttrCount };

struct Texture {
    const uint32_t* texels;  // none when untextured
    uint32_t w, h;
    bool pow2;
    bool bilinear;
};

struct alignas(16) Setup {
    int32_t minX, minY, maxX, maxY;
    bool clippedRight;  // maxX is the scissor's, not the triangle's own
    int64_t e[3];       // edge values at the centre of (minX, minY), biased by the fill rule
    int64_t stepX[3];   // per pixel to the right
    int64_t stepY[3];   // per pixel down
    // The same in 32 bits (a fourth lane 0) instead, for a triangle near a target within
    // kFastSide; the general spans widen them.
    alignas(16) int32_t edge[4], edgeX[4], edgeY[4];
    alignas(16) float base[kAttrCount];  // attribute values at the centre of (minX, minY)
    alignas(16) float dx[kAttrCount];
    alignas(16) float dy[kAttrCount];
};

template <TargetKind K>
inline void writeTarget(uint8_t* p, uint32_t rgb) {
    if constexpr (K == TargetKind::Xrgb8888) {
        std::memcpy(p, &rgb, 4);
    } else {
        const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
        uint16_t v;
        if constexpr (K == TargetKind::Rgb565) {
            v = uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
        } else {
            v = uint16_t((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
        }
        std::memcpy(p, &v, 2);
    }
}

// Every state on every target kind.
void fillGeneral(const RasterTarget& target, const RasterState& state, const Setup& s,
                 const Texture& tex, bool perspective);

// The preview's path: nearest sampling of a power-of-two texture without perspective, modulated
// by the Gouraud colour, depth tested and written, no blending, in a target of at most kFastSide
// pixels a side, for triangles whose vertices lie near it and whose planes are in fastRange.
inline constexpr int32_t kFastSide = 1024;
using FastFill = void (*)(const RasterTarget& target, const Setup& s, const Texture& tex);
// The plane values the fast path's conversions to fixed point can hold: every magnitude below
// this. A NaN fails the comparison.
inline constexpr float kFastRange = 1e6f;
[[nodiscard]] FastFill fastFillFor(TargetKind kind, uint32_t texWidth, uint32_t texHeight);

}  // namespace marquill::platform::soft3d::raster
