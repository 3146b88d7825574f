// Sampling runs on every preview tick and must not allocate. This file replaces the global
// allocation functions of the test program to count what happens while a flag is up.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "character/AnimationPlayer.h"
#include "character/AnimationRig.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void* allocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace marquill::character {
namespace {

TEST(AnimationSampling, DoesNotAllocate) {
    Skeleton skeleton = testing::twoBoneSkeleton();
    skeleton.bones[1].translation = {1, 1, 1};
    Animation loop = testing::rampAnimation("loop", 30, 1000, {0, 1});
    testing::addEvent(loop, 1, 100, "a.wav");
    testing::addEvent(loop, 1, 1030, "b.wav");
    Animation blend = testing::rampAnimation("blend", 30, 700, {1});
    Animation fade = testing::rampAnimation("fade", 30, 400, {0});
    int events = 0;
    setAnimationEventCallback([&events](const AnimationInstance&, const Bone&, const BoneTrack&,
                                        const PropertyList&) { ++events; });
    AnimationPlayer player(skeleton);
    (void)player.start(loop, 1, 1.0f, 1.0f, 0);
    AnimationInstance* b = player.start(blend, 1, 1.0f, 0.4f, 0);
    b->endMode = EndMode::PingPong;
    AnimationInstance* f = player.start(fade, 1, 1.0f, 1.0f, 0);
    f->endMode = EndMode::FadeOut;
    f->frameStep = 2;

    // The counter itself must see an allocation, or the test below proves nothing.
    counting = true;
    auto probe = std::make_unique<int>(1);
    counting = false;
    ASSERT_EQ(1, allocations.load());

    allocations = 0;
    counting = true;
    int32_t now = 0;
    for (int i = 0; i < 200; ++i)
        player.update(now += 10, true);
    for (int i = 0; i < 20; ++i)
        player.update(now += 150, i % 2 == 0);
    counting = false;

    setAnimationEventCallback({});
    EXPECT_EQ(0, allocations.load());
    EXPECT_GT(events, 2) << "the events were part of the run";
}

}  // namespace
}  // namespace marquill::character
