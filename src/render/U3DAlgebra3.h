#pragma once
// The renderer's matrix library: 4x4 float matrices for row vectors (p x M, translation in the
// fourth row) with a kind tag that lets products and transforms skip work.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace marquill::render {

struct Vec3 {
    float x = 0, y = 0, z = 0;
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

enum class MatrixKind : uint32_t { General = 0, Identity = 1, Translation = 2 };

class Matrix4 {
  public:
    Matrix4() = default;  // the identity
    static Matrix4 translation(Vec3 t);
    static Matrix4 fromValues(const std::array<float, 16>& values);  // kind General
    // About axis 0 (x), 1 (y) or 2 (z); any other axis gives the identity. Kind General.
    static Matrix4 rotation(int axis, float angle);

    [[nodiscard]] float at(int row, int col) const { return m_[size_t(row * 4 + col)]; }
    [[nodiscard]] const std::array<float, 16>& values() const { return m_; }
    [[nodiscard]] MatrixKind kind() const { return kind_; }

    [[nodiscard]] Matrix4 operator*(const Matrix4& b) const;
    // p x M with the homogeneous divide (skipped when w is 0 or 1).
    [[nodiscard]] Vec3 transformPoint(Vec3 p) const;
    // Gauss-Jordan elimination with partial pivoting; empty when a pivot is exactly zero.
    [[nodiscard]] std::optional<Matrix4> inverse() const;

    [[nodiscard]] std::string toText() const;
    [[nodiscard]] static std::optional<Matrix4> fromText(std::string_view text);

    friend bool operator==(const Matrix4&, const Matrix4&) = default;

  private:
    std::array<float, 16> m_ = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    MatrixKind kind_ = MatrixKind::Identity;
};

inline constexpr const char* kAlgebraError = "U3DAlgebra3 error";

}  // namespace marquill::render
