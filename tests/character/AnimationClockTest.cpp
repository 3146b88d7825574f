#include "character/AnimationClock.h"

#include <gtest/gtest.h>

namespace marquill::character {
namespace {

TEST(AnimationClock, FollowsTheSystemClockButStepsAtMostASecond) {
    AnimationClock& clock = AnimationClock::instance();
    clock.reset(50000);
    clock.advance(50010);  // nothing is allowed before the first tick
    EXPECT_EQ(0, clock.now());
    clock.advance(50020);
    EXPECT_EQ(10, clock.now());
    EXPECT_EQ(10, clock.delta());
    clock.advance(55020);  // a five-second stall
    EXPECT_EQ(1010, clock.now());
    EXPECT_EQ(1000, clock.delta());
    clock.advance(55030);  // carries on from where the stall left it
    EXPECT_EQ(1020, clock.now());
    EXPECT_EQ(55030, clock.lastReal());
    EXPECT_EQ(1020 - 55030, clock.offset());
    EXPECT_EQ(4, clock.ticks());
    EXPECT_EQ(1000, clock.maximumStep());
}

TEST(AnimationClock, TheFirstTickAfterAPauseDoesNotMove) {
    AnimationClock& clock = AnimationClock::instance();
    clock.reset(1000);
    clock.advance(1000);
    clock.advance(1100);
    ASSERT_EQ(100, clock.now());
    clock.hold();
    EXPECT_EQ(0, clock.maximumStep());
    clock.advance(1400);
    EXPECT_EQ(100, clock.now());
    EXPECT_EQ(0, clock.delta());
    clock.advance(1410);
    EXPECT_EQ(110, clock.now());
}

TEST(AnimationClock, SurvivesTheSystemCounterWrapping) {
    AnimationClock& clock = AnimationClock::instance();
    clock.reset(0xFFFFFFF0u);
    clock.advance(0xFFFFFFF0u);
    clock.advance(0x10u);
    EXPECT_EQ(32, clock.now());
}

}  // namespace
}  // namespace marquill::character
