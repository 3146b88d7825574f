// A blit that repeats the last one copies only what changed in the source since: whatever
// happened to either surface in between, the target must end up equal to the source.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "Soft3DFixture.h"

namespace marquill::platform::soft3d {
namespace {

using testing::Scene;

Ref<Surface> plainSurface(DrawingObject& draw, uint32_t w, uint32_t h) {
    SurfaceDesc d;
    d.width = w;
    d.height = h;
    d.caps = SurfaceDesc::kOffscreenPlain | SurfaceDesc::kSystemMemory;
    d.hasPixelFormat = true;
    d.pixelFormat = PixelFormat::xrgb8888();
    Ref<Surface> s;
    EXPECT_EQ(draw.createSurface(d, s), kOk);
    return s;
}

uint32_t pixelAt(const Surface& s, int32_t x, int32_t y) {
    uint32_t v;
    std::memcpy(&v, s.row(uint32_t(y)) + size_t(x) * 4, 4);
    return v;
}

// The pixels of `to` over `at` equal those of `from` over the same-sized `source`.
int differences(const Surface& to, const Rect& at, const Surface& from, const Rect& source) {
    int wrong = 0;
    for (int32_t y = 0; y < at.height(); ++y) {
        for (int32_t x = 0; x < at.width(); ++x) {
            wrong += pixelAt(to, at.left + x, at.top + y) !=
                     pixelAt(from, source.left + x, source.top + y);
        }
    }
    return wrong;
}

TEST(Soft3DCopy, RepeatedBlitsKeepTheTargetEqualToTheSource) {
    Scene s(48, 40);
    Ref<Surface> screen = plainSurface(*s.draw, 80, 60);
    Surface& back = *s.target;
    std::mt19937 random(7);
    auto below = [&](int n) { return int(random() % uint32_t(n)); };
    auto someRect = [&](int w, int h) {
        const int l = below(w - 1), t = below(h - 1);
        return Rect{l, t, l + 1 + below(w - l), t + 1 + below(h - t)};
    };
    const Rect all = back.bounds();
    Rect at = all.offset(10, 12);
    for (int step = 0; step < 400; ++step) {
        switch (below(9)) {
            case 0: {  // the frame's clear, most often of everything
                const Rect r = below(3) == 0 ? someRect(48, 40) : all;
                ASSERT_EQ(back.colorFill(&r, below(2) ? 0xE47B04 : random()), kOk);
                break;
            }
            case 1: {  // drawing
                const float x = float(below(40)), y = float(below(32));
                ASSERT_EQ(s.draw3({s.at(x, y), s.at(x + 9, y + 2), s.at(x + 3, y + 8)}, {0, 1, 2}),
                          kOk);
                break;
            }
            case 2: {  // a locked write
                const Rect r = someRect(48, 40);
                LockedArea locked;
                ASSERT_EQ(back.lock(&r, locked), kOk);
                locked.bits[0] ^= 0x5A;
                ASSERT_EQ(back.unlock(), kOk);
                break;
            }
            case 3:  // a write through a row
                back.row(uint32_t(below(40)))[below(48) * 4] ^= 0x33;
                break;
            case 4: {  // something else drawn on the screen under the copy
                const Rect r = someRect(80, 60);
                ASSERT_EQ(screen->colorFill(&r, random()), kOk);
                break;
            }
            case 5:  // the window moved
                at = all.offset(below(32), below(20));
                break;
            default: {  // the present
                const Rect part = below(4) == 0 ? someRect(48, 40) : all;
                const Rect to = part.offset(at.left, at.top);
                ASSERT_EQ(screen->blt(&to, back, &part), kOk);
                ASSERT_EQ(differences(*screen, to, back, part), 0) << "step " << step;
                break;
            }
        }
    }
}

TEST(Soft3DCopy, AnotherSourceOrATargetGoneStartsAFullCopy) {
    Scene s(16, 16);
    Ref<Surface> screen = plainSurface(*s.draw, 16, 16);
    Ref<Surface> other = plainSurface(*s.draw, 16, 16);
    ASSERT_EQ(s.target->colorFill(nullptr, 0x111111), kOk);
    ASSERT_EQ(other->colorFill(nullptr, 0x222222), kOk);
    ASSERT_EQ(screen->blt(nullptr, *s.target, nullptr), kOk);
    ASSERT_EQ(screen->blt(nullptr, *other, nullptr), kOk);
    EXPECT_EQ(pixelAt(*screen, 5, 5), 0x222222u);
    ASSERT_EQ(screen->blt(nullptr, *s.target, nullptr), kOk);
    EXPECT_EQ(pixelAt(*screen, 5, 5), 0x111111u);
    {
        Ref<Surface> second = plainSurface(*s.draw, 16, 16);
        ASSERT_EQ(second->blt(nullptr, *s.target, nullptr), kOk);
        ASSERT_EQ(s.target->colorFill(nullptr, 0x333333), kOk);
    }  // the second target is gone while the source still remembers it
    ASSERT_EQ(screen->blt(nullptr, *s.target, nullptr), kOk);
    EXPECT_EQ(pixelAt(*screen, 5, 5), 0x333333u);
}

}  // namespace
}  // namespace marquill::platform::soft3d
