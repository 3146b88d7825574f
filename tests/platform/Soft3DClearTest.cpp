// A clear rewrites only what changed since the last one: every way of changing a surface must
// be noticed, or stale pixels survive the clear.
#include <gtest/gtest.h>

#include <vector>

#include "Soft3DFixture.h"

namespace marquill::platform::soft3d {
namespace {

using testing::Scene;

constexpr uint32_t kOrange = 0xE47B04;

void setOrangeBackground(Scene& s) {
    MaterialRecord m;
    m.diffuse = {228 / 255.0f, 123 / 255.0f, 4 / 255.0f, 1};
    s.background->setRecord(m);
    s.clear();
}

void expectCleared(const Scene& s, const char* after) {
    int wrong = 0, deep = 0;
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            wrong += s.pixel(x, y) != kOrange;
            deep += s.depthAt(x, y) != 0xFFFF;
        }
    }
    EXPECT_EQ(wrong, 0) << "colour pixels left over after " << after;
    EXPECT_EQ(deep, 0) << "depth values left over after " << after;
}

TEST(Soft3DClear, EveryChangeSinceTheLastClearIsUndone) {
    Scene s(40, 30);
    setOrangeBackground(s);
    expectCleared(s, "the first clear");

    const std::vector<Vertex> tri = {s.at(3, 3), s.at(20, 5), s.at(8, 25)};
    ASSERT_EQ(s.draw3(tri, {0, 1, 2}), kOk);
    ASSERT_NE(s.pixel(9, 9), kOrange);
    s.clear();
    expectCleared(s, "drawing");

    // Two draws far apart, then a clear, then one more draw and clear: the second clear must
    // still reach the first frame's far corner if it was never cleared.
    ASSERT_EQ(s.draw3({s.at(30, 20), s.at(39, 22), s.at(33, 29)}, {0, 1, 2}), kOk);
    ASSERT_EQ(s.draw3(tri, {0, 1, 2}), kOk);
    s.clear();
    expectCleared(s, "two draws");

    LockedArea locked;
    const Rect corner{35, 25, 40, 30};
    ASSERT_EQ(s.target->lock(&corner, locked), kOk);
    locked.bits[0] = 0x11;
    ASSERT_EQ(s.target->unlock(), kOk);
    s.clear();
    expectCleared(s, "a locked write");

    s.target->row(29)[39 * 4] = 0x22;
    s.clear();
    expectCleared(s, "a write through a row");

    const Rect strip{0, 10, 40, 12};
    ASSERT_EQ(s.target->colorFill(&strip, 0x123456), kOk);
    ASSERT_EQ(s.depth->colorFill(&strip, 0x1234), kOk);
    s.clear();
    expectCleared(s, "a fill with another value");

    SurfaceDesc desc = s.target->desc();
    desc.caps = SurfaceDesc::kOffscreenPlain | SurfaceDesc::kSystemMemory;
    Ref<Surface> other;
    ASSERT_EQ(s.draw->createSurface(desc, other), kOk);  // all zero
    const Rect from{0, 0, 4, 4}, to{36, 0, 40, 4};
    ASSERT_EQ(s.target->blt(&to, *other, &from), kOk);
    EXPECT_EQ(s.pixel(37, 1), 0u);
    s.clear();
    expectCleared(s, "a blit");
}

}  // namespace
}  // namespace marquill::platform::soft3d
