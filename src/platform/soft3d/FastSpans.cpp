// The preview's span loops (see fastFillFor): everything in fixed point, values packed so that
// the per-pixel work fits the registers.
#include <bit>
#include <climits>
#include <cmath>

#include "platform/soft3d/RasterSetup.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marquill::platform::soft3d::raster {
namespace {

// 16.16 fixed point of a value within kFastRange, computed in double.
inline int64_t fixedCast(float v, float scale) {
    return static_cast<int64_t>(double(v) * double(scale) * 65536.0);
}

// Packed values of the colour and texture planes:
//  - red, green, blue in one 64-bit word, 21 bits each (8.13 fixed point, biased by one half);
//    within the triangle each stays inside its field, so adding the packed steps is exact;
//  - texel u in the low and v in the high 32 bits (16.16, wrapping): a carry between them moves
//    v by 1/65536 of a texel, which never shows;
//  - depth in 16.16 in 32 bits, edges in 32 bits (the side limit keeps them small).
template <TargetKind K>
void fillPacked(const RasterTarget& target, const Setup& s, const Texture& tex) {
    constexpr int32_t bpp = K == TargetKind::Xrgb8888 ? 4 : 2;
    constexpr int kColourBits = 13;
    const uint32_t* const texels = tex.texels;
    const uint32_t maskU = tex.w - 1, maskV = tex.h - 1;
    const int shiftV = std::countr_zero(tex.w);
    auto colourStep = [](const float* d) {
        return uint64_t(fixedCast(d[kR], 255.0f / 8.0f)) +
               (uint64_t(fixedCast(d[kG], 255.0f / 8.0f)) << 21) +
               (uint64_t(fixedCast(d[kB], 255.0f / 8.0f)) << 42);
    };
    auto texStep = [&](const float* d) {
        return uint64_t(uint32_t(int32_t(fixedCast(d[kU], float(tex.w))))) +
               (uint64_t(uint32_t(int32_t(fixedCast(d[kV], float(tex.h))))) << 32);
    };
    // 16.16 of the 255/8 scale is 8.13 of the 255 scale.
    const uint64_t dcx = colourStep(s.dx), dcy = colourStep(s.dy);
    const uint64_t dtx = texStep(s.dx), dty = texStep(s.dy);
    const uint32_t dzx = uint32_t(int32_t(fixedCast(s.dx[kZ], 65535.0f)));
    const uint32_t dzy = uint32_t(int32_t(fixedCast(s.dy[kZ], 65535.0f)));
    const uint64_t half =
        (uint64_t{1} << (kColourBits - 1)) * (1 + (uint64_t{1} << 21) + (uint64_t{1} << 42));
    uint64_t rowC = colourStep(s.base) + half;
    uint64_t rowT = texStep(s.base);
    uint32_t rowZ = uint32_t(int32_t(fixedCast(s.base[kZ], 65535.0f))) + 32768u;
    const int32_t sx0 = s.edgeX[0], sx1 = s.edgeX[1], sx2 = s.edgeX[2];
    int32_t rowE0 = s.edge[0], rowE1 = s.edge[1], rowE2 = s.edge[2];
    const int32_t minX = s.minX, maxX = s.maxX;
    constexpr uint64_t kField = (uint64_t{1} << 21) - 1;
    for (int32_t py = s.minY; py <= s.maxY; ++py) {
        int32_t e0 = rowE0, e1 = rowE1, e2 = rowE2;
        uint64_t c = rowC, t = rowT;
        uint32_t z = rowZ;
        rowE0 += s.edgeY[0], rowE1 += s.edgeY[1], rowE2 += s.edgeY[2];
        rowC += dcy, rowT += dty, rowZ += dzy;
        int32_t px = minX;
        while (px <= maxX && (e0 | e1 | e2) < 0) {
            e0 += sx0, e1 += sx1, e2 += sx2;
            ++px;
        }
        if (px > maxX) continue;
        const uint64_t skipped = uint64_t(px - minX);
        c += dcx * skipped, t += dtx * skipped, z += dzx * uint32_t(skipped);
        uint8_t* out = target.color + size_t(py) * target.colorPitch + size_t(px) * bpp;
        uint16_t* depth =
            reinterpret_cast<uint16_t*>(target.depth + size_t(py) * target.depthPitch) + px;
        for (; px <= maxX && (e0 | e1 | e2) >= 0; ++px, out += bpp, ++depth) {
            // Rounding may take depth a hair below zero, which wraps to the far end: harmless.
            const uint32_t zv = std::min(z >> 16, 65535u);
            if (zv <= *depth) {
                *depth = uint16_t(zv);
                const uint32_t texel =
                    texels[((uint32_t(t >> 48) & maskV) << shiftV) | (uint32_t(t >> 16) & maskU)];
                const uint32_t cr = uint32_t((c & kField) >> kColourBits);
                const uint32_t cg = uint32_t(((c >> 21) & kField) >> kColourBits);
                const uint32_t cb = uint32_t(((c >> 42) & kField) >> kColourBits);
                const uint32_t r = ((texel >> 16 & 0xFF) * (cr + 1)) >> 8;
                const uint32_t g = ((texel >> 8 & 0xFF) * (cg + 1)) >> 8;
                const uint32_t b = ((texel & 0xFF) * (cb + 1)) >> 8;
                writeTarget<K>(out, r << 16 | g << 8 | b);
            }
            e0 += sx0, e1 += sx1, e2 += sx2;
            c += dcx, t += dtx, z += dzx;
        }
    }
}

#if defined(__SSE2__)
// The texture step in u (low half) and v (high half), and the Gouraud colour with the depth in
// one register, lanes blue, green, red, depth; the colour lanes in 8.13 fixed point (16.16 of the
// 255/8 scale), the depth in 16.16, whose top half is the 16-bit depth value.
struct PlaneSteps {
    __m128i cx, cy, c0;  // per pixel right, per pixel down, at the first pixel centre
    uint64_t tx, ty, t0;
};

inline uint64_t texStep(const float* d, const Texture& tex) {
    return uint64_t(uint32_t(int32_t(fixedCast(d[kU], float(tex.w))))) +
           (uint64_t(uint32_t(int32_t(fixedCast(d[kV], float(tex.h))))) << 32);
}

inline __m128i colourDepthLanes(const float* d, int32_t colourBias, uint32_t depthBias) {
    auto channel = [&](int i) { return int32_t(fixedCast(d[i], 255.0f / 8.0f)) + colourBias; };
    return _mm_setr_epi32(channel(kB), channel(kG), channel(kR),
                          int32_t(uint32_t(int32_t(fixedCast(d[kZ], 65535.0f))) + depthBias));
}

// The same conversions two at a time. A double beyond 32 bits converts to INT_MIN: then the
// plain conversions above, which wrap, are used instead.
inline bool packedSteps(const float* d, const Texture& tex, __m128i& lanes, uint64_t& step) {
    const __m128 lo = _mm_load_ps(d), hi = _mm_load_ps(d + 4);  // z w r g, b a u v
    const __m128 bbgg = _mm_shuffle_ps(hi, lo, _MM_SHUFFLE(3, 3, 0, 0));
    const __m128 bgrz = _mm_shuffle_ps(bbgg, lo, _MM_SHUFFLE(0, 2, 2, 0));
    // A float times a float is exact in double, and so is the power of two after it: one
    // multiply by the scale times 65536 gives fixedCast's value.
    auto convert = [&](__m128 pair, __m128d scale) {
        return _mm_cvttpd_epi32(_mm_mul_pd(_mm_cvtps_pd(pair), scale));
    };
    const double colour = double(255.0f / 8.0f) * 65536.0;
    const __m128i bg = convert(bgrz, _mm_set1_pd(colour));
    const __m128i rz =
        convert(_mm_movehl_ps(bgrz, bgrz), _mm_setr_pd(colour, double(65535.0f) * 65536.0));
    const __m128i uv = convert(_mm_movehl_ps(hi, hi), _mm_setr_pd(double(float(tex.w)) * 65536.0,
                                                                  double(float(tex.h)) * 65536.0));
    lanes = _mm_unpacklo_epi64(bg, rz);
    const __m128i lost = _mm_set1_epi32(INT_MIN);
    const __m128i any = _mm_or_si128(_mm_cmpeq_epi32(lanes, lost), _mm_cmpeq_epi32(uv, lost));
    if (_mm_movemask_epi8(any) != 0) return false;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(&step), uv);
    return true;
}

