#include "character/AnimationPlayer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "character/AnimationEventSounds.h"
#include "character/AnimationRig.h"
#include "character/QuatMath.h"

namespace marquill::character {
namespace {

using testing::addEvent;
using testing::rampAnimation;
using testing::turnAboutZ;
using testing::twoBoneSkeleton;

// Records every fired event's sound name; removes itself at the end of the test.
class EventLog {
  public:
    EventLog() {
        setAnimationEventCallback([this](const AnimationInstance&, const Bone& bone,
                                         const BoneTrack&, const PropertyList& properties) {
            const std::string* sound = properties.get("sound");
            fired.push_back(bone.name + ":" + (sound ? *sound : std::string("?")));
        });
    }
    ~EventLog() { setAnimationEventCallback({}); }
    std::vector<std::string> fired;
};

// Plays the animation from time 0 in ticks of `step` ms until `until`.
void tickTo(AnimationPlayer& player, int32_t until, int32_t step, int32_t from = 0) {
    for (int32_t t = from + step; t <= until; t += step)
        player.update(t, true);
}

class EndModes : public ::testing::Test {
  protected:
    Skeleton skeleton = twoBoneSkeleton();
    Animation animation = rampAnimation("ramp", 10, 1000);
    AnimationPlayer player{skeleton};

