#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "PreviewTestSupport.h"
#include "character/AnimationClock.h"
#include "character/AnimationInstance.h"
#include "character/PreviewPerson.h"
#include "platform/ByteSink.h"
#include "render/BitmapDecoder.h"
#include "render/BitmapWriter.h"

namespace marquill::preview {
namespace {

using character::AnimationClock;
using testing::demoGameFolder;
using testing::pixelsIn;
using testing::SceneRig;

uint64_t checksum(const platform::soft3d::Surface& s) {
    uint64_t h = 1469598103934665603ull;
    for (uint32_t y = 0; y < s.height(); ++y) {
        const uint8_t* row = s.row(y);
        for (uint32_t i = 0; i < s.width() * 4; ++i)
            h = (h ^ row[i]) * 1099511628211ull;
    }
    return h;
}

class PreviewFrameLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        rig_ = std::make_unique<SceneRig>(demoGameFolder());
        ASSERT_TRUE(scene().setUp());
        scene().setToolInitialised(true);
        scene().setApplicationActive(true);
        scene().show(true);
        // The first tick after the clock was reset moves it by nothing.
        scene().timerTick();
    }
    PreviewScene& scene() { return *rig_->scene; }
    // Ticks of `periodMs` for `totalMs`.
    void run(int totalMs, int periodMs) { playFor(scene(), rig_->clock, totalMs, periodMs); }

    std::unique_ptr<SceneRig> rig_;
};

TEST(PreviewTimer, PeriodFollowsActivationShowAndModalWork) {
    SceneRig rig(demoGameFolder());
    PreviewScene& scene = *rig.scene;
    EXPECT_EQ(scene.timerPeriod(), 0);
    scene.show(true);
    EXPECT_EQ(scene.timerPeriod(), 150);
    scene.setApplicationActive(true);
    EXPECT_EQ(scene.timerPeriod(), 10);
    scene.timerTick();  // the set-up, then the first frame; the timer keeps its period
    ASSERT_TRUE(scene.ready());
    EXPECT_EQ(scene.timerPeriod(), 10);

    scene.beginModal();
    EXPECT_TRUE(scene.busy());
    EXPECT_EQ(scene.timerPeriod(), 0);
    scene.endModal();
    EXPECT_FALSE(scene.busy());
    EXPECT_EQ(scene.timerPeriod(), 10);

    scene.setApplicationActive(false);
    EXPECT_EQ(scene.timerPeriod(), 150);
    scene.show(false);
    EXPECT_EQ(scene.timerPeriod(), 0);
    // Activation alone does not start a stopped timer.
    scene.setApplicationActive(true);
    EXPECT_EQ(scene.timerPeriod(), 0);
    // The host heard each change once, and only changes.
    EXPECT_EQ(rig.host.periods, (std::vector<int>{150, 10, 0, 10, 150, 0}));
}

TEST_F(PreviewFrameLoop, WhileBusyTicksAndPaintsDrawNothing) {
    run(200, 10);
    const uint64_t before = checksum(*scene().backBuffer());
    const int32_t ticks = AnimationClock::instance().ticks();
    scene().setBusy(true);
    scene().setFacing(2.0f);
    run(500, 10);
    scene().paint();
    scene().frame();
    EXPECT_EQ(AnimationClock::instance().ticks(), ticks);
    EXPECT_EQ(checksum(*scene().backBuffer()), before);
    scene().setBusy(false);
    run(10, 10);
    EXPECT_NE(checksum(*scene().backBuffer()), before);
}

