#include "platform/soft3d/Rasteriser.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "platform/soft3d/RasterSetup.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marquill::platform::soft3d {
namespace {

using namespace raster;

constexpr int kSubBits = 4;
constexpr int64_t kSub = 1 << kSubBits;
constexpr int64_t kHalf = kSub / 2;
// Snapped coordinates stay far inside what the 64-bit edge products can hold.
constexpr float kCoordLimit = 1 << 20;

inline bool powerOfTwo(uint32_t v) {
    return v != 0 && (v & (v - 1)) == 0;
}

// Division by the grid step rounded down and up (the shift of a negative value is arithmetic).
inline int64_t floorSub(int64_t a) {
    return a >> kSubBits;
}
inline int64_t ceilSub(int64_t a) {
    return -(-a >> kSubBits);
}

// Positions on the 1/16-pixel grid, rounded half away from zero; anything beyond the limit, and
// NaN, snaps to 0.
inline void snap(const RasterVertex* const p[3], int64_t x[3], int64_t y[3]) {
#if defined(__SSE2__)
    auto xy = [](const RasterVertex* v) {
        return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&v->x)));
    };
    const __m128 a = _mm_movelh_ps(xy(p[0]), xy(p[1])), b = xy(p[2]);
    auto grid = [](__m128 v) {
        const __m128 inRange = _mm_and_ps(_mm_cmpgt_ps(v, _mm_set1_ps(-kCoordLimit)),
                                          _mm_cmplt_ps(v, _mm_set1_ps(kCoordLimit)));
        const __m128 f = _mm_mul_ps(v, _mm_set1_ps(float(kSub)));
        const __m128 up = _mm_cmpge_ps(f, _mm_setzero_ps());
        const __m128 half =
            _mm_or_ps(_mm_and_ps(up, _mm_set1_ps(0.5f)), _mm_andnot_ps(up, _mm_set1_ps(-0.5f)));
        // Within the limit the value fits 32 bits, where truncation is the same as in 64.
        return _mm_and_si128(_mm_cvttps_epi32(_mm_add_ps(f, half)), _mm_castps_si128(inRange));
    };
    alignas(16) int32_t ga[4], gb[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(ga), grid(a));
    _mm_store_si128(reinterpret_cast<__m128i*>(gb), grid(b));
    x[0] = ga[0], y[0] = ga[1], x[1] = ga[2], y[1] = ga[3], x[2] = gb[0], y[2] = gb[1];
#else
    auto grid = [](float v) -> int64_t {
        if (!(v > -kCoordLimit && v < kCoordLimit)) return 0;
        const float f = v * float(kSub);
        return int64_t(f + (f >= 0 ? 0.5f : -0.5f));
    };
    for (int i = 0; i < 3; ++i)
        x[i] = grid(p[i]->x), y[i] = grid(p[i]->y);
#endif
}

// The attribute planes: values at the centre of (minX, minY) and steps per pixel right and down.
// values[i] holds the attributes of p[i] in Attr order. Returns whether every value is within
// kFastRange.
inline bool planes(const float (&values)[3][kAttrCount], float ex1, float ey1, float ex2, float ey2,
                   float invArea, float sx, float sy, Setup& s) {
#if defined(__SSE2__)
    static_assert(kAttrCount == 8);
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    const __m128 limit = _mm_set1_ps(kFastRange);
    __m128 inRange = _mm_castsi128_ps(_mm_set1_epi32(-1));
    auto check = [&](__m128 v) {
        inRange = _mm_and_ps(inRange, _mm_cmplt_ps(_mm_and_ps(v, magnitude), limit));
    };
    for (int h = 0; h < kAttrCount; h += 4) {
        const __m128 v0 = _mm_loadu_ps(values[0] + h);
        const __m128 d1 = _mm_sub_ps(_mm_loadu_ps(values[1] + h), v0);
        const __m128 d2 = _mm_sub_ps(_mm_loadu_ps(values[2] + h), v0);
        const __m128 gx = _mm_mul_ps(
            _mm_sub_ps(_mm_mul_ps(d1, _mm_set1_ps(ey2)), _mm_mul_ps(d2, _mm_set1_ps(ey1))),
            _mm_set1_ps(invArea));
        const __m128 gy = _mm_mul_ps(
            _mm_sub_ps(_mm_mul_ps(d2, _mm_set1_ps(ex1)), _mm_mul_ps(d1, _mm_set1_ps(ex2))),
            _mm_set1_ps(invArea));
        const __m128 base = _mm_add_ps(_mm_add_ps(v0, _mm_mul_ps(gx, _mm_set1_ps(sx))),
                                       _mm_mul_ps(gy, _mm_set1_ps(sy)));
        _mm_store_ps(s.dx + h, gx);
        _mm_store_ps(s.dy + h, gy);
        _mm_store_ps(s.base + h, base);
        check(gx), check(gy), check(base);
    }
    return _mm_movemask_ps(inRange) == 0xF;
#else
    float largest = 0;  // a NaN sticks, as no comparison with it is true
    for (int i = 0; i < kAttrCount; ++i) {
        const float d1 = values[1][i] - values[0][i], d2 = values[2][i] - values[0][i];
        const float gx = (d1 * ey2 - d2 * ey1) * invArea;
        const float gy = (d2 * ex1 - d1 * ex2) * invArea;
        s.dx[i] = gx;
        s.dy[i] = gy;
        s.base[i] = values[0][i] + gx * sx + gy * sy;
        for (float v : {s.base[i], s.dx[i], s.dy[i]}) {
            const float m = std::fabs(v);
            largest = m < largest ? largest : m;
        }
    }
    return largest < kFastRange;
#endif
}