    AnimationInstance& playPastTheEnd(EndMode mode) {
        AnimationInstance* a = player.start(animation, 1, 1.0f, 1.0f, 0);
        a->endMode = mode;
        player.update(1250, true);
        return *a;
    }
};

TEST_F(EndModes, HoldClampsAndStopsAtTheLastFrame) {
    AnimationInstance& a = playPastTheEnd(EndMode::HoldAtEnd);
    EXPECT_TRUE(a.finished);
    EXPECT_EQ(1.0f, a.phase);
    EXPECT_EQ(0.0f, a.rate);
    EXPECT_EQ(9, a.frame);
    EXPECT_FLOAT_EQ(9.0f, skeleton.bones[0].translation.x);
    player.update(2000, true);
    player.update(3000, true);
    EXPECT_TRUE(a.finished);
    EXPECT_EQ(1.0f, a.phase);
    EXPECT_FLOAT_EQ(9.0f, skeleton.bones[0].translation.x);
}

TEST_F(EndModes, LoopWrapsThePhase) {
    AnimationInstance& a = playPastTheEnd(EndMode::Loop);
    EXPECT_TRUE(a.finished);
    EXPECT_FLOAT_EQ(0.25f, a.phase);
    EXPECT_EQ(1.0f, a.rate);
    player.update(1500, true);
    EXPECT_FALSE(a.finished);
    EXPECT_FLOAT_EQ(0.5f, a.phase);
}

TEST_F(EndModes, PingPongReflectsThePhaseAndTurnsTheRate) {
    AnimationInstance& a = playPastTheEnd(EndMode::PingPong);
    EXPECT_TRUE(a.finished);
    EXPECT_FLOAT_EQ(0.75f, a.phase);
    EXPECT_EQ(-1.0f, a.rate);
    player.update(1500, true);  // now running backwards
    EXPECT_FALSE(a.finished);
    EXPECT_FLOAT_EQ(0.5f, a.phase);
}

TEST_F(EndModes, FadeOutHalvesTheWeightHalfWayAndEndsAtZero) {
    AnimationInstance& a = playPastTheEnd(EndMode::FadeOut);
    EXPECT_TRUE(a.finished);
    EXPECT_EQ(1.0f, a.phase);
    EXPECT_EQ(0.0f, a.rate);
    EXPECT_TRUE(a.fading);
    EXPECT_EQ(1250, a.fadeStart);
    EXPECT_EQ(1.0f, a.weight);
    player.update(1500, true);
    EXPECT_FLOAT_EQ(0.5f, a.weight);
    player.update(1750, true);
    EXPECT_FLOAT_EQ(0.0f, a.weight);
    player.update(1800, true);
    EXPECT_FALSE(a.fading);
    EXPECT_EQ(0.0f, a.weight);
    EXPECT_EQ(1u, player.running().size()) << "only auto-remove takes an instance away";
}

TEST_F(EndModes, AutoRemoveDropsAFadedInstance) {
    AnimationInstance& a = playPastTheEnd(EndMode::FadeOut);
    a.autoRemove = true;
    player.update(1800, true);
    EXPECT_TRUE(player.running().empty());
    EXPECT_EQ(0, animation.useCount);
}

TEST(AnimationFrames, LastFrameInterpolatesTowardsTheFirstOnlyWhenLooping) {
    for (EndMode mode : {EndMode::Loop, EndMode::HoldAtEnd}) {
        Skeleton skeleton = twoBoneSkeleton();
        Animation animation = rampAnimation("ramp", 10, 1000);
        AnimationPlayer player(skeleton);
        AnimationInstance* a = player.start(animation, 1, 1.0f, 1.0f, 0);
        a->endMode = mode;
        tickTo(player, 950, 50);
        EXPECT_EQ(9, a->frame);
        const Bone& bone = skeleton.bones[0];
        if (mode == EndMode::Loop) {
            EXPECT_NEAR(4.5f, bone.translation.x, 1e-4f);  // half of frame 9, half of frame 0
            const Quat expected = *blendRotation(turnAboutZ(0.9f), 0.5f, turnAboutZ(0));
            EXPECT_NEAR(expected.z, bone.rotation.z, 1e-5f);
        } else {
            EXPECT_FLOAT_EQ(9.0f, bone.translation.x);
            EXPECT_NEAR(turnAboutZ(0.9f).z, bone.rotation.z, 1e-5f);
        }
    }
}

TEST(AnimationFrames, CoarseTicksSampleWholeFrames) {
    // 30 frames over a second: two frames last less than a slow 150 ms tick.
    Skeleton fine = twoBoneSkeleton();
    Skeleton coarse = twoBoneSkeleton();
    Animation animation = rampAnimation("ramp", 30, 1000);
    AnimationPlayer finePlayer(fine);
    AnimationPlayer coarsePlayer(coarse);
    (void)finePlayer.start(animation, 1, 1.0f, 1.0f, 0);
    (void)coarsePlayer.start(animation, 1, 1.0f, 1.0f, 0);
    tickTo(finePlayer, 450, 10);
    tickTo(coarsePlayer, 450, 150);
    EXPECT_NEAR(13.5f, fine.bones[0].translation.x, 1e-4f);
    EXPECT_FLOAT_EQ(13.0f, coarse.bones[0].translation.x);
    EXPECT_NEAR(turnAboutZ(1.3f).z, coarse.bones[0].rotation.z, 1e-6f);
}

TEST(AnimationFrames, FrameStepSamplesEveryOtherFrameAndInterpolatesAcrossTheGap) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation animation = rampAnimation("ramp", 10, 1000);
    AnimationPlayer player(skeleton);
    AnimationInstance* a = player.start(animation, 1, 1.0f, 1.0f, 0);
    a->frameStep = 1;
    player.update(350, true);  // 350 ms is finer than two stepped frames (400 ms)
    EXPECT_EQ(2, a->frame);
    EXPECT_FLOAT_EQ(3.5f, skeleton.bones[0].translation.x);  // frames 2 and 4, three quarters on
    player.update(850, true);                                // 500 ms: too coarse
    EXPECT_EQ(8, a->frame);
    EXPECT_FLOAT_EQ(8.0f, skeleton.bones[0].translation.x);
}

TEST(AnimationBlending, PartialWeightMixesIntoTheBoneUnlessItRefusesBlending) {
    Skeleton skeleton = twoBoneSkeleton();
    skeleton.bones[0].translation = {10, 2, 0};
    skeleton.bones[1].translation = {10, 2, 0};
    skeleton.bones[1].blendFlag = 0;
    Animation animation = rampAnimation("ramp", 10, 1000, {0, 1});
    AnimationPlayer player(skeleton);
    (void)player.start(animation, 1, 1.0f, 0.5f, 0);
    player.update(400, true);  // coarse: frame 4 exactly
    EXPECT_FLOAT_EQ(7.0f, skeleton.bones[0].translation.x);
    EXPECT_FLOAT_EQ(1.0f, skeleton.bones[0].translation.y);
    const Quat half = *blendRotation(turnAboutZ(0.4f), 0.5f, Quat{});
    EXPECT_NEAR(half.z, skeleton.bones[0].rotation.z, 1e-6f);
    EXPECT_FLOAT_EQ(4.0f, skeleton.bones[1].translation.x);
    EXPECT_NEAR(turnAboutZ(0.4f).z, skeleton.bones[1].rotation.z, 1e-6f);
}

TEST(AnimationBlending, WithoutApplyOnlyRotationsAreWritten) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation animation = rampAnimation("ramp", 10, 1000);
    AnimationPlayer player(skeleton);
    (void)player.start(animation, 1, 1.0f, 1.0f, 0);
    player.update(400, false);
    EXPECT_EQ(0.0f, skeleton.bones[0].translation.x);
    EXPECT_NEAR(turnAboutZ(0.4f).z, skeleton.bones[0].rotation.z, 1e-6f);
}