// The front end repaints only the rectangles the scene names after each tick; every pixel that
// changed must lie in one of them while the figure turns fast, walks through its idles, changes
// size and is painted whole in between, and together they stay well inside the window; a paint
// redraws the whole window at the same moment, and the same picture.
void expectEveryChangeTold(PreviewScene& scene, SceneRig& rig) {
    auto run = [&](int totalMs, int periodMs) { playFor(scene, rig.clock, totalMs, periodMs); };
    const platform::soft3d::Surface& buffer = *scene.backBuffer();
    const uint32_t width = buffer.width();
    (void)scene.takeChangedRects();
    std::vector<uint32_t> previous = pixelsIn(buffer, buffer.bounds());
    int64_t changedArea = 0;
    auto tick = [&](int i) {
        run(10, 10);
        const std::vector<uint32_t> now = pixelsIn(buffer, buffer.bounds());
        const std::vector<platform::soft3d::Rect> changed = scene.takeChangedRects();
        for (const auto& r : changed)
            changedArea += int64_t(r.width()) * r.height();
        for (size_t p = 0; p < now.size(); ++p) {
            if (now[p] == previous[p]) continue;
            const int32_t x = int32_t(p % width), y = int32_t(p / width);
            const bool told = std::any_of(changed.begin(), changed.end(), [&](const auto& r) {
                return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            });
            ASSERT_TRUE(told) << "pixel " << x << "," << y << " changed unseen at tick " << i;
        }
        previous = now;
    };
    const int ticks = 400;
    scene.setSpinRate(kRotateChoices[2].rate);
    for (int i = 1; i <= ticks; ++i) {
        if (i == 150) scene.setZoom(kZoomMaximum);
        if (i == 300) scene.setZoom(kZoomMinimum);
        ASSERT_NO_FATAL_FAILURE(tick(i));
        if (i % 25 != 0) continue;
        // The camera turns with a frame's delay, so it stands still for the comparison.
        scene.setSpinRate(0);
        ASSERT_NO_FATAL_FAILURE(tick(i));
        scene.paint();
        ASSERT_EQ(pixelsIn(buffer, buffer.bounds()), previous) << "tick " << i;
        (void)scene.takeChangedRects();
        scene.setSpinRate(kRotateChoices[2].rate);
    }
    // The figure covers well under half of the window.
    EXPECT_LT(changedArea, int64_t(ticks) * width * buffer.height() / 2);
}

TEST_F(PreviewFrameLoop, TheFrontEndHearsOfEveryChangedPixelAndLittleMore) {
    expectEveryChangeTold(scene(), *rig_);
}

TEST(PreviewFrameLoopAtTwiceTheDensity, TheFrontEndHearsOfEveryChangedPixelAndLittleMore) {
    SceneRig rig(demoGameFolder());
    PreviewScene& scene = *rig.scene;
    scene.setPixelRatio(2.0);
    ASSERT_TRUE(scene.setUp());
    scene.setToolInitialised(true);
    scene.setApplicationActive(true);
    scene.show(true);
    scene.timerTick();
    ASSERT_EQ(scene.pixelRatio(), 2.0);
    expectEveryChangeTold(scene, rig);
}

TEST_F(PreviewFrameLoop, SlowRotationTurnsAQuarterInTenSeconds) {
    scene().selectRotate(1);
    EXPECT_EQ(rig_->host.soundPlayer.named.back(), "CLICK");
    const float start = scene().cameraSettings().facing;
    run(10000, 1000);
    EXPECT_NEAR(scene().cameraSettings().facing - start, 1.0f, 1e-4f);
    EXPECT_FLOAT_EQ(scene().cameraSettings().spinRate, 0.1f);
}

TEST_F(PreviewFrameLoop, ChoosingAFacingStopsTheRotationAtThatAngle) {
    scene().selectRotate(2);
    run(1000, 100);
    EXPECT_GT(scene().cameraSettings().facing, 1.0f);
    scene().selectFacing(0);  // North West
    EXPECT_FLOAT_EQ(scene().cameraSettings().facing, 2.0f);
    EXPECT_FLOAT_EQ(scene().cameraSettings().spinRate, 0.0f);
    run(1000, 100);
    EXPECT_FLOAT_EQ(scene().cameraSettings().facing, 2.0f);
    // Rotating again goes on from where the figure stands.
    scene().selectRotate(1);
    run(1000, 100);
    EXPECT_NEAR(scene().cameraSettings().facing, 2.1f, 1e-4f);
}

