#include "render/UpdateRectList.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace marquill::render {
namespace {

TEST(UpdateRectList, AddAlignsHorizontalEdgesToFourPixels) {
    UpdateRectList l;
    l.add({3, 0, 5, 10});
    ASSERT_EQ(l.rects().size(), 1u);
    EXPECT_EQ(l.rects()[0], (Rect{0, 0, 8, 10}));
    l.add({-3, 20, 1, 30});
    EXPECT_EQ(l.rects()[1], (Rect{-4, 20, 4, 30}));
}

TEST(UpdateRectList, AddSkipsEmptyAndContainedAndDropsWhatItContains) {
    UpdateRectList l;
    l.add({0, 0, 8, 10});
    l.add({0, 0, 8, 10});
    l.add({4, 2, 8, 6});
    l.add({10, 10, 10, 20});
    EXPECT_EQ(l.rects().size(), 1u) << "equal, contained and empty rectangles add nothing";
    l.add({20, 0, 24, 4});
    l.add({-4, -4, 12, 12});
    ASSERT_EQ(l.rects().size(), 2u);
    EXPECT_EQ(l.rects()[1], (Rect{-4, -4, 12, 12}));
    l.setEnabled(false);
    l.add({100, 100, 120, 120});
    EXPECT_EQ(l.rects().size(), 2u) << "switched off, adding does nothing";
}

TEST(UpdateRectList, AdjacentRectanglesDoNotOverlap) {
    EXPECT_FALSE(UpdateRectList::overlaps({0, 0, 8, 8}, {8, 0, 16, 8}));
    EXPECT_FALSE(UpdateRectList::overlaps({0, 0, 8, 8}, {0, 8, 8, 16}));
    EXPECT_TRUE(UpdateRectList::overlaps({0, 0, 8, 8}, {7, 7, 16, 16}));
}

TEST(UpdateRectList, MergeChoosesTheCheaperCoverOfOverlappingCorners) {
    UpdateRectList l;
    l.add({0, 0, 100, 100});
    l.add({52, 52, 152, 152});
    l.merge();
    // The bounding box (152 x 152 + 10000) beats every split of the L-shaped remainder.
    ASSERT_EQ(l.rects().size(), 1u);
    EXPECT_EQ(l.rects()[0], (Rect{0, 0, 152, 152}));

    UpdateRectList far;
    far.add({0, 0, 400, 400});
    far.add({396, 396, 800, 800});
    far.merge();
    // Here the box would add a large empty area: the pair becomes non-overlapping pieces.
    EXPECT_GT(far.rects().size(), 1u);
    double total = 0;
    for (const Rect& r : far.rects())
        total += double(r.width()) * r.height();
    EXPECT_EQ(total, 400.0 * 400 + 404.0 * 404 - 16) << "exactly the union, no overlap";
}

TEST(UpdateRectList, TwoCornersInsideTrimTheSecondToItsOutsidePart) {
    UpdateRectList l;
    l.add({0, 0, 100, 100});
    l.add({20, 80, 60, 140});
    l.merge();
    ASSERT_EQ(l.rects().size(), 2u);
    EXPECT_EQ(l.rects()[1], (Rect{20, 100, 60, 140}));
}

TEST(UpdateRectList, MergeAndClipKeepCoveringEveryPixelOfTheUnion) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pos(0, 60), size(1, 30);
    for (int round = 0; round < 200; ++round) {
        UpdateRectList l;
        std::set<std::pair<int, int>> before;
        const int n = 2 + round % 12;
        for (int i = 0; i < n; ++i) {
            const int x = pos(rng), y = pos(rng);
            const Rect r{x, y, x + size(rng), y + size(rng)};
            l.add(r);
        }
        for (const Rect& r : l.rects()) {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    before.insert({x, y});
        }
        l.merge();
        std::set<std::pair<int, int>> after;
        for (const Rect& r : l.rects()) {
            ASSERT_FALSE(r.empty());
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    after.insert({x, y});
        }
        for (const auto& p : before)
            ASSERT_TRUE(after.count(p)) << "round " << round;
        const Rect bounds{10, 10, 50, 50};
        l.clip(bounds);
        for (const Rect& r : l.rects()) {
            ASSERT_FALSE(r.empty());
            ASSERT_EQ(r.intersect(bounds), r);
        }
        for (const auto& p : before) {
            if (p.first < 10 || p.first >= 50 || p.second < 10 || p.second >= 50) continue;
            bool covered = false;
            for (const Rect& r : l.rects())
                covered |= p.first >= r.left && p.first < r.right && p.second >= r.top &&
                           p.second < r.bottom;
            ASSERT_TRUE(covered);
        }
    }
}

TEST(UpdateRectList, NinthAdditionMergesTheList) {
    UpdateRectList l;
    for (int i = 0; i < 8; ++i)
        l.add({i * 8, 0, i * 8 + 8, 8});
    EXPECT_FALSE(l.merged());
    l.add({100, 0, 108, 8});
    EXPECT_TRUE(l.merged());
}

}  // namespace
}  // namespace marquill::render
