#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "PreviewTestSupport.h"
#include "image/ImageLibrary.h"
#include "image/ImageLibraryCallbacks.h"
#include "image/SurfaceSnapshotWriter.h"
#include "preview/SnapshotFraming.h"

namespace marquill::preview {
namespace {

using testing::demoGameFolder;
using testing::SceneRig;

struct Picture {
    std::string name;
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;  // blue, green, red, alpha
};

// Keeps what the snapshot writer hands over instead of encoding it.
class RecordingLibrary final : public image::ImageLibrary {
  public:
    bool available() const override { return true; }
    int32_t find(const char* ext, int32_t) override { return std::strcmp(ext, "jpg") == 0; }
    int32_t openWrite(void** context, void*, const char* name, int32_t) override {
        pictures.push_back({name});
        *context = this;
        return 1;
    }
    int32_t write(void*, const uint8_t* info, const uint8_t* data, int32_t length) override {
        Picture& p = pictures.back();
        std::memcpy(&p.width, info + image::kInfoWidthOffset, 4);
        std::memcpy(&p.height, info + image::kInfoHeightOffset, 4);
        p.pixels.assign(data, data + size_t(length) * size_t(p.height));
        return 1;
    }
    int32_t close(void*) override { return 1; }
    const PictrixCallbacks& callbacks() const override { return image::imageLibraryCallbacks(); }

    std::vector<Picture> pictures;
};

std::vector<uint8_t> region(const platform::soft3d::Surface& s, const platform::soft3d::Rect& r) {
    std::vector<uint8_t> out;
    for (int32_t y = r.top; y < r.bottom; ++y) {
        const uint8_t* row = s.row(uint32_t(y)) + size_t(r.left) * 4;
        out.insert(out.end(), row, row + size_t(r.width()) * 4);
    }
    return out;
}

class Snapshots : public ::testing::Test {
  protected:
    void makeScene(int width, int height, double pixelRatio = 1.0) {
        PreviewEnvironment env;
        env.images = &library_;
        rig_ = std::make_unique<SceneRig>(demoGameFolder(), width, height, std::move(env));
        rig_->scene->setPixelRatio(pixelRatio);
        ASSERT_TRUE(rig_->scene->setUp());
    }
    std::string base() const { return folder_.root() + "/Star"; }

