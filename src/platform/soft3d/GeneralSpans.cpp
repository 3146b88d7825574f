// The span loops for every state: any sampling, blending, perspective and target kind.
#include <algorithm>
#include <cstring>

#include "platform/soft3d/RasterSetup.h"

namespace marquill::platform::soft3d::raster {
namespace {

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

template <TargetKind K>
void fillKind(const RasterTarget& target, const RasterState& state, const Setup& s,
              const Texture& tex, bool perspective) {
    if (tex.texels == nullptr) {
        fill<K, false, false, false>(target, state, s, tex);
    } else if (perspective) {
        fill<K, true, true, false>(target, state, s, tex);
    } else if (tex.pow2 && !tex.bilinear) {
        fill<K, true, false, true>(target, state, s, tex);
    } else {
        fill<K, true, false, false>(target, state, s, tex);
    }
}

}  // namespace

void fillGeneral(const RasterTarget& target, const RasterState& state, const Setup& s,
                 const Texture& tex, bool perspective) {
    switch (target.kind) {
        case TargetKind::Xrgb8888:
            fillKind<TargetKind::Xrgb8888>(target, state, s, tex, perspective);
            break;
        case TargetKind::Rgb565:
            fillKind<TargetKind::Rgb565>(target, state, s, tex, perspective);
            break;
        case TargetKind::Rgb555:
            fillKind<TargetKind::Rgb555>(target, state, s, tex, perspective);
            break;
    }
}

}  // namespace marquill::platform::soft3d::raster