TEST_F(PreviewFrameLoop, AStallOfFiveSecondsAdvancesTheAnimationBySecondOnly) {
    run(100, 10);
    const int32_t before = AnimationClock::instance().now();
    rig_->clock.advance(5000);
    scene().timerTick();
    EXPECT_EQ(AnimationClock::instance().now() - before, 1000);
    run(10, 10);
    EXPECT_EQ(AnimationClock::instance().now() - before, 1010);
}

TEST(PreviewClock, BeforeTheToolIsInitialisedTheClockAndThePoseStandStill) {
    SceneRig rig(demoGameFolder());
    ASSERT_TRUE(rig.scene->setUp());
    rig.scene->show(true);
    playFor(*rig.scene, rig.clock, 300, 10);
    EXPECT_EQ(AnimationClock::instance().now(), 0);
    // The first tick once initialised does not jump over the time that went by.
    rig.scene->setToolInitialised(true);
    playFor(*rig.scene, rig.clock, 10, 10);
    EXPECT_EQ(AnimationClock::instance().now(), 0);
    playFor(*rig.scene, rig.clock, 10, 10);
    EXPECT_EQ(AnimationClock::instance().now(), 10);
}

TEST_F(PreviewFrameLoop, TheGreetingGivesWayToTheIdleCycle) {
    character::PreviewPerson* person = scene().person();
    ASSERT_NE(person, nullptr);
    ASSERT_NE(person->runningAnimation(), nullptr);
    EXPECT_EQ(person->runningAnimation()->animation->name, "a2o-heyyou1");
    run(6000, 50);
    ASSERT_NE(person->runningAnimation(), nullptr);
    EXPECT_NE(scene().selections().animation, "a2o-heyyou1");
    EXPECT_EQ(person->runningAnimation()->animation->name, scene().selections().animation);
    // The greeting's voice event reached the host as a file of the game folder.
    ASSERT_FALSE(rig_->host.soundPlayer.files.empty());
    EXPECT_NE(rig_->host.soundPlayer.files.front().find("vox_greet_heyyou.wav"), std::string::npos);
}

TEST(PreviewSounds, EventSoundsPlayOnlyInTheForeground) {
    SceneRig rig(demoGameFolder());
    rig.host.foreground = false;
    ASSERT_TRUE(rig.scene->setUp());
    rig.scene->setToolInitialised(true);
    rig.scene->show(true);
    playFor(*rig.scene, rig.clock, 3000, 50);
    EXPECT_TRUE(rig.host.soundPlayer.files.empty());
}

// A texture file changed on disk shows after Rescan, though the person wore it before.
TEST(PreviewRescan, ReadsChangedTextureFilesAgain) {
    marquill::testing::TempTree game;
    std::string error;
    ASSERT_TRUE(content::writeDemoInstallation(game.root(), {}, &error)) << error;
    SceneRig rig(game.root());
    ASSERT_TRUE(rig.scene->setUp());
    rig.scene->frame();
    const uint64_t before = checksum(*rig.scene->backBuffer());

    const std::string path = game.root() + "/GameData/Skins/B003MAFitmed_bmoc.bmp";
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    render::BitmapHeader header;
    ASSERT_EQ(render::readBitmapHeader(bytes, header), render::kRenderOk);
    render::BitmapImage green{
        header.width,
        header.height,
        std::vector<uint32_t>(size_t(header.width) * size_t(header.height), 0x00FF00),
        {}};
    platform::VectorSink sink;
    ASSERT_TRUE(render::writeBitmap(sink, green, render::BitmapEncoding::Rgb24));
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(sink.data().data()),
               std::streamsize(sink.data().size()));

    rig.scene->lookLists()->rescan();
    rig.scene->frame();
    EXPECT_NE(checksum(*rig.scene->backBuffer()), before);
    EXPECT_EQ(rig.scene->lookLists()->appearance().bodyTexture, "B003MAFitmed_bmoc");
}

}  // namespace
}  // namespace marquill::preview