// The edge functions: at the centre (cx, cy) of the box's first pixel, biased by the fill rule,
// and their steps. With this winding the inside lies to the right of each edge going clockwise
// on screen; top edges run rightwards and left edges upwards.
inline void edges(const int64_t x[3], const int64_t y[3], int64_t cx, int64_t cy, Setup& s) {
    for (int i = 0; i < 3; ++i) {
        const int a = i, b = (i + 1) % 3;
        const int64_t dx = x[b] - x[a], dy = y[b] - y[a];
        const int64_t topLeft = int64_t(dy < 0) | (int64_t(dy == 0) & int64_t(dx > 0));
        s.e[i] = dx * (cy - y[a]) - dy * (cx - x[a]) - (1 - topLeft);
        s.stepX[i] = -dy * kSub;
        s.stepY[i] = dx * kSub;
    }
}

// The same in 32 bits for a triangle near a target within the fast path's side limit: every
// difference of positions then fits 16 bits, so one multiply-add gives each edge exactly.
inline void edges32(const int64_t x[3], const int64_t y[3], int64_t cx, int64_t cy, Setup& s) {
#if defined(__SSE2__)
    const __m128i px = _mm_setr_epi32(int32_t(x[0]), int32_t(x[1]), int32_t(x[2]), 0);
    const __m128i py = _mm_setr_epi32(int32_t(y[0]), int32_t(y[1]), int32_t(y[2]), 0);
    // Lane i runs from vertex i to vertex i + 1.
    const __m128i dx = _mm_sub_epi32(_mm_shuffle_epi32(px, _MM_SHUFFLE(3, 0, 2, 1)), px);
    const __m128i dy = _mm_sub_epi32(_mm_shuffle_epi32(py, _MM_SHUFFLE(3, 0, 2, 1)), py);
    const __m128i zero = _mm_setzero_si128(), low = _mm_set1_epi32(0xFFFF);
    const __m128i relX = _mm_sub_epi32(_mm_set1_epi32(int32_t(cx)), px);
    const __m128i relY = _mm_sub_epi32(_mm_set1_epi32(int32_t(cy)), py);
    // dx * relY + (-dy) * relX, from 16-bit halves.
    const __m128i e = _mm_madd_epi16(
        _mm_or_si128(_mm_and_si128(dx, low), _mm_slli_epi32(_mm_sub_epi32(zero, dy), 16)),
        _mm_or_si128(_mm_and_si128(relY, low), _mm_slli_epi32(relX, 16)));
    const __m128i topLeft =
        _mm_or_si128(_mm_cmpgt_epi32(zero, dy),
                     _mm_and_si128(_mm_cmpeq_epi32(dy, zero), _mm_cmpgt_epi32(dx, zero)));
    const __m128i three = _mm_setr_epi32(-1, -1, -1, 0);
    const __m128i biased =
        _mm_and_si128(_mm_sub_epi32(_mm_sub_epi32(e, _mm_set1_epi32(1)), topLeft), three);
    _mm_store_si128(reinterpret_cast<__m128i*>(s.edge), biased);
    _mm_store_si128(reinterpret_cast<__m128i*>(s.edgeX),
                    _mm_sub_epi32(zero, _mm_slli_epi32(dy, kSubBits)));
    _mm_store_si128(reinterpret_cast<__m128i*>(s.edgeY), _mm_slli_epi32(dx, kSubBits));
#else
    edges(x, y, cx, cy, s);
    for (int i = 0; i < 3; ++i) {
        s.edge[i] = int32_t(s.e[i]), s.edgeX[i] = int32_t(s.stepX[i]);
        s.edgeY[i] = int32_t(s.stepY[i]);
    }
    s.edge[3] = s.edgeX[3] = s.edgeY[3] = 0;
#endif
}

}  // namespace