inline PlaneSteps planeSteps(const Setup& s, const Texture& tex) {
    PlaneSteps p;
    const __m128i bias = _mm_setr_epi32(1 << 12, 1 << 12, 1 << 12, 32768);
    if (packedSteps(s.dx, tex, p.cx, p.tx) && packedSteps(s.dy, tex, p.cy, p.ty) &&
        packedSteps(s.base, tex, p.c0, p.t0)) {
        p.c0 = _mm_add_epi32(p.c0, bias);
        return p;
    }
    p.cx = colourDepthLanes(s.dx, 0, 0), p.cy = colourDepthLanes(s.dy, 0, 0);
    p.c0 = colourDepthLanes(s.base, 1 << 12, 32768u);
    p.tx = texStep(s.dx, tex), p.ty = texStep(s.dy, tex), p.t0 = texStep(s.base, tex);
    return p;
}

// fillPacked for 32-bit targets with the colour and depth in one SSE2 register (see PlaneSteps):
// one addition steps them all and the texel is modulated in one go; the colour lanes hold what
// fillPacked's fields hold while these stay in range, so the pixels are the same. The three edges
// share a register too, so one sign mask tests them all.
// kSide: the texture's side when it is that square, known here so the texel address needs no
// registers for its masks; 0 for any other size. kClippedRight: see Setup; when the box ends
// where the triangle does, a run always ends at a falling edge before it.
template <uint32_t kSide, bool kClippedRight>
void fillPackedXrgb(const RasterTarget& target, const Setup& s, const Texture& tex) {
    const uint32_t* const texels = tex.texels;
    const uint32_t maskU = kSide ? kSide - 1 : tex.w - 1, maskV = kSide ? kSide - 1 : tex.h - 1;
    const int shiftV = kSide ? std::countr_zero(kSide) : std::countr_zero(tex.w);
    auto texelIndex = [&](uint64_t t) {
        if constexpr (kSide != 0) {
            // v's integer part straight to its place above u's.
            return (uint32_t(t >> (48 - shiftV)) & (maskV << shiftV)) | (uint32_t(t >> 16) & maskU);
        } else {
            return ((uint32_t(t >> 48) & maskV) << shiftV) | (uint32_t(t >> 16) & maskU);
        }
    };
    const PlaneSteps p = planeSteps(s, tex);
    const __m128i dcx = p.cx, dcy = p.cy;
    __m128i rowC = p.c0;
    const uint64_t dtx = p.tx, dty = p.ty;
    uint64_t rowT = p.t0;
    auto lanes = [](const int32_t* v) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(v));
    };
    const __m128i ex = lanes(s.edgeX), ey = lanes(s.edgeY);
    __m128i rowE = lanes(s.edge);
    // An edge whose value grows to the right (or stays) can only let pixels in as a row is walked,
    // one that falls only shuts them out; a triangle being convex, a row's run starts where the
    // first kind turns non-negative and ends where the second turns negative.
    const uint32_t closing = uint32_t(_mm_movemask_ps(_mm_castsi128_ps(ex))) & 7;
    const uint32_t opening = ~closing & 7;
    const int32_t minX = s.minX, maxX = s.maxX;
    // Lane 3 (depth) gets weight 0, so the packed pixel's top byte comes out 0.
    const __m128i byte = _mm_setr_epi32(0xFF, 0xFF, 0xFF, 0), one = _mm_setr_epi32(1, 1, 1, 0);
    const __m128i zero = _mm_setzero_si128();
    auto negative = [](__m128i e) { return uint32_t(_mm_movemask_ps(_mm_castsi128_ps(e))); };
    uint8_t* colourRow = target.color + size_t(s.minY) * target.colorPitch;
    uint8_t* depthRow = target.depth + size_t(s.minY) * target.depthPitch;
    for (int32_t py = s.minY; py <= s.maxY;
         ++py, colourRow += target.colorPitch, depthRow += target.depthPitch) {
        __m128i e = rowE, c = rowC;
        uint64_t t = rowT;
        rowE = _mm_add_epi32(rowE, ey);
        rowC = _mm_add_epi32(rowC, dcy);
        rowT += dty;
        int32_t px = minX;
        while ((negative(e) & opening) != 0) {
            if (++px > maxX) break;
            e = _mm_add_epi32(e, ex);
            c = _mm_add_epi32(c, dcx);
            t += dtx;
        }
        if (px > maxX) continue;  // nothing of this row
        uint32_t* out = reinterpret_cast<uint32_t*>(colourRow);
        uint16_t* depth = reinterpret_cast<uint16_t*>(depthRow);
        uint32_t shut = negative(e) & closing;
        for (; (!kClippedRight || px <= maxX) && shut == 0; ++px) {
            const uint32_t zv = uint32_t(_mm_extract_epi16(c, 7));
            if (zv <= depth[px]) {
                depth[px] = uint16_t(zv);
                const uint32_t texel = texels[texelIndex(t)];
                const __m128i tl = _mm_unpacklo_epi16(
                    _mm_unpacklo_epi8(_mm_cvtsi32_si128(int32_t(texel)), zero), zero);
                const __m128i weight =
                    _mm_add_epi32(_mm_and_si128(_mm_srli_epi32(c, 13), byte), one);
                // The products fit 16 bits, so the 16-bit multiply gives them whole.
                const __m128i lit = _mm_srli_epi32(_mm_mullo_epi16(tl, weight), 8);
                out[px] =
                    uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(lit, lit), zero)));
            }
            e = _mm_add_epi32(e, ex);
            shut = negative(e) & closing;
            c = _mm_add_epi32(c, dcx);
            t += dtx;
        }
    }
}
#endif

