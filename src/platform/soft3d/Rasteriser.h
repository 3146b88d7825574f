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
    Rect scissor;  // never written outside; must lie inside both buffers
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

namespace raster {
struct Setup;
struct Texture;
}  // namespace raster

// Fills the triangles of one draw with one target and state, both of which must outlive it: what
// depends on them alone is worked out once. Vertices may come in either winding; degenerate
// triangles draw nothing.
class TriangleFiller {
  public:
    TriangleFiller(const RasterTarget& target, const RasterState& state);
    void draw(const RasterVertex& v0, const RasterVertex& v1, const RasterVertex& v2);
    // Covers every pixel the triangles so far may have written; empty when none.
    [[nodiscard]] Rect drawn() const {
        return drawnLeft_ > drawnRight_
                   ? Rect{}
                   : Rect{drawnLeft_, drawnTop_, drawnRight_ + 1, drawnBottom_ + 1};
    }

  private:
    using FastFill = void (*)(const RasterTarget&, const raster::Setup&, const raster::Texture&);

    const RasterTarget& target_;
    const RasterState& state_;
    const uint32_t* texels_;  // none when untextured
    bool pow2_;
    bool smallTarget_;  // within the fast path's side limit
    FastFill fast_;     // none when the state is not the fast path's
    // Inclusive pixel bounds of what was drawn; left beyond right while nothing was.
    int32_t drawnLeft_ = INT32_MAX, drawnTop_ = INT32_MAX, drawnRight_ = INT32_MIN,
            drawnBottom_ = INT32_MIN;
};

// One triangle on its own.
void rasteriseTriangle(const RasterTarget& target, const RasterState& state, const RasterVertex& v0,
                       const RasterVertex& v1, const RasterVertex& v2);

}  // namespace marquill::platform::soft3d