TEST(AnimationBlending, SamplingPosesTheSkeletonAndMarksOnlyRealChanges) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation animation = rampAnimation("ramp", 10, 1000);
    AnimationPlayer player(skeleton);
    AnimationInstance* a = player.start(animation, 1, 1.0f, 1.0f, 0);
    a->endMode = EndMode::HoldAtEnd;
    player.update(400, true);
    EXPECT_FLOAT_EQ(4.0f, skeleton.bones[0].worldPosition.x);
    EXPECT_FLOAT_EQ(4.0f, skeleton.bones[1].worldPosition.x) << "the child follows";
    player.update(1200, true);
    const uint32_t held = skeleton.bones[0].changeCount;
    player.update(1300, true);
    EXPECT_EQ(held, skeleton.bones[0].changeCount) << "a held pose is not posed again";
}

TEST(AnimationPriority, InstancesAreKeptInPriorityOrderAndTheHighestOwnsABone) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation low = rampAnimation("low", 10, 1000, {0, 1});
    Animation high = rampAnimation("high", 10, 1000);
    for (float& v : high.translations)
        v += 100;
    Animation other = rampAnimation("other", 10, 1000);
    AnimationPlayer player(skeleton);
    AnimationInstance* b = player.start(high, 2, 1.0f, 1.0f, 0);
    AnimationInstance* a = player.start(low, 1, 1.0f, 1.0f, 0);
    AnimationInstance* c = player.start(other, 3, 1.0f, 1.0f, 0);
    AnimationInstance* b2 = player.start(high, 2, 1.0f, 1.0f, 0);
    ASSERT_EQ(4u, player.running().size());
    EXPECT_EQ(a, player.running()[0].get());
    EXPECT_EQ(b, player.running()[1].get());
    EXPECT_EQ(b2, player.running()[2].get()) << "after the others of its priority";
    EXPECT_EQ(c, player.running()[3].get());
    EXPECT_EQ(2, high.useCount);
    EXPECT_EQ(3, skeleton.bones[0].priority);
    EXPECT_EQ(1, skeleton.bones[1].priority);

    player.stop(c);
    player.stop(b2);
    player.update(400, true);
    EXPECT_FLOAT_EQ(104.0f, skeleton.bones[0].translation.x);
    EXPECT_FLOAT_EQ(4.0f, skeleton.bones[1].translation.x);

    player.stop(b);
    EXPECT_EQ(1, skeleton.bones[0].priority);
    player.update(500, true);
    EXPECT_FLOAT_EQ(5.0f, skeleton.bones[0].translation.x);

    player.stopAll();
    EXPECT_EQ(-10000, skeleton.bones[0].priority);
    EXPECT_EQ(0, high.useCount);
    EXPECT_EQ(0, low.useCount);
}

TEST(AnimationSafety, UnloadedKeyframesOrBadOffsetsWriteNothing) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation unloaded = rampAnimation("unloaded", 10, 1000);
    unloaded.keyframesLoaded = false;
    addEvent(unloaded, 0, 100, "a.wav");
    Animation broken = rampAnimation("broken", 10, 1000, {1});
    broken.tracks[0].translationOffset = 5;  // frames 5..14 of a ten-frame array
    broken.tracks[0].rotationOffset = -1;
    EventLog log;
    AnimationPlayer player(skeleton);
    AnimationInstance* a = player.start(unloaded, 1, 1.0f, 1.0f, 0);
    a->endMode = EndMode::HoldAtEnd;
    (void)player.start(broken, 1, 1.0f, 1.0f, 0);
    player.update(900, true);
    player.update(1100, true);
    EXPECT_TRUE(a->finished) << "it still ends, so the idle cycle goes on";
    EXPECT_EQ(Vec3{}, skeleton.bones[0].translation);
    EXPECT_EQ(Vec3{}, skeleton.bones[1].translation);
    EXPECT_EQ(Quat{}, skeleton.bones[1].rotation);
    EXPECT_TRUE(log.fired.empty());
}

TEST(AnimationSafety, TracksOfUnknownBonesAndEmptyAnimationsAreHarmless) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation stray = rampAnimation("stray", 10, 1000, {7});
    Animation empty;
    empty.name = "empty";
    Animation instant = rampAnimation("instant", 10, 0);
    AnimationPlayer player(skeleton);
    AnimationInstance* s = player.start(stray, 1, 1.0f, 1.0f, 0);
    AnimationInstance* e = player.start(empty, 1, 1.0f, 1.0f, 0);
    AnimationInstance* i = player.start(instant, 1, 1.0f, 1.0f, 0);
    i->endMode = EndMode::HoldAtEnd;
    EXPECT_TRUE(s->tracks.empty());
    player.update(100, true);
    player.update(1100, true);
    EXPECT_TRUE(s->finished);
    EXPECT_FALSE(e->finished);
    EXPECT_TRUE(i->finished);
    EXPECT_FLOAT_EQ(9.0f, skeleton.bones[0].translation.x);
}

