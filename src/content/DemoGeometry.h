#pragma once
// Small vector and rotation helpers for the demo character content.
#include <cmath>

#include "character/CharacterRecords.h"

namespace marquill::content::demo {

using character::Quat;
using character::Vec3;

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline Vec3 normalised(Vec3 v) {
    float len = std::sqrt(dot(v, v));
    return len > 1e-12f ? v * (1.0f / len) : Vec3{0, 1, 0};
}

constexpr float kPi = 3.14159265358979f;
inline float radians(float degrees) {
    return degrees * kPi / 180.0f;
}

// The Hamilton product, a then b applied as R(a) R(b).
inline Quat operator*(Quat a, Quat b) {
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y + a.y * b.w + a.z * b.x - a.x * b.z,
            a.w * b.z + a.z * b.w + a.x * b.y - a.y * b.x,
            a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}
inline Quat conjugate(Quat q) {
    return {-q.x, -q.y, -q.z, q.w};
}
inline Quat axisAngle(Vec3 axis, float degrees) {
    Vec3 a = normalised(axis);
    float h = radians(degrees) * 0.5f;
    float s = std::sin(h);
    return {a.x * s, a.y * s, a.z * s, std::cos(h)};
}
inline Quat rotX(float degrees) {
    return axisAngle({1, 0, 0}, degrees);
}
inline Quat rotY(float degrees) {
    return axisAngle({0, 1, 0}, degrees);
}
inline Quat rotZ(float degrees) {
    return axisAngle({0, 0, 1}, degrees);
}
inline Vec3 rotate(Quat q, Vec3 v) {
    Quat p{v.x, v.y, v.z, 0};
    Quat r = q * p * conjugate(q);
    return {r.x, r.y, r.z};
}
inline Quat normalisedQuat(Quat q) {
    float len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    return {q.x / len, q.y / len, q.z / len, q.w / len};
}
// Spherical blend from a (t = 0) to b (t = 1) along the shorter way.
inline Quat slerp(Quat a, Quat b, float t) {
    float d = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    if (d < 0) {
        b = {-b.x, -b.y, -b.z, -b.w};
        d = -d;
    }
    if (d > 0.9995f)
        return normalisedQuat({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t,
                               a.w + (b.w - a.w) * t});
    float theta = std::acos(d);
    float sa = std::sin((1 - t) * theta) / std::sin(theta);
    float sb = std::sin(t * theta) / std::sin(theta);
    return {a.x * sa + b.x * sb, a.y * sa + b.y * sb, a.z * sa + b.z * sb, a.w * sa + b.w * sb};
}
inline float smoothstep(float t) {
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return t * t * (3 - 2 * t);
}

}  // namespace marquill::content::demo
