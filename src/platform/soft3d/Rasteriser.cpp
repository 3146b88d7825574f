#include "platform/soft3d/Rasteriser.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marquill::platform::soft3d {
namespace {

constexpr int kSubBits = 4;
constexpr int64_t kSub = 1 << kSubBits;
constexpr int64_t kHalf = kSub / 2;
// Snapped coordinates stay far inside what the 64-bit edge products can hold.
constexpr float kCoordLimit = 1 << 20;

enum Attr { kZ, kInvW, kR, kG, kB, kA, kU, kV, kAttrCount };

int64_t snap(float v) {
    if (!(v > -kCoordLimit && v < kCoordLimit)) return 0;
    const float f = v * float(kSub);
    return int64_t(f + (f >= 0 ? 0.5f : -0.5f));
}

inline bool powerOfTwo(uint32_t v) {
    return v != 0 && (v & (v - 1)) == 0;
}

int64_t floorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int64_t ceilDiv(int64_t a, int64_t b) {
    return -floorDiv(-a, b);
}

inline int32_t floorToInt(float f) {
    const int32_t i = static_cast<int32_t>(f);
    return f < float(i) ? i - 1 : i;
}

// Texel index along one axis with wrapping addressing.
inline uint32_t wrapIndex(int32_t i, uint32_t size, bool pow2) {
    if (pow2) return uint32_t(i) & (size - 1);
    const int32_t m = i % int32_t(size);
    return uint32_t(m < 0 ? m + int32_t(size) : m);
}

inline bool safeCoord(float f) {
    return f > -1e7f && f < 1e7f;
}

struct Texture {
    const uint32_t* texels;
    uint32_t w, h;
    bool pow2;
    bool bilinear;
};

inline uint32_t sampleNearest(const Texture& t, float u, float v) {
    const float fu = u * float(t.w);
    const float fv = v * float(t.h);
    if (!safeCoord(fu) || !safeCoord(fv)) return t.texels[0];
    const uint32_t x = wrapIndex(floorToInt(fu), t.w, t.pow2);
    const uint32_t y = wrapIndex(floorToInt(fv), t.h, t.pow2);
    return t.texels[size_t(y) * t.w + x];
}

inline uint32_t lerpTexel(uint32_t a, uint32_t b, uint32_t w256) {
    const uint32_t rb = ((a & 0x00FF00FF) * (256 - w256) + (b & 0x00FF00FF) * w256) >> 8;
    const uint32_t ag = (((a >> 8) & 0x00FF00FF) * (256 - w256) + ((b >> 8) & 0x00FF00FF) * w256);
    return (rb & 0x00FF00FF) | (ag & 0xFF00FF00);
}

inline uint32_t sampleBilinear(const Texture& t, float u, float v) {
    const float fu = u * float(t.w) - 0.5f;
    const float fv = v * float(t.h) - 0.5f;
    if (!safeCoord(fu) || !safeCoord(fv)) return t.texels[0];
    const int32_t ix = floorToInt(fu);
    const int32_t iy = floorToInt(fv);
    const uint32_t wx = uint32_t((fu - float(ix)) * 256.0f);
    const uint32_t wy = uint32_t((fv - float(iy)) * 256.0f);
    const uint32_t x0 = wrapIndex(ix, t.w, t.pow2), x1 = wrapIndex(ix + 1, t.w, t.pow2);
    const uint32_t y0 = wrapIndex(iy, t.h, t.pow2), y1 = wrapIndex(iy + 1, t.h, t.pow2);
    const uint32_t* r0 = t.texels + size_t(y0) * t.w;
    const uint32_t* r1 = t.texels + size_t(y1) * t.w;
    return lerpTexel(lerpTexel(r0[x0], r0[x1], std::min(wx, 256u)),
                     lerpTexel(r1[x0], r1[x1], std::min(wx, 256u)), std::min(wy, 256u));
}

inline uint32_t blendChannel(uint32_t src, uint32_t dst, uint32_t srcA, BlendFactor sf,
                             BlendFactor df) {
    auto factor = [&](BlendFactor f, uint32_t channelOfSrc) -> uint32_t {
        switch (f) {
            case BlendFactor::Zero:
                return 0;
            case BlendFactor::One:
                return 255;
            case BlendFactor::SrcColor:
                return channelOfSrc;
            case BlendFactor::InvSrcColor:
                return 255 - channelOfSrc;
            case BlendFactor::SrcAlpha:
                return srcA;
            case BlendFactor::InvSrcAlpha:
                return 255 - srcA;
        }
        return 0;
    };
    const uint32_t v = (src * factor(sf, src) + dst * factor(df, src) + 127) / 255;
    return std::min(v, 255u);
}

template <TargetKind K>
inline uint32_t readTarget(const uint8_t* p) {
    if constexpr (K == TargetKind::Xrgb8888) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v & 0x00FFFFFF;
    } else {
        uint16_t v;
        std::memcpy(&v, p, 2);
        uint32_t r, g, b;
        if constexpr (K == TargetKind::Rgb565) {
            r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
            r = (r << 3) | (r >> 2), g = (g << 2) | (g >> 4), b = (b << 3) | (b >> 2);
        } else {
            r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
            r = (r << 3) | (r >> 2), g = (g << 3) | (g >> 2), b = (b << 3) | (b >> 2);
        }
        return r << 16 | g << 8 | b;
    }
}

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