    marquill::testing::TempTree folder_;
    RecordingLibrary library_;
    std::unique_ptr<SceneRig> rig_;
};

// The tool is not initialised here, so the clock and the pose stand still and every frame of one
// framing is the same picture.
TEST_F(Snapshots, AreCutAtTheirFramingAndLeaveTheUsersFramingBehind) {
    makeScene(kPreviewWidth, kPreviewHeight);
    PreviewScene& scene = *rig_->scene;
    scene.setZoom(4);
    scene.setFacing(2.0f);
    scene.setSpinRate(1.5f);
    scene.frame();
    const std::vector<uint8_t> usersFrame = region(*scene.backBuffer(), kBodyRegion);

    EXPECT_EQ(scene.takeSnapshots(image::snapshotPathsFor(base())), 2);
    ASSERT_EQ(library_.pictures.size(), 2u);
    EXPECT_EQ(library_.pictures[0].name, base() + "head.jpg");
    EXPECT_EQ(library_.pictures[0].width, 45);
    EXPECT_EQ(library_.pictures[0].height, 45);
    EXPECT_EQ(library_.pictures[1].name, base() + "body.jpg");
    EXPECT_EQ(library_.pictures[1].width, 100);
    EXPECT_EQ(library_.pictures[1].height, 220);

    const render::PreviewCameraSettings after = scene.cameraSettings();
    EXPECT_EQ(after.zoomIndex, 4);
    EXPECT_FLOAT_EQ(after.facing, 2.0f);
    EXPECT_FLOAT_EQ(after.spinRate, 1.5f);
    // The last frame shows the user's framing again; the save clears busy at its end.
    EXPECT_EQ(region(*scene.backBuffer(), kBodyRegion), usersFrame);
    EXPECT_TRUE(scene.busy());
    EXPECT_EQ(scene.timerPeriod(), 0);

    scene.setBusy(false);
    scene.setZoom(2);
    scene.setFacing(0.0f);
    scene.frame();
    EXPECT_EQ(region(*scene.backBuffer(), kHeadRegion), library_.pictures[0].pixels);
    EXPECT_EQ(region(*scene.backBuffer(), kBodyRegion), library_.pictures[1].pixels);
    EXPECT_NE(library_.pictures[1].pixels, usersFrame);
}

// A screen of twice the density draws the preview at twice the resolution, but the pictures are
// the window-sized frame's, and afterwards the preview is back at the screen's resolution.
TEST_F(Snapshots, AreTheSameOnAScreenOfTwiceTheDensity) {
    makeScene(kPreviewWidth, kPreviewHeight);
    ASSERT_EQ(rig_->scene->takeSnapshots(image::snapshotPathsFor(base())), 2);
    const std::vector<Picture> atOne = std::move(library_.pictures);
    library_.pictures.clear();

    makeScene(kPreviewWidth, kPreviewHeight, 2.0);
    PreviewScene& scene = *rig_->scene;
    scene.setZoom(4);
    scene.frame();
    const std::vector<uint8_t> usersFrame =
        region(*scene.backBuffer(), {0, 0, 2 * kPreviewWidth, 2 * kPreviewHeight});
    ASSERT_EQ(scene.takeSnapshots(image::snapshotPathsFor(base())), 2);
    ASSERT_EQ(library_.pictures.size(), 2u);
    for (size_t i = 0; i < atOne.size(); ++i) {
        EXPECT_EQ(library_.pictures[i].width, atOne[i].width) << i;
        EXPECT_EQ(library_.pictures[i].height, atOne[i].height) << i;
        EXPECT_TRUE(library_.pictures[i].pixels == atOne[i].pixels) << library_.pictures[i].name;
    }
    EXPECT_EQ(scene.pixelRatio(), 2.0);
    EXPECT_EQ(scene.frameRect().width(), 2 * kPreviewWidth);
    EXPECT_TRUE(region(*scene.backBuffer(), {0, 0, 2 * kPreviewWidth, 2 * kPreviewHeight}) ==
                usersFrame);
}

TEST_F(Snapshots, ASurfaceTooSmallForTheBodyGetsTheHeadOnly) {
    makeScene(210, 380);
    EXPECT_EQ(rig_->scene->takeSnapshots(image::snapshotPathsFor(base())), 1);
    ASSERT_EQ(library_.pictures.size(), 1u);
    EXPECT_EQ(library_.pictures[0].name, base() + "head.jpg");
    EXPECT_FALSE(std::filesystem::exists(base() + "body.jpg"));
    EXPECT_FLOAT_EQ(rig_->scene->cameraSettings().facing, 0.0f);
    EXPECT_EQ(rig_->scene->cameraSettings().zoomIndex, 3);
}

TEST_F(Snapshots, BeforeThePreviewIsReadyNothingIsWritten) {
    testing::RecordingHost host;
    platform::SeededRandom random;
    PreviewEnvironment env;
    env.images = &library_;
    PreviewScene scene(host, folder_.root(), kPreviewWidth, kPreviewHeight, random, std::move(env));
    EXPECT_EQ(scene.takeSnapshots(image::snapshotPathsFor(base())), 0);
    EXPECT_TRUE(library_.pictures.empty());
}

TEST(SnapshotFiles, TheImageModuleWritesTwoJpegPictures) {
    auto library =
        image::PictrixLibrary::load(std::string(MARQUILL_BINARY_DIR) + "/pictrix/libpictrix.so");
    ASSERT_TRUE(library->available()) << "libpictrix.so is built beside the tests";
    marquill::testing::TempTree folder;
    PreviewEnvironment env;
    env.images = library.get();
    SceneRig rig(demoGameFolder(), kPreviewWidth, kPreviewHeight, std::move(env));
    ASSERT_TRUE(rig.scene->setUp());
    const std::string base = folder.root() + "/Star";
    EXPECT_EQ(rig.scene->takeSnapshots(image::snapshotPathsFor(base)), 2);
    for (const char* suffix : {"head.jpg", "body.jpg"}) {
        std::ifstream in(base + suffix, std::ios::binary);
        ASSERT_TRUE(in) << suffix;
        unsigned char start[2] = {};
        in.read(reinterpret_cast<char*>(start), 2);
        EXPECT_EQ(start[0], 0xFF) << suffix;
        EXPECT_EQ(start[1], 0xD8) << suffix;
    }
}

}  // namespace
}  // namespace marquill::preview