TEST(AnimationEvents, FireOnceInOrderAsTheirTimeIsPassed) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation animation = rampAnimation("ramp", 10, 1000, {0, 1});
    addEvent(animation, 1, 0, "start.wav");
    addEvent(animation, 1, 300, "a.wav");
    addEvent(animation, 1, 320, "b.wav");
    animation.tracks[1].timeProperties.push_back({600, {}});  // nothing to say: silent
    addEvent(animation, 1, 900, "c.wav");
    EventLog log;
    AnimationPlayer player(skeleton);
    AnimationInstance* a = player.start(animation, 1, 1.0f, 1.0f, 0);
    a->endMode = EndMode::HoldAtEnd;
    player.update(10, true);
    EXPECT_EQ((std::vector<std::string>{"HEAD:start.wav"}), log.fired);
    player.update(350, true);
    player.update(700, true);
    player.update(1200, true);
    player.update(1500, true);
    EXPECT_EQ(
        (std::vector<std::string>{"HEAD:start.wav", "HEAD:a.wav", "HEAD:b.wav", "HEAD:c.wav"}),
        log.fired);
}

TEST(AnimationEvents, ALoopFinishesThePassBeforeStartingAgainWithinFortyMsOfTheEnd) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation animation = rampAnimation("ramp", 10, 1000);
    addEvent(animation, 0, 50, "early.wav");
    addEvent(animation, 0, 900, "late.wav");
    addEvent(animation, 0, 1040, "slack.wav");
    addEvent(animation, 0, 1041, "beyond.wav");
    addEvent(animation, 0, -5, "negative.wav");
    EventLog log;
    AnimationPlayer player(skeleton);
    (void)player.start(animation, 1, 1.0f, 1.0f, 0);
    player.update(600, true);
    EXPECT_EQ((std::vector<std::string>{"PELVIS:early.wav"}), log.fired);
    player.update(1100, true);  // wraps to 100 ms
    EXPECT_EQ((std::vector<std::string>{"PELVIS:early.wav", "PELVIS:late.wav", "PELVIS:slack.wav",
                                        "PELVIS:early.wav"}),
              log.fired);
}

TEST(AnimationEvents, PlayingBackwardsWalksTheEventsTheOtherWay) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation animation = rampAnimation("ramp", 10, 1000);
    addEvent(animation, 0, 50, "early.wav");
    addEvent(animation, 0, 900, "late.wav");
    EventLog log;
    AnimationPlayer player(skeleton);
    (void)player.start(animation, 1, -1.0f, 1.0f, 0);
    player.update(250, true);  // wraps back to 750 ms
    EXPECT_EQ((std::vector<std::string>{"PELVIS:late.wav"}), log.fired);
    player.update(750, true);  // 250 ms
    EXPECT_EQ(1u, log.fired.size());
    player.update(950, true);  // 50 ms
    EXPECT_EQ((std::vector<std::string>{"PELVIS:late.wav", "PELVIS:early.wav"}), log.fired);
}

TEST(AnimationEvents, BonesOwnedByAHigherPriorityAndZeroWeightStaySilent) {
    Skeleton skeleton = twoBoneSkeleton();
    Animation low = rampAnimation("low", 10, 1000);
    addEvent(low, 0, 100, "low.wav");
    Animation high = rampAnimation("high", 10, 1000);
    Animation faded = rampAnimation("faded", 10, 1000, {1});
    addEvent(faded, 0, 100, "faded.wav");
    EventLog log;
    AnimationPlayer player(skeleton);
    (void)player.start(low, 1, 1.0f, 1.0f, 0);
    (void)player.start(high, 2, 1.0f, 1.0f, 0);
    (void)player.start(faded, 1, 1.0f, 0.0f, 0);
    player.update(500, true);
    EXPECT_TRUE(log.fired.empty());
    EXPECT_EQ(Vec3{}, skeleton.bones[1].translation);
}

TEST(AnimationEventSounds, PlaysEverySoundPairOnlyInFront) {
    struct Recorder : platform::SoundPlayer {
        std::vector<std::string> files;
        void playNamed(std::string_view) override {}
        void playNamedAndWait(std::string_view) override {}
        void playFile(const std::string& path) override { files.push_back(path); }
        void stopAll() override {}
    } sounds;
    PropertyList list;
    list.set("sound", "hey.wav");
    list.set("sounds", "no.wav");
    list.set("xevt", "nothing");
    playEventSounds(list, false, sounds);
    EXPECT_TRUE(sounds.files.empty());
    playEventSounds(list, true, sounds);
    playEventSounds(list, true, sounds, [](const std::string& f) { return "/game/" + f; });
    EXPECT_EQ((std::vector<std::string>{"hey.wav", "/game/hey.wav"}), sounds.files);
}

}  // namespace
}  // namespace marquill::character
