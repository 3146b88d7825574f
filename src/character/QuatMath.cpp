#include "character/QuatMath.h"

#include <cmath>

namespace marquill::character {

Quat hamilton(const Quat& a, const Quat& b) {
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y + a.y * b.w + a.z * b.x - a.x * b.z,
            a.w * b.z + a.z * b.w + a.x * b.y - a.y * b.x,
            a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

Quat conjugate(const Quat& q) {
    return {-q.x, -q.y, -q.z, q.w};
}

float dot(const Quat& a, const Quat& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

std::array<float, 9> rotationMatrix(const Quat& q) {
    const float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
    const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
    const float xw = q.x * q.w, yw = q.y * q.w, zw = q.z * q.w;
    return {1 - 2 * yy - 2 * zz, 2 * xy - 2 * zw,     2 * xz + 2 * yw,
            2 * xy + 2 * zw,     1 - 2 * xx - 2 * zz, 2 * yz - 2 * xw,
            2 * xz - 2 * yw,     2 * yz + 2 * xw,     1 - 2 * xx - 2 * yy};
}

Vec3 rotate(const std::array<float, 9>& m, const Vec3& v) {
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[3] * v.x + m[4] * v.y + m[5] * v.z,
            m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

std::optional<Quat> blendRotation(const Quat& a, float t, const Quat& b) {
    if (t >= 0.99f || t <= 0.01f) {
        if (std::fabs(t - 1.0f) <= 0.01f) return a;
        if (std::fabs(t) <= 0.01f) return b;
        return std::nullopt;
    }
    const float u = dot(a, b) < 0 ? -(1.0f - t) : 1.0f - t;
    Quat r{t * a.x + u * b.x, t * a.y + u * b.y, t * a.z + u * b.z, t * a.w + u * b.w};
    const float lengthSquared = dot(r, r);
    if (std::fabs(lengthSquared - 1.0f) > 0.00001f) {
        const float length = std::sqrt(lengthSquared);
        if (length < 1e-12f) return Quat{};
        r = {r.x / length, r.y / length, r.z / length, r.w / length};
    }
    return r;
}

}  // namespace marquill::character