TriangleFiller::TriangleFiller(const RasterTarget& target, const RasterState& state)
    : target_(target),
      state_(state),
      texels_(state.texels != nullptr && state.texWidth > 0 && state.texHeight > 0 ? state.texels
                                                                                   : nullptr),
      pow2_(powerOfTwo(state.texWidth) && powerOfTwo(state.texHeight)),
      smallTarget_(target.scissor.right <= kFastSide && target.scissor.bottom <= kFastSide),
      fast_(nullptr) {
    if (texels_ && pow2_ && !state.bilinear && state.modulate && !state.blend && state.depthTest &&
        state.depthWrite && target.depth != nullptr)
        fast_ = fastFillFor(target.kind, state.texWidth, state.texHeight);
}

void TriangleFiller::draw(const RasterVertex& v0, const RasterVertex& v1, const RasterVertex& v2) {
    const RasterVertex* p[3] = {&v0, &v1, &v2};
    int64_t x[3], y[3];
    snap(p, x, y);
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
    const RasterTarget& target = target_;
    // Pixel (px, py) has its centre at (px + 1/2, py + 1/2).
    const int64_t minX = std::max<int64_t>(target.scissor.left, ceilSub(minXf - kHalf));
    const int64_t ownMaxX = floorSub(maxXf - kHalf);
    const int64_t maxX = std::min<int64_t>(target.scissor.right - 1, ownMaxX);
    const int64_t minY = std::max<int64_t>(target.scissor.top, ceilSub(minYf - kHalf));
    const int64_t maxY = std::min<int64_t>(target.scissor.bottom - 1, floorSub(maxYf - kHalf));
    if (minX > maxX || minY > maxY) return;
    s.minX = int32_t(minX), s.maxX = int32_t(maxX), s.minY = int32_t(minY), s.maxY = int32_t(maxY);
    s.clippedRight = maxX != ownMaxX;
    drawnLeft_ = std::min(drawnLeft_, s.minX), drawnTop_ = std::min(drawnTop_, s.minY);
    drawnRight_ = std::max(drawnRight_, s.maxX), drawnBottom_ = std::max(drawnBottom_, s.maxY);

    const int64_t cx = minX * kSub + kHalf, cy = minY * kSub + kHalf;
    // Vertices near the target keep the fast path's 32-bit edge values far from overflow.
    const bool small = smallTarget_ && minXf > -64 * kSub && maxXf < (kFastSide + 64) * kSub &&
                       minYf > -64 * kSub && maxYf < (kFastSide + 64) * kSub;
    if (small) {
        edges32(x, y, cx, cy, s);
    } else {
        edges(x, y, cx, cy, s);
    }

    const bool perspective =
        texels_ && state_.perspective && !(p[0]->invW == p[1]->invW && p[0]->invW == p[2]->invW);
    static_assert(offsetof(RasterVertex, v) - offsetof(RasterVertex, z) ==
                  (kAttrCount - 1) * sizeof(float));
    alignas(16) float values[3][kAttrCount];
    // Depth to texture coordinates lie in Attr order in the vertex.
    std::memcpy(values[0], &p[0]->z, sizeof(values[0]));
    std::memcpy(values[1], &p[1]->z, sizeof(values[1]));
    std::memcpy(values[2], &p[2]->z, sizeof(values[2]));
    if (state_.flat || perspective) {
        for (int i = 0; i < 3; ++i) {
            const RasterVertex& v = *p[i];
            if (state_.flat) {
                values[i][kR] = v0.r, values[i][kG] = v0.g, values[i][kB] = v0.b;
                values[i][kA] = v0.a;
            }
            if (perspective) values[i][kU] = v.u * v.invW, values[i][kV] = v.v * v.invW;
        }
    }
    const float fx0 = float(x[0]) / kSub, fy0 = float(y[0]) / kSub;
    const float ex1 = float(x[1] - x[0]) / kSub, ey1 = float(y[1] - y[0]) / kSub;
    const float ex2 = float(x[2] - x[0]) / kSub, ey2 = float(y[2] - y[0]) / kSub;
    const float invArea = float(kSub * kSub) / float(area);
    const float sx = float(minX) + 0.5f - fx0, sy = float(minY) + 0.5f - fy0;
    // Attributes a triangle does not use are computed and ignored.
    const bool inRange = planes(values, ex1, ey1, ex2, ey2, invArea, sx, sy, s);

    const Texture tex{texels_, state_.texWidth, state_.texHeight, pow2_, state_.bilinear};
    if (fast_ && !perspective && small && inRange) {
        fast_(target, s, tex);
        return;
    }
    if (small) {
        for (int i = 0; i < 3; ++i)
            s.e[i] = s.edge[i], s.stepX[i] = s.edgeX[i], s.stepY[i] = s.edgeY[i];
    }
    fillGeneral(target, state_, s, tex, perspective);
}

void rasteriseTriangle(const RasterTarget& target, const RasterState& state, const RasterVertex& v0,
                       const RasterVertex& v1, const RasterVertex& v2) {
    TriangleFiller(target, state).draw(v0, v1, v2);
}

}  // namespace marquill::platform::soft3d