struct alignas(16) Setup {
    int32_t minX, minY, maxX, maxY;
    int64_t e[3];      // edge values at the centre of (minX, minY), biased by the fill rule
    int64_t stepX[3];  // per pixel to the right
    int64_t stepY[3];  // per pixel down
    alignas(16) float base[kAttrCount];  // attribute values at the centre of (minX, minY)
    alignas(16) float dx[kAttrCount];
    alignas(16) float dy[kAttrCount];
};

// Float to 16.16 fixed point, with out-of-range values and NaN pinned to the limits.
inline int64_t toFixed(float v, float scale) {
    float f = v * scale * 65536.0f;
    constexpr float kLimit = 70368744177664.0f;  // 2^46
    if (!(f >= -kLimit)) f = -kLimit;
    if (f > kLimit) f = kLimit;
    return static_cast<int64_t>(f);
}

inline uint32_t clampByte(int64_t fixed) {
    const int64_t v = fixed >> 16;
    return uint32_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

// kFast: nearest sampling of a power-of-two texture without perspective, in fixed point.
template <TargetKind K, bool kTextured, bool kPerspective, bool kFast>
void fill(const RasterTarget& target, const RasterState& state, const Setup& s,
          const Texture& tex) {
    constexpr int32_t bpp = K == TargetKind::Xrgb8888 ? 4 : 2;
    const bool depthTest = state.depthTest && target.depth != nullptr;
    const bool depthWrite = state.depthWrite && target.depth != nullptr;
    const bool blend = state.blend;
    const bool modulate = state.modulate;
    constexpr bool nearestPow2 = kFast;
    // Depth in 1/65535 units, colour in 1/255 units and (nearest, power-of-two, affine)
    // texel coordinates, all in 16.16 fixed point: at the first pixel centre and per step.
    constexpr int kFixed = 7;
    enum { fZ, fR, fG, fB, fA, fU, fV };
    const float scale[kFixed] = {65535.0f, 255.0f,       255.0f,      255.0f,
                                 255.0f,   float(tex.w), float(tex.h)};
    const int src[kFixed] = {kZ, kR, kG, kB, kA, kU, kV};
    int64_t fx[kFixed], fy[kFixed], base[kFixed];
    for (int i = 0; i < kFixed; ++i) {
        fx[i] = toFixed(s.dx[src[i]], scale[i]);
        fy[i] = toFixed(s.dy[src[i]], scale[i]);
        // Rounding to nearest for depth and colour.
        base[i] = toFixed(s.base[src[i]], scale[i]) + (i < fU ? 32768 : 0);
    }
    const int64_t dz = fx[fZ], dr = fx[fR], dg = fx[fG], db = fx[fB], da = fx[fA];
    const int64_t du = fx[fU], dv = fx[fV];
    int64_t rowZ = base[fZ], rowR = base[fR], rowG = base[fG], rowB = base[fB], rowA = base[fA],
            rowU = base[fU], rowV = base[fV];
    int64_t rowE0 = s.e[0], rowE1 = s.e[1], rowE2 = s.e[2];
    for (int32_t py = s.minY; py <= s.maxY; ++py) {
        int64_t e0 = rowE0, e1 = rowE1, e2 = rowE2;
        int64_t z = rowZ, r = rowR, g = rowG, b = rowB, al = rowA, u = rowU, v = rowV;
        rowE0 += s.stepY[0], rowE1 += s.stepY[1], rowE2 += s.stepY[2];
        rowZ += fy[fZ], rowR += fy[fR], rowG += fy[fG], rowB += fy[fB], rowA += fy[fA];
        rowU += fy[fU], rowV += fy[fV];
        int32_t px = s.minX;
        // The triangle is convex: skip to its first pixel on this row, draw until it ends.
        while (px <= s.maxX && (e0 | e1 | e2) < 0) {
            e0 += s.stepX[0], e1 += s.stepX[1], e2 += s.stepX[2];
            ++px;
        }
        if (px > s.maxX) continue;
        const int64_t skipped = px - s.minX;
        z += dz * skipped, r += dr * skipped, g += dg * skipped, b += db * skipped;
        al += da * skipped, u += du * skipped, v += dv * skipped;
        float a[kAttrCount] = {};
        if constexpr (kTextured && !nearestPow2) {
            const float ox = float(px - s.minX), oy = float(py - s.minY);
            for (int i = 0; i < kAttrCount; ++i)
                a[i] = s.base[i] + s.dx[i] * ox + s.dy[i] * oy;
        }
        uint8_t* colorRow = target.color + size_t(py) * target.colorPitch;
        uint16_t* depthRow =
            target.depth
                ? reinterpret_cast<uint16_t*>(target.depth + size_t(py) * target.depthPitch)
                : nullptr;
        for (; px <= s.maxX && (e0 | e1 | e2) >= 0; ++px) {
            const int64_t zq = z >> 16;
            const uint16_t zv = uint16_t(zq < 0 ? 0 : zq > 65535 ? 65535 : zq);
            bool visible = true;
            if (depthTest) visible = zv <= depthRow[px];
            if (visible) {
                if (depthWrite) depthRow[px] = zv;
                uint32_t cr = clampByte(r), cg = clampByte(g), cb = clampByte(b);
                uint32_t ca = blend ? clampByte(al) : 255;
                if constexpr (kTextured) {
                    uint32_t t;
                    if constexpr (nearestPow2) {
                        t = tex.texels[size_t((uint64_t(v >> 16) & (tex.h - 1)) * tex.w +
                                              (uint64_t(u >> 16) & (tex.w - 1)))];
                    } else {
                        float tu = a[kU], tv = a[kV];
                        if constexpr (kPerspective) {
                            const float w = 1.0f / a[kInvW];
                            tu *= w, tv *= w;
                        }
                        t = tex.bilinear ? sampleBilinear(tex, tu, tv) : sampleNearest(tex, tu, tv);
                    }
                    const uint32_t tr = (t >> 16) & 0xFF, tg = (t >> 8) & 0xFF, tb = t & 0xFF,
                                   ta = t >> 24;
                    if (modulate) {
                        cr = (tr * (cr + 1)) >> 8, cg = (tg * (cg + 1)) >> 8,
                        cb = (tb * (cb + 1)) >> 8, ca = (ta * (ca + 1)) >> 8;
                    } else {
                        cr = tr, cg = tg, cb = tb, ca = ta;
                    }
                }
                uint8_t* out = colorRow + size_t(px) * bpp;
                if (blend) {
                    const uint32_t d = readTarget<K>(out);
                    cr = blendChannel(cr, (d >> 16) & 0xFF, ca, state.srcBlend, state.dstBlend);
                    cg = blendChannel(cg, (d >> 8) & 0xFF, ca, state.srcBlend, state.dstBlend);
                    cb = blendChannel(cb, d & 0xFF, ca, state.srcBlend, state.dstBlend);
                }
                writeTarget<K>(out, cr << 16 | cg << 8 | cb);
            }
            e0 += s.stepX[0], e1 += s.stepX[1], e2 += s.stepX[2];
            z += dz, r += dr, g += dg, b += db, al += da;
            if constexpr (nearestPow2) {
                u += du, v += dv;
            } else if constexpr (kTextured) {
                a[kU] += s.dx[kU], a[kV] += s.dx[kV], a[kInvW] += s.dx[kInvW];
            }
        }
    }
}

// 16.16 fixed point of a value the caller has bounded (see fastRange), computed in double.
inline int64_t fixedCast(float v, float scale) {
    return static_cast<int64_t>(double(v) * double(scale) * 65536.0);
}

// The preview's path: nearest sampling of a power-of-two texture without perspective, modulated
// by the Gouraud colour, depth tested and written, no blending, in a target of at most
// kFastSide pixels a side. Values are packed so the span loop fits the registers:
//  - red, green, blue in one 64-bit word, 21 bits each (8.13 fixed point, biased by one half);
//    within the triangle each stays inside its field, so adding the packed steps is exact;
//  - texel u in the low and v in the high 32 bits (16.16, wrapping): a carry between them moves
//    v by 1/65536 of a texel, which never shows;
//  - depth in 16.16 in 32 bits, edges in 32 bits (the side limit keeps them small).
inline constexpr int32_t kFastSide = 1024;

template <TargetKind K>
void fillFast(const RasterTarget& target, const Setup& s, const Texture& tex) {
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
    const int32_t sx0 = int32_t(s.stepX[0]), sx1 = int32_t(s.stepX[1]), sx2 = int32_t(s.stepX[2]);
    int32_t rowE0 = int32_t(s.e[0]), rowE1 = int32_t(s.e[1]), rowE2 = int32_t(s.e[2]);
    const int32_t minX = s.minX, maxX = s.maxX;
    constexpr uint64_t kField = (uint64_t{1} << 21) - 1;
    for (int32_t py = s.minY; py <= s.maxY; ++py) {
        int32_t e0 = rowE0, e1 = rowE1, e2 = rowE2;
        uint64_t c = rowC, t = rowT;
        uint32_t z = rowZ;
        rowE0 += int32_t(s.stepY[0]), rowE1 += int32_t(s.stepY[1]), rowE2 += int32_t(s.stepY[2]);
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
// fillFast for 32-bit targets with the Gouraud colour and depth in one SSE2 register, lanes blue,
// green, red, depth: one addition steps them all and the texel is modulated in one go. The
// colour lanes hold what fillFast's packed fields hold while these stay in range, so the pixels
// are the same; the spare fourth lane is the depth, whose top half is the 16-bit depth value.
// kSide: the texture's side when it is that square, known here so the texel address needs no
// registers for its masks; 0 for any other size.
template <uint32_t kSide>
void fillFastXrgb(const RasterTarget& target, const Setup& s, const Texture& tex) {
    const uint32_t* const texels = tex.texels;
    const uint32_t maskU = kSide ? kSide - 1 : tex.w - 1, maskV = kSide ? kSide - 1 : tex.h - 1;
    const int shiftV = kSide ? std::countr_zero(kSide) : std::countr_zero(tex.w);
    auto texStep = [&](const float* d) {
        return uint64_t(uint32_t(int32_t(fixedCast(d[kU], float(tex.w))))) +
               (uint64_t(uint32_t(int32_t(fixedCast(d[kV], float(tex.h))))) << 32);
    };
    // 16.16 of the 255/8 scale is 8.13 of the 255 scale.
    auto lanes = [](const float* d, int32_t colourBias, uint32_t depthBias) {
        auto channel = [&](int i) { return int32_t(fixedCast(d[i], 255.0f / 8.0f)) + colourBias; };
        return _mm_setr_epi32(channel(kB), channel(kG), channel(kR),
                              int32_t(uint32_t(int32_t(fixedCast(d[kZ], 65535.0f))) + depthBias));
    };
    const __m128i dcx = lanes(s.dx, 0, 0), dcy = lanes(s.dy, 0, 0);
    __m128i rowC = lanes(s.base, 1 << 12, 32768u);
    const uint64_t dtx = texStep(s.dx), dty = texStep(s.dy);
    uint64_t rowT = texStep(s.base);
    const int32_t sx0 = int32_t(s.stepX[0]), sx1 = int32_t(s.stepX[1]), sx2 = int32_t(s.stepX[2]);
    const int32_t sy0 = int32_t(s.stepY[0]), sy1 = int32_t(s.stepY[1]), sy2 = int32_t(s.stepY[2]);
    int32_t rowE0 = int32_t(s.e[0]), rowE1 = int32_t(s.e[1]), rowE2 = int32_t(s.e[2]);
    const int32_t minX = s.minX, maxX = s.maxX;
    const __m128i byte = _mm_set1_epi32(0xFF), one = _mm_set1_epi32(1), zero = _mm_setzero_si128();
    for (int32_t py = s.minY; py <= s.maxY; ++py) {
        int32_t e0 = rowE0, e1 = rowE1, e2 = rowE2;
        __m128i c = rowC;
        uint64_t t = rowT;
        rowE0 += sy0, rowE1 += sy1, rowE2 += sy2;
        rowC = _mm_add_epi32(rowC, dcy);
        rowT += dty;
        int32_t px = minX;
        while (px <= maxX && (e0 | e1 | e2) < 0) {
            e0 += sx0, e1 += sx1, e2 += sx2;
            c = _mm_add_epi32(c, dcx);
            t += dtx;
            ++px;
        }
        uint32_t* out = reinterpret_cast<uint32_t*>(target.color + size_t(py) * target.colorPitch);
        uint16_t* depth =
            reinterpret_cast<uint16_t*>(target.depth + size_t(py) * target.depthPitch);
        for (; px <= maxX && (e0 | e1 | e2) >= 0; ++px) {
            const uint32_t zv = uint32_t(_mm_extract_epi16(c, 7));
            if (zv <= depth[px]) {
                depth[px] = uint16_t(zv);
                const uint32_t texel =
                    texels[((uint32_t(t >> 48) & maskV) << shiftV) | (uint32_t(t >> 16) & maskU)];
                const __m128i tl = _mm_unpacklo_epi16(
                    _mm_unpacklo_epi8(_mm_cvtsi32_si128(int32_t(texel)), zero), zero);
                const __m128i weight =
                    _mm_add_epi32(_mm_and_si128(_mm_srli_epi32(c, 13), byte), one);
                // The products fit 16 bits, so the 16-bit multiply gives them whole.
                const __m128i lit = _mm_srli_epi32(_mm_mullo_epi16(tl, weight), 8);
                const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(lit, lit), zero);
                out[px] = uint32_t(_mm_cvtsi128_si32(packed)) & 0x00FFFFFF;
            }
            e0 += sx0, e1 += sx1, e2 += sx2;
            c = _mm_add_epi32(c, dcx);
            t += dtx;
        }
    }
}
#endif

// Values the fast path's plain conversions to fixed point can hold: every magnitude below 1e6.
// A NaN fails its comparison.
inline bool fastRange(const Setup& s) {
#if defined(__SSE2__)
    static_assert(kAttrCount == 8);
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    const __m128 limit = _mm_set1_ps(1e6f);
    __m128 inRange = _mm_castsi128_ps(_mm_set1_epi32(-1));
    for (const float* values : {s.base, s.dx, s.dy}) {
        for (int half = 0; half < kAttrCount; half += 4) {
            const __m128 v = _mm_and_ps(_mm_load_ps(values + half), magnitude);
            inRange = _mm_and_ps(inRange, _mm_cmplt_ps(v, limit));
        }
    }
    return _mm_movemask_ps(inRange) == 0xF;
#else
    float largest = 0;  // a NaN sticks, as no comparison with it is true
    for (int i = 0; i < kAttrCount; ++i) {
        for (float v : {s.base[i], s.dx[i], s.dy[i]}) {
            const float m = std::fabs(v);
            largest = m < largest ? largest : m;
        }
    }
    return largest < 1e6f;
#endif
}

template <TargetKind K>
void dispatch(const RasterTarget& target, const RasterState& state, const Setup& s,
              const Texture& tex, bool perspective, bool small) {
    if (tex.texels == nullptr) {
        fill<K, false, false, false>(target, state, s, tex);
    } else if (perspective) {
        fill<K, true, true, false>(target, state, s, tex);
    } else if (tex.pow2 && !tex.bilinear && state.modulate && !state.blend && state.depthTest &&
               state.depthWrite && target.depth != nullptr && fastRange(s) && small) {
#if defined(__SSE2__)
        if constexpr (K == TargetKind::Xrgb8888) {
            // The usual skin sizes.
            if (tex.w == 256 && tex.h == 256) {
                fillFastXrgb<256>(target, s, tex);
            } else if (tex.w == 128 && tex.h == 128) {
                fillFastXrgb<128>(target, s, tex);
            } else {
                fillFastXrgb<0>(target, s, tex);
            }
            return;
        }
#endif
        fillFast<K>(target, s, tex);
    } else if (tex.pow2 && !tex.bilinear) {
        fill<K, true, false, true>(target, state, s, tex);
    } else {
        fill<K, true, false, false>(target, state, s, tex);
    }
}

}  // namespace

void rasteriseTriangle(const RasterTarget& target, const RasterState& state, const RasterVertex& v0,
                       const RasterVertex& v1, const RasterVertex& v2) {
    const RasterVertex* p[3] = {&v0, &v1, &v2};
    int64_t x[3], y[3];
    for (int i = 0; i < 3; ++i)
        x[i] = snap(p[i]->x), y[i] = snap(p[i]->y);
    int64_t area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
    if (area == 0) return;
    if (area < 0) {
        std::swap(p[1], p[2]);
        std::swap(x[1], x[2]);
        std::swap(y[1], y[2]);
        area = -area;
    }
    Setup s;
    const int64_t minXf = std::min({x[0], x[1], x[2]}), maxXf = std::max({x[0], x[1], x[2]});
    const int64_t minYf = std::min({y[0], y[1], y[2]}), maxYf = std::max({y[0], y[1], y[2]});
    // Pixel (px, py) has its centre at (px + 1/2, py + 1/2).
    const int64_t minX = std::max<int64_t>(target.scissor.left, ceilDiv(minXf - kHalf, kSub));
    const int64_t maxX = std::min<int64_t>(target.scissor.right - 1, floorDiv(maxXf - kHalf, kSub));
    const int64_t minY = std::max<int64_t>(target.scissor.top, ceilDiv(minYf - kHalf, kSub));
    const int64_t maxY =
        std::min<int64_t>(target.scissor.bottom - 1, floorDiv(maxYf - kHalf, kSub));
    if (minX > maxX || minY > maxY) return;
    s.minX = int32_t(minX), s.maxX = int32_t(maxX), s.minY = int32_t(minY), s.maxY = int32_t(maxY);
    if (Rect* d = target.drawn) {
        const Rect box{s.minX, s.minY, s.maxX + 1, s.maxY + 1};
        *d = d->empty() ? box
                        : Rect{std::min(d->left, box.left), std::min(d->top, box.top),
                               std::max(d->right, box.right), std::max(d->bottom, box.bottom)};
    }

    const int64_t cx = minX * kSub + kHalf, cy = minY * kSub + kHalf;
    for (int i = 0; i < 3; ++i) {
        const int a = i, b = (i + 1) % 3;
        const int64_t dx = x[b] - x[a], dy = y[b] - y[a];
        // With this winding the inside lies to the right of each edge going clockwise on screen;
        // top edges run rightwards and left edges upwards.
        const bool topLeft = (dy == 0 && dx > 0) || dy < 0;
        s.e[i] = dx * (cy - y[a]) - dy * (cx - x[a]) - (topLeft ? 0 : 1);
        s.stepX[i] = -dy * kSub;
        s.stepY[i] = dx * kSub;
    }

    const bool textured = state.texels != nullptr && state.texWidth > 0 && state.texHeight > 0;
    const bool perspective =
        textured && state.perspective && !(p[0]->invW == p[1]->invW && p[0]->invW == p[2]->invW);
    alignas(16) float values[3][kAttrCount];
    for (int i = 0; i < 3; ++i) {
        const RasterVertex& v = *p[i];
        const RasterVertex& c = state.flat ? v0 : v;
        values[i][kZ] = v.z;
        values[i][kInvW] = v.invW;
        values[i][kR] = c.r, values[i][kG] = c.g, values[i][kB] = c.b, values[i][kA] = c.a;
        values[i][kU] = perspective ? v.u * v.invW : v.u;
        values[i][kV] = perspective ? v.v * v.invW : v.v;
    }
    const float fx0 = float(x[0]) / kSub, fy0 = float(y[0]) / kSub;
    const float ex1 = float(x[1] - x[0]) / kSub, ey1 = float(y[1] - y[0]) / kSub;
    const float ex2 = float(x[2] - x[0]) / kSub, ey2 = float(y[2] - y[0]) / kSub;
    const float invArea = float(kSub * kSub) / float(area);
    const float sx = float(minX) + 0.5f - fx0, sy = float(minY) + 0.5f - fy0;
    // Every attribute at once (the compiler turns this into vector arithmetic); attributes a
    // triangle does not use are computed and ignored.
    for (int i = 0; i < kAttrCount; ++i) {
        const float d1 = values[1][i] - values[0][i], d2 = values[2][i] - values[0][i];
        const float gx = (d1 * ey2 - d2 * ey1) * invArea;
        const float gy = (d2 * ex1 - d1 * ex2) * invArea;
        s.dx[i] = gx;
        s.dy[i] = gy;
        s.base[i] = values[0][i] + gx * sx + gy * sy;
    }

    // Vertices near the target keep the fast path's 32-bit edge values far from overflow.
    bool small = target.scissor.right <= kFastSide && target.scissor.bottom <= kFastSide;
    for (int i = 0; i < 3; ++i) {
        small = small && x[i] > -64 * kSub && x[i] < (kFastSide + 64) * kSub && y[i] > -64 * kSub &&
                y[i] < (kFastSide + 64) * kSub;
    }
    Texture tex{textured ? state.texels : nullptr, state.texWidth, state.texHeight,
                powerOfTwo(state.texWidth) && powerOfTwo(state.texHeight), state.bilinear};
    switch (target.kind) {
        case TargetKind::Xrgb8888:
            dispatch<TargetKind::Xrgb8888>(target, state, s, tex, perspective, small);
            break;
        case TargetKind::Rgb565:
            dispatch<TargetKind::Rgb565>(target, state, s, tex, perspective, small);
            break;
        case TargetKind::Rgb555:
            dispatch<TargetKind::Rgb555>(target, state, s, tex, perspective, small);
            break;
    }
}

}  // namespace marquill::platform::soft3d
