#include "platform/soft3d/VertexLighting.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marquill::platform::soft3d {
namespace {

Vector3 normalise(Vector3 v) {
    const float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (!(len > 0)) return v;
    const float k = 1.0f / len;
    return {v.x * k, v.y * k, v.z * k};
}

// NaN becomes 0.
inline float clamp01(float v) {
    return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;
}

float dot(Vector3 a, Vector3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

void transformOne(const VertexSetup& s, bool needPosition, const Vertex& v, TransformedVertex& o,
                  ClipStatus& extents) {
    const Matrix& m = s.clipFromModel;
    const std::array<float, 9>& nm = s.normalMatrix;
    const Matrix& world = s.world;
    const float cx = v.x * m[0] + v.y * m[4] + v.z * m[8] + m[12];
    const float cy = v.x * m[1] + v.y * m[5] + v.z * m[9] + m[13];
    const float cz = v.x * m[2] + v.y * m[6] + v.z * m[10] + m[14];
    const float cw = v.x * m[3] + v.y * m[7] + v.z * m[11] + m[15];
    Vector3 n{v.nx * nm[0] + v.ny * nm[3] + v.nz * nm[6],
              v.nx * nm[1] + v.ny * nm[4] + v.nz * nm[7],
              v.nx * nm[2] + v.ny * nm[5] + v.nz * nm[8]};
    n = normalise(n);
    float r = s.baseR, g = s.baseG, b = s.baseB;
    Vector3 wp{};
    if (needPosition) {
        wp = {v.x * world[0] + v.y * world[4] + v.z * world[8] + world[12],
              v.x * world[1] + v.y * world[5] + v.z * world[9] + world[13],
              v.x * world[2] + v.y * world[6] + v.z * world[10] + world[14]};
    }
    for (const PreparedLight& p : s.lights) {
        if (p.kind == LightRecord::kDirectional) {
            const float d = dot(n, p.toLight);
            if (d > 0) r += p.r * d, g += p.g * d, b += p.b * d;
            continue;
        }
        Vector3 toLight{p.position.x - wp.x, p.position.y - wp.y, p.position.z - wp.z};
        const float dist = std::sqrt(dot(toLight, toLight));
        if (!(dist <= p.range)) continue;
        toLight = dist > 0 ? Vector3{toLight.x / dist, toLight.y / dist, toLight.z / dist}
                           : Vector3{0, 0, 0};
        const float denom = p.a0 + p.a1 * dist + p.a2 * dist * dist;
        float k = denom > 0 ? 1.0f / denom : 1.0f;
        if (p.kind == LightRecord::kSpot) {
            const float rho = -dot(toLight, p.spotDir);
            if (rho <= p.cosOuter) continue;
            if (rho < p.cosInner) {
                const float t = (rho - p.cosOuter) / (p.cosInner - p.cosOuter);
                k *= p.falloff == 0 ? 1.0f : std::pow(t, p.falloff);
            }
        }
        const float d = dot(n, toLight) * k;
        if (d > 0) r += p.r * d, g += p.g * d, b += p.b * d;
    }
    o.clip = {cx, cy, cz, cw, clamp01(r), clamp01(g), clamp01(b), clamp01(s.alpha), v.u, v.v};
    uint32_t code = 0;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(cz) || !std::isfinite(cw)) {
        code = kInvalid;
    } else {
        if (cx < -s.maxX * cw) code |= kLeft;
        if (cx > s.maxX * cw) code |= kRight;
        if (cy > s.maxY * cw) code |= kTop;
        if (cy < -s.maxY * cw) code |= kBottom;
        if (cz < 0) code |= kNear;
        if (cz > cw) code |= kFar;
    }
    o.outside = code;
    if (code == 0) {
        const float iw = 1.0f / cw;
        o.screen = {s.centreX + cx * iw * s.scaleX,
                    s.centreY - cy * iw * s.scaleY,
                    cz * iw,
                    iw,
                    o.clip.r,
                    o.clip.g,
                    o.clip.b,
                    o.clip.a,
                    v.u,
                    v.v};
        extents.minX = std::min(extents.minX, o.screen.x);
        extents.maxX = std::max(extents.maxX, o.screen.x);
        extents.minY = std::min(extents.minY, o.screen.y);
        extents.maxY = std::max(extents.maxY, o.screen.y);
    }
}

#if defined(__SSE2__)
// Four vertices at once, one per lane, for directional lights only. Every lane does the scalar
// path's operations in the scalar path's order, so the results are the same to the bit.
class FourWide {
  public:
    FourWide(const VertexSetup& s, const ClipStatus& extents) : s_(s) {
        for (int i = 0; i < 16; ++i)
            m_[i] = _mm_set1_ps(s.clipFromModel[size_t(i)]);
        for (int i = 0; i < 9; ++i)
            nm_[i] = _mm_set1_ps(s.normalMatrix[size_t(i)]);
        for (const PreparedLight& p : s.lights) {
            if (lightCount_ == lights_.size()) break;  // more are never four-wide (see fits)
            lights_[lightCount_++] = {_mm_set1_ps(p.toLight.x), _mm_set1_ps(p.toLight.y),
                                      _mm_set1_ps(p.toLight.z), _mm_set1_ps(p.r),
                                      _mm_set1_ps(p.g),         _mm_set1_ps(p.b)};
        }
        minX_ = _mm_set1_ps(extents.minX), maxX_ = _mm_set1_ps(extents.maxX);
        minY_ = _mm_set1_ps(extents.minY), maxY_ = _mm_set1_ps(extents.maxY);
    }

