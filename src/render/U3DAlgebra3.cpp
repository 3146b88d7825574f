#include "render/U3DAlgebra3.h"

#include <cmath>
#include <sstream>
#include <utility>

namespace marquill::render {

Matrix4 Matrix4::translation(Vec3 t) {
    Matrix4 r;
    r.m_[12] = t.x;
    r.m_[13] = t.y;
    r.m_[14] = t.z;
    r.kind_ = MatrixKind::Translation;
    return r;
}

Matrix4 Matrix4::fromValues(const std::array<float, 16>& values) {
    Matrix4 r;
    r.m_ = values;
    r.kind_ = MatrixKind::General;
    return r;
}

Matrix4 Matrix4::rotation(int axis, float angle) {
    const float s = std::sin(angle), c = std::cos(angle);
    switch (axis) {
        case 0:
            return fromValues({1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1});
        case 1:
            return fromValues({c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1});
        case 2:
            return fromValues({c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
        default:
            return fromValues(Matrix4().m_);
    }
}

Matrix4 Matrix4::operator*(const Matrix4& b) const {
    if (kind_ == MatrixKind::Identity) return b;
    if (b.kind_ == MatrixKind::Identity) return *this;
    Matrix4 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float s = 0;
            for (int k = 0; k < 4; ++k)
                s += at(i, k) * b.at(k, j);
            r.m_[size_t(i * 4 + j)] = s;
        }
    }
    r.kind_ = kind_ == MatrixKind::Translation && b.kind_ == MatrixKind::Translation
                  ? MatrixKind::Translation
                  : MatrixKind::General;
    return r;
}

Vec3 Matrix4::transformPoint(Vec3 p) const {
    if (kind_ == MatrixKind::Identity) return p;
    if (kind_ == MatrixKind::Translation) return {p.x + m_[12], p.y + m_[13], p.z + m_[14]};
    Vec3 r{p.x * m_[0] + p.y * m_[4] + p.z * m_[8] + m_[12],
           p.x * m_[1] + p.y * m_[5] + p.z * m_[9] + m_[13],
           p.x * m_[2] + p.y * m_[6] + p.z * m_[10] + m_[14]};
    const float w = p.x * m_[3] + p.y * m_[7] + p.z * m_[11] + m_[15];
    // A point at infinity cannot be divided; it is returned undivided rather than as infinities.
    if (w != 0.0f && w != 1.0f) r = {r.x / w, r.y / w, r.z / w};
    return r;
}

std::optional<Matrix4> Matrix4::inverse() const {
    if (kind_ == MatrixKind::Identity) return *this;
    if (kind_ == MatrixKind::Translation) return translation({-m_[12], -m_[13], -m_[14]});
    double a[4][8];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            a[i][j] = at(i, j);
            a[i][j + 4] = i == j ? 1.0 : 0.0;
        }
    }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r) {
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        }
        if (a[pivot][col] == 0.0) return std::nullopt;
        if (pivot != col) std::swap(a[pivot], a[col]);
        const double inv = 1.0 / a[col][col];
        for (double& v : a[col])
            v *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == col || a[r][col] == 0.0) continue;
            const double f = a[r][col];
            for (int j = 0; j < 8; ++j)
                a[r][j] -= f * a[col][j];
        }
    }
    std::array<float, 16> out{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            out[size_t(i * 4 + j)] = float(a[i][j + 4]);
    }
    return fromValues(out);
}

std::string Matrix4::toText() const {
    std::ostringstream s;
    s.precision(9);
    for (int i = 0; i < 16; ++i)
        s << (i ? (i % 4 == 0 ? "\n" : " ") : "") << m_[size_t(i)];
    s << "\n";
    return s.str();
}

std::optional<Matrix4> Matrix4::fromText(std::string_view text) {
    std::istringstream s{std::string(text)};
    std::array<float, 16> v{};
    for (float& f : v) {
        if (!(s >> f)) return std::nullopt;
    }
    return fromValues(v);
}

}  // namespace marquill::render
