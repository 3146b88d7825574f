#include <gtest/gtest.h>

#include "PreviewTestSupport.h"
#include "character/PreviewPerson.h"
#include "render/AnimDevice.h"
#include "render/CurrentDevice.h"

namespace marquill::preview {
namespace {

using testing::demoGameFolder;
using testing::SceneRig;

const std::vector<std::string> kAllStatuses = {
    "Initializing DDD:", "Loading data - This takes a while...", "Setting default button states",
    "Ready!"};

// The drawing module with every drawing object it makes kept, so a test can see what the scene
// left alive in them.
struct WatchedDrawing {
    platform::soft3d::DrawingModule module() {
        platform::soft3d::DrawingModule m = platform::soft3d::softwareDrawingModule();
        auto create = m.create;
        m.create = [this, create](const platform::soft3d::Guid* driver,
                                  platform::soft3d::Ref<platform::soft3d::DrawingObject>& out) {
            const platform::soft3d::Status s = create(driver, out);
            if (out) made.push_back(out);
            return s;
        };
        return m;
    }
    // Nothing but our own reference holds any of them, and none has a surface left.
    [[nodiscard]] bool allReleased() const {
        for (const auto& d : made)
            if (d->refCount() != 1 || !d->surfaces().empty()) return false;
        return true;
    }
    std::vector<platform::soft3d::Ref<platform::soft3d::DrawingObject>> made;
};

TEST(PreviewSetUp, ReachesReadyThroughTheFourStatusTextsAndGreets) {
    SceneRig rig(demoGameFolder());
    ASSERT_TRUE(rig.scene->setUp());
    EXPECT_EQ(rig.host.statuses, kAllStatuses);
    ASSERT_FALSE(rig.host.cursors.empty());
    EXPECT_EQ(rig.host.cursors.front(), Cursor::Wait);
    EXPECT_EQ(rig.host.cursors.back(), Cursor::Arrow);
    EXPECT_EQ(rig.host.defaultStates, 1);
    EXPECT_EQ(rig.host.readyCalls, 1);
    EXPECT_TRUE(rig.host.messages.empty());
    ASSERT_FALSE(rig.host.soundPlayer.named.empty());
    EXPECT_EQ(rig.host.soundPlayer.named.back(), "Vox_heyshM2");

    EXPECT_EQ(render::CurrentDevice::instance().get() != nullptr, true);
    ASSERT_NE(rig.scene->lookLists(), nullptr);
    EXPECT_EQ(rig.scene->lookLists()->appearance().bodyType, 0);
    EXPECT_EQ(rig.scene->lookLists()->appearance().skinColour, 1);
    ASSERT_NE(rig.scene->person(), nullptr);
    EXPECT_TRUE(rig.scene->person()->hasSkeleton());
    ASSERT_NE(rig.scene->person()->runningAnimation(), nullptr);
    EXPECT_EQ(rig.scene->selections().animation, "a2o-heyyou1");

    const platform::soft3d::Surface* back = rig.scene->backBuffer();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->width(), 368u);
    EXPECT_EQ(back->height(), 508u);
    EXPECT_EQ(back->pixelFormat().bitsPerPixel, 32u);

    // A second call finds it done and says nothing more.
    EXPECT_TRUE(rig.scene->setUp());
    EXPECT_EQ(rig.host.statuses.size(), 4u);

    rig.scene.reset();
    EXPECT_EQ(render::CurrentDevice::instance().get(), nullptr);
}

TEST(PreviewSetUp, AnOddWindowLosesItsLastColumnAndRow) {
    SceneRig rig(demoGameFolder(), 369, 509);
    ASSERT_TRUE(rig.scene->setUp());
    EXPECT_EQ(rig.scene->backBuffer()->width(), 368u);
    EXPECT_EQ(rig.scene->backBuffer()->height(), 508u);
}

TEST(PreviewSetUp, AnEmptyGameFolderIsNotDetectedAndAsksToQuitOnce) {
    marquill::testing::TempTree empty;
    WatchedDrawing drawing;
    PreviewEnvironment env;
    env.drawing = drawing.module();
    SceneRig rig(empty.root(), kPreviewWidth, kPreviewHeight, std::move(env));

    EXPECT_FALSE(rig.scene->setUp());
    EXPECT_EQ(rig.host.messages,
              std::vector<std::string>{"Marquill Error|The Pemms was not detected on this "
                                       "computer. You must have The Pemms installed to use this "
                                       "program."});
    EXPECT_EQ(rig.host.quits, std::vector<int>{-1});
    EXPECT_EQ(rig.host.statuses, std::vector<std::string>{"Initializing DDD:"});
    EXPECT_FALSE(rig.scene->ready());
    EXPECT_EQ(rig.scene->backBuffer(), nullptr);
    EXPECT_EQ(render::CurrentDevice::instance().get(), nullptr);
    EXPECT_TRUE(drawing.allReleased());

    // Later ticks neither retry nor repeat the message while the quit is on its way.
    rig.scene->timerTick();
    EXPECT_FALSE(rig.scene->setUp());
    EXPECT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.quits.size(), 1u);
}

TEST(PreviewSetUp, EachFailingPlatformStepReleasesWhatItMadeAndALaterTickSucceeds) {
    for (int failing : {6, 8, 9, 10, 12, 13}) {
        SCOPED_TRACE(failing);
        WatchedDrawing drawing;
        int faults = 1;  // only the first attempt fails
        PreviewEnvironment env;
        env.drawing = drawing.module();
        env.stepResult = [&](int step, render::RenderResult r) {
            if (step == failing && faults > 0) {
                --faults;
                return render::kRenderNoSuitableDevice;
            }
            return r;
        };
        SceneRig rig(demoGameFolder(), kPreviewWidth, kPreviewHeight, std::move(env));

        rig.scene->timerTick();
        EXPECT_FALSE(rig.scene->ready());
        EXPECT_TRUE(rig.host.messages.empty());
        EXPECT_TRUE(rig.host.quits.empty());
        EXPECT_EQ(rig.host.statuses, std::vector<std::string>{"Initializing DDD:"});
        EXPECT_EQ(rig.host.cursors.back(), Cursor::Arrow);
        EXPECT_EQ(render::CurrentDevice::instance().get(), nullptr);
        EXPECT_EQ(rig.scene->animDevice(), nullptr);
        EXPECT_TRUE(drawing.allReleased());

        rig.scene->timerTick();
        EXPECT_TRUE(rig.scene->ready());
        EXPECT_EQ(rig.host.statuses.back(), "Ready!");
        rig.scene.reset();
        EXPECT_TRUE(drawing.allReleased());
    }
}

TEST(PreviewSetUp, AMissingDrawingModuleLeavesThePreviewEmptyButUsable) {
    PreviewEnvironment env;
    env.drawing = {};
    SceneRig rig(demoGameFolder(), kPreviewWidth, kPreviewHeight, std::move(env));
    EXPECT_FALSE(rig.scene->setUp());
    EXPECT_TRUE(rig.host.messages.empty());
    rig.scene->frame();
    rig.scene->paint();
    EXPECT_EQ(rig.scene->backBuffer(), nullptr);
    EXPECT_EQ(rig.scene->lookLists(), nullptr);
}

}  // namespace
}  // namespace marquill::preview
