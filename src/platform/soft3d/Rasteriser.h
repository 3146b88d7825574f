#pragma once
// Triangle filling for the 3D device: screen-space triangles with depth, Gouraud colour and one
// texture, written by the top-left fill rule on a 1/16-pixel grid with pixel centres at half
// coordinates, so triangles sharing an edge cover each pixel exactly once.
#include <cstdint>

#include "platform/soft3d/PixelFormat.h"

namespace marquill::platform::soft3d {

// One vertex after projection: screen position, depth in [0, 1], 1/w, colour channels in [0, 1]
// and texture coordinates (not divided by w).
struct RasterVertex {
    float x, y, z, invW;
    float r, g, b, a;
    float u, v;
};

enum class TargetKind { Xrgb8888, Rgb565, Rgb555 };
enum class BlendFactor : uint32_t {
    Zero = 1,
    One = 2,
    SrcColor = 3,
    InvSrcColor = 4,
    SrcAlpha = 5,
    InvSrcAlpha = 6,
};

struct RasterTarget {
    uint8_t* color = nullptr;
    int32_t colorPitch = 0;
    TargetKind kind = TargetKind::Xrgb8888;
    uint8_t* depth = nullptr;  // 16-bit depth values, or none
    int32_t depthPitch = 0;
    Rect scissor;           // never written outside; must lie inside both buffers
    Rect* drawn = nullptr;  // when set, grown to cover every pixel a triangle may have written
};

struct RasterState {
    bool depthTest = true;
    bool depthWrite = true;
    bool flat = false;  // colour of the first vertex over the whole triangle
    bool perspective = true;
    const uint32_t* texels = nullptr;  // 0xAARRGGBB, or none
    uint32_t texWidth = 0;
    uint32_t texHeight = 0;
    bool bilinear = false;
    bool modulate = true;  // texture x colour; otherwise the texture alone
    bool blend = false;
    BlendFactor srcBlend = BlendFactor::One;
    BlendFactor dstBlend = BlendFactor::Zero;
};

// Fills one triangle. Vertices may come in either winding; degenerate triangles draw nothing.
void rasteriseTriangle(const RasterTarget& target, const RasterState& state, const RasterVertex& v0,
                       const RasterVertex& v1, const RasterVertex& v2);

}  // namespace marquill::platform::soft3d