    void run(const Vertex* v, TransformedVertex* o) {
        __m128 x = _mm_loadu_ps(&v[0].x), y = _mm_loadu_ps(&v[1].x), z = _mm_loadu_ps(&v[2].x),
               nx = _mm_loadu_ps(&v[3].x);
        _MM_TRANSPOSE4_PS(x, y, z, nx);
        __m128 ny = _mm_loadu_ps(&v[0].ny), nz = _mm_loadu_ps(&v[1].ny),
               tu = _mm_loadu_ps(&v[2].ny), tv = _mm_loadu_ps(&v[3].ny);
        _MM_TRANSPOSE4_PS(ny, nz, tu, tv);

        auto clipRow = [&](int c) {
            return _mm_add_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(x, m_[c]), _mm_mul_ps(y, m_[4 + c])),
                                         _mm_mul_ps(z, m_[8 + c])),
                              m_[12 + c]);
        };
        __m128 cx = clipRow(0), cy = clipRow(1), cz = clipRow(2), cw = clipRow(3);
        auto normalRow = [&](int c) {
            return _mm_add_ps(_mm_add_ps(_mm_mul_ps(nx, nm_[c]), _mm_mul_ps(ny, nm_[3 + c])),
                              _mm_mul_ps(nz, nm_[6 + c]));
        };
        __m128 mx = normalRow(0), my = normalRow(1), mz = normalRow(2);
        const __m128 zero = _mm_setzero_ps(), one = _mm_set1_ps(1.0f);
        const __m128 len = _mm_sqrt_ps(
            _mm_add_ps(_mm_add_ps(_mm_mul_ps(mx, mx), _mm_mul_ps(my, my)), _mm_mul_ps(mz, mz)));
        const __m128 scaled = _mm_cmpgt_ps(len, zero);
        const __m128 k = _mm_div_ps(one, len);
        mx = select(scaled, _mm_mul_ps(mx, k), mx);
        my = select(scaled, _mm_mul_ps(my, k), my);
        mz = select(scaled, _mm_mul_ps(mz, k), mz);

        __m128 r = _mm_set1_ps(s_.baseR), g = _mm_set1_ps(s_.baseG), b = _mm_set1_ps(s_.baseB);
        for (size_t i = 0; i < lightCount_; ++i) {
            const LightLanes& p = lights_[i];
            const __m128 d = _mm_add_ps(_mm_add_ps(_mm_mul_ps(mx, p.x), _mm_mul_ps(my, p.y)),
                                        _mm_mul_ps(mz, p.z));
            // An unlit lane adds +0 where the scalar path adds nothing: that can only turn a -0
            // sum into +0, which the clamp below makes 0 either way.
            const __m128 lit = _mm_cmpgt_ps(d, zero);
            r = _mm_add_ps(r, _mm_and_ps(lit, _mm_mul_ps(p.r, d)));
            g = _mm_add_ps(g, _mm_and_ps(lit, _mm_mul_ps(p.g, d)));
            b = _mm_add_ps(b, _mm_and_ps(lit, _mm_mul_ps(p.b, d)));
        }
        auto clamp = [&](__m128 c) {
            return _mm_and_ps(_mm_cmpgt_ps(c, zero), _mm_min_ps(c, one));
        };
        r = clamp(r), g = clamp(g), b = clamp(b);
        __m128 a = _mm_set1_ps(clamp01(s_.alpha));

        const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
        const __m128 infinity = _mm_set1_ps(INFINITY);
        auto finite = [&](__m128 c) { return _mm_cmplt_ps(_mm_and_ps(c, magnitude), infinity); };
        const __m128 valid =
            _mm_and_ps(_mm_and_ps(finite(cx), finite(cy)), _mm_and_ps(finite(cz), finite(cw)));
        const __m128 wx = _mm_mul_ps(_mm_set1_ps(s_.maxX), cw);
        const __m128 wy = _mm_mul_ps(_mm_set1_ps(s_.maxY), cw);
        auto bit = [](__m128 mask, uint32_t flag) {
            return _mm_and_si128(_mm_castps_si128(mask), _mm_set1_epi32(int32_t(flag)));
        };
        __m128i code = _mm_or_si128(
            _mm_or_si128(
                _mm_or_si128(bit(_mm_cmplt_ps(cx, _mm_mul_ps(_mm_set1_ps(-s_.maxX), cw)), kLeft),
                             bit(_mm_cmpgt_ps(cx, wx), kRight)),
                _mm_or_si128(
                    bit(_mm_cmpgt_ps(cy, wy), kTop),
                    bit(_mm_cmplt_ps(cy, _mm_mul_ps(_mm_set1_ps(-s_.maxY), cw)), kBottom))),
            _mm_or_si128(bit(_mm_cmplt_ps(cz, zero), kNear), bit(_mm_cmpgt_ps(cz, cw), kFar)));
        const __m128i validBits = _mm_castps_si128(valid);
        code = _mm_or_si128(_mm_and_si128(validBits, code),
                            _mm_andnot_si128(validBits, _mm_set1_epi32(int32_t(kInvalid))));
        alignas(16) uint32_t codes[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(codes), code);

        const __m128 iw = _mm_div_ps(one, cw);
        __m128 sx = _mm_add_ps(_mm_set1_ps(s_.centreX),
                               _mm_mul_ps(_mm_mul_ps(cx, iw), _mm_set1_ps(s_.scaleX)));
        __m128 sy = _mm_sub_ps(_mm_set1_ps(s_.centreY),
                               _mm_mul_ps(_mm_mul_ps(cy, iw), _mm_set1_ps(s_.scaleY)));
        __m128 sz = _mm_mul_ps(cz, iw);
        // Lanes outside become NaN, which the minimum and maximum pass over as the scalar
        // path's std::min and std::max do (a NaN extent stays NaN in both).
        const __m128 outside = _mm_castsi128_ps(
            _mm_xor_si128(_mm_cmpeq_epi32(code, _mm_setzero_si128()), _mm_set1_epi32(-1)));
        const __m128 ex = _mm_or_ps(sx, outside), ey = _mm_or_ps(sy, outside);
        minX_ = _mm_min_ps(ex, minX_), maxX_ = _mm_max_ps(ex, maxX_);
        minY_ = _mm_min_ps(ey, minY_), maxY_ = _mm_max_ps(ey, maxY_);

        _MM_TRANSPOSE4_PS(cx, cy, cz, cw);
        _MM_TRANSPOSE4_PS(r, g, b, a);
        __m128 iw2 = iw;
        _MM_TRANSPOSE4_PS(sx, sy, sz, iw2);
        const __m128 clipRows[4] = {cx, cy, cz, cw};
        const __m128 colourRows[4] = {r, g, b, a};
        const __m128 screenRows[4] = {sx, sy, sz, iw2};
        for (int i = 0; i < 4; ++i) {
            TransformedVertex& t = o[i];
            _mm_storeu_ps(&t.clip.cx, clipRows[i]);
            _mm_storeu_ps(&t.clip.r, colourRows[i]);
            _mm_storeu_ps(&t.screen.x, screenRows[i]);
            _mm_storeu_ps(&t.screen.r, colourRows[i]);
            t.clip.u = t.screen.u = v[i].u;
            t.clip.v = t.screen.v = v[i].v;
            t.outside = codes[i];
        }
    }

    // Folds the lanes' extents in lane order, as the scalar path would have met them.
    void finish(ClipStatus& extents) const {
        alignas(16) float lanes[4][4];
        _mm_store_ps(lanes[0], minX_), _mm_store_ps(lanes[1], maxX_);
        _mm_store_ps(lanes[2], minY_), _mm_store_ps(lanes[3], maxY_);
        for (int i = 0; i < 4; ++i) {
            extents.minX = std::min(extents.minX, lanes[0][i]);
            extents.maxX = std::max(extents.maxX, lanes[1][i]);
            extents.minY = std::min(extents.minY, lanes[2][i]);
            extents.maxY = std::max(extents.maxY, lanes[3][i]);
        }
    }

    // Whether every light is one the lanes can take.
    [[nodiscard]] static bool fits(const VertexSetup& s) {
        return s.lights.size() <= kMaxLights &&
               std::all_of(s.lights.begin(), s.lights.end(), [](const PreparedLight& p) {
                   return p.kind == LightRecord::kDirectional;
               });
    }

  private:
    static constexpr size_t kMaxLights = 16;
    struct LightLanes {
        __m128 x, y, z, r, g, b;
    };

    static __m128 select(__m128 mask, __m128 a, __m128 b) {
        return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
    }

    const VertexSetup& s_;
    __m128 m_[16];
    __m128 nm_[9];
    __m128 minX_, maxX_, minY_, maxY_;
    std::array<LightLanes, kMaxLights> lights_;
    size_t lightCount_ = 0;
};
#endif

}  // namespace