template <TargetKind K>
void packedFill(const RasterTarget& target, const Setup& s, const Texture& tex) {
    fillPacked<K>(target, s, tex);
}

#if defined(__SSE2__)
template <uint32_t kSide>
void packedFillXrgb(const RasterTarget& target, const Setup& s, const Texture& tex) {
    if (s.clippedRight) {
        fillPackedXrgb<kSide, true>(target, s, tex);
    } else {
        fillPackedXrgb<kSide, false>(target, s, tex);
    }
}
#endif

}  // namespace

FastFill fastFillFor(TargetKind kind, uint32_t texWidth, uint32_t texHeight) {
    switch (kind) {
        case TargetKind::Xrgb8888:
#if defined(__SSE2__)
            // The usual skin sizes.
            if (texWidth == 256 && texHeight == 256) return packedFillXrgb<256>;
            if (texWidth == 128 && texHeight == 128) return packedFillXrgb<128>;
            return packedFillXrgb<0>;
#else
            (void)texWidth, (void)texHeight;
            return packedFill<TargetKind::Xrgb8888>;
#endif
        case TargetKind::Rgb565:
            return packedFill<TargetKind::Rgb565>;
        case TargetKind::Rgb555:
            return packedFill<TargetKind::Rgb555>;
    }
    return nullptr;
}

}  // namespace marquill::platform::soft3d::raster
