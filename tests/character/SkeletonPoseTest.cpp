#include <gtest/gtest.h>

#include <cmath>

#include "character/QuatMath.h"
#include "character/SkeletonPose.h"

namespace marquill::character {
namespace {

const float kHalfSqrt2 = std::sqrt(0.5f);

void expectQuat(const Quat& expected, const Quat& actual) {
    EXPECT_NEAR(expected.x, actual.x, 1e-5f);
    EXPECT_NEAR(expected.y, actual.y, 1e-5f);
    EXPECT_NEAR(expected.z, actual.z, 1e-5f);
    EXPECT_NEAR(expected.w, actual.w, 1e-5f);
}

void expectVec(const Vec3& expected, const Vec3& actual) {
    EXPECT_NEAR(expected.x, actual.x, 1e-5f);
    EXPECT_NEAR(expected.y, actual.y, 1e-5f);
    EXPECT_NEAR(expected.z, actual.z, 1e-5f);
}

// Bones in order; each parent index must come before its child, as the reader builds them.
Skeleton chain(const std::vector<int>& parents) {
    Skeleton s;
    for (size_t i = 0; i < parents.size(); ++i) {
        Bone b;
        b.name = "B" + std::to_string(i);
        b.nameId = static_cast<int>(i);
        const int parent = parents[i];
        if (parent < 0) {
            b.nextSibling = s.root;
            s.root = static_cast<int>(i);
        } else {
            b.parent = parent;
            b.nextSibling = s.bones[static_cast<size_t>(parent)].firstChild;
            s.bones[static_cast<size_t>(parent)].firstChild = static_cast<int>(i);
        }
        s.bones.push_back(b);
    }
    return s;
}

TEST(QuatMath, HamiltonProductComposesRotations) {
    auto unit = [](Quat q) {
        const float l = std::sqrt(dot(q, q));
        return Quat{q.x / l, q.y / l, q.z / l, q.w / l};
    };
    const Quat a = unit({0.1f, 0.7f, -0.2f, 0.68f});
    const Quat b = unit({-0.5f, 0.1f, 0.3f, 0.8f});
    const auto product = rotationMatrix(hamilton(a, b));
    const auto ma = rotationMatrix(a);
    const auto mb = rotationMatrix(b);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            float sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += ma[r * 3 + k] * mb[k * 3 + c];
            EXPECT_NEAR(sum, product[r * 3 + c], 1e-5f);
        }
    expectQuat(Quat{}, hamilton(a, conjugate(a)));
}

TEST(QuatMath, RotationAboutZTurnsXIntoY) {
    const Quat quarterZ{0, 0, kHalfSqrt2, kHalfSqrt2};
    expectVec({0, 1, 0}, rotate(rotationMatrix(quarterZ), {1, 0, 0}));
}

TEST(QuatMath, BlendSnapsAtTheEndsAndKeepsOutsideThem) {
    const Quat a{0, 0, kHalfSqrt2, kHalfSqrt2};
    const Quat b{};
    expectQuat(a, *blendRotation(a, 0.995f, b));
    expectQuat(b, *blendRotation(a, 0.005f, b));
    EXPECT_FALSE(blendRotation(a, 1.5f, b).has_value());
    EXPECT_FALSE(blendRotation(a, -0.5f, b).has_value());
}

TEST(QuatMath, BlendTakesTheShortWayAndNormalises) {
    const Quat a{0, 0, kHalfSqrt2, kHalfSqrt2};
    const Quat b{0, 0, 0, -1};  // the identity, written with the opposite sign
    const Quat r = *blendRotation(a, 0.5f, b);
    EXPECT_NEAR(1.0f, dot(r, r), 1e-5f);
    // Half-way between the identity and a quarter turn is an eighth turn, not the long way.
    const float angle = 2 * std::acos(std::fabs(r.w));
    EXPECT_NEAR(std::acos(-1.0f) / 4, angle, 1e-4f);
    expectQuat(Quat{}, *blendRotation(Quat{0, 0, 0, 0}, 0.5f, Quat{0, 0, 0, 0}));
}

TEST(SkeletonPose, IdentityChildTakesItsParentsRotation) {
    Skeleton s = chain({-1, 0});
    s.bones[0].rotation = {kHalfSqrt2, 0, 0, kHalfSqrt2};
    s.bones[1].translation = {0, 1, 0};
    updatePose(s);
    expectQuat(s.bones[0].worldRotation, s.bones[1].worldRotation);
    // The child's offset is turned by the parent: a quarter turn about -x takes +y to -z.
    expectVec({0, 0, -1}, s.bones[1].worldPosition);
}

TEST(SkeletonPose, StoredRotationsAreConjugated) {
    Skeleton s = chain({-1});
    const Quat stored{0, 0, kHalfSqrt2, kHalfSqrt2};
    s.bones[0].rotation = stored;
    s.bones[0].translation = {1, 2, 3};
    updatePose(s);
    expectQuat(conjugate(stored), s.bones[0].worldRotation);
    expectVec({1, 2, 3}, s.bones[0].worldPosition);
    // The matrix is the transpose of R(world rotation), which is R(stored).
    const auto expected = rotationMatrix(stored);
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(expected[i], s.bones[0].worldMatrix[i], 1e-6f);
}

TEST(SkeletonPose, PosesOnlyWhatChangedAndClearsTheMarks) {
    // 1 the root (a bone whose parent is unknown took over, 0 is its sibling and not posed);
    // 2 and 3 children of 1; 4 under 2.
    Skeleton s = chain({-1, -1, 1, 1, 2});
    ASSERT_EQ(1, s.root);
    updatePose(s);
    EXPECT_FALSE(s.changed);
    for (const Bone& b : s.bones)
        EXPECT_FALSE(b.localChanged);
    EXPECT_EQ(0u, s.bones[0].changeCount);
    EXPECT_EQ(1u, s.bones[4].changeCount);

    updatePose(s);  // nothing changed
    EXPECT_EQ(1u, s.bones[1].changeCount);

    s.bones[2].rotation = {0, kHalfSqrt2, 0, kHalfSqrt2};
    s.bones[2].localChanged = true;
    updatePose(s);
    EXPECT_EQ(1u, s.bones[1].changeCount);
    EXPECT_EQ(2u, s.bones[2].changeCount);
    EXPECT_EQ(1u, s.bones[3].changeCount);
    EXPECT_EQ(2u, s.bones[4].changeCount);
    expectQuat(s.bones[2].worldRotation, s.bones[4].worldRotation);

    s.changed = true;
    updatePose(s);
    EXPECT_EQ(2u, s.bones[3].changeCount);
    EXPECT_EQ(0u, s.bones[0].changeCount);
}

}  // namespace
}  // namespace marquill::character