PreparedLight prepareLight(const LightRecord& light, const ColorValue& diffuse) {
    PreparedLight p{};
    p.kind = light.kind;
    p.r = diffuse.r * light.color.r;
    p.g = diffuse.g * light.color.g;
    p.b = diffuse.b * light.color.b;
    const Vector3 d = normalise(light.direction);
    p.toLight = {-d.x, -d.y, -d.z};
    p.spotDir = d;
    p.position = light.position;
    p.range = light.range;
    p.a0 = light.attenuation0, p.a1 = light.attenuation1, p.a2 = light.attenuation2;
    p.cosInner = std::cos(light.theta / 2), p.cosOuter = std::cos(light.phi / 2);
    p.falloff = light.falloff;
    return p;
}

void transformVertices(const VertexSetup& setup, const Vertex* vertices, uint32_t count,
                       TransformedVertex* out, ClipStatus& extents) {
    const bool directionalOnly =
        std::all_of(setup.lights.begin(), setup.lights.end(),
                    [](const PreparedLight& p) { return p.kind == LightRecord::kDirectional; });
    uint32_t i = 0;
#if defined(__SSE2__)
    if (count >= 4 && FourWide::fits(setup)) {
        FourWide four(setup, extents);
        for (; i + 4 <= count; i += 4)
            four.run(vertices + i, out + i);
        four.finish(extents);
    }
#endif
    for (; i < count; ++i)
        transformOne(setup, !directionalOnly, vertices[i], out[i], extents);
}

}  // namespace marquill::platform::soft3d
