// The demo person as the preview draws it, against pictures stored in tests/preview/reference/.
// MARQUILL_UPDATE_REFERENCES=1 writes the pictures anew instead of comparing (look at them
// before committing them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "PreviewTestSupport.h"
#include "image/PngFile.h"
#include "image/RgbImage.h"

namespace marquill::preview {
namespace {

using testing::demoGameFolder;
using testing::pixelsIn;
using testing::SceneRig;

// Rounding in the rasteriser may move an edge by a pixel between compilers.
constexpr int kChannelTolerance = 6;
constexpr double kDifferingShare = 0.004;

image::RgbImage renderDemo(int zoom, float facing, int timeMs, double pixelRatio = 1.0) {
    SceneRig rig(demoGameFolder());
    rig.scene->setPixelRatio(pixelRatio);
    rig.scene->setToolInitialised(true);
    rig.scene->setApplicationActive(true);
    EXPECT_TRUE(rig.scene->setUp());
    rig.scene->setZoom(zoom);
    rig.scene->setFacing(facing);
    rig.scene->timerTick();
    playFor(*rig.scene, rig.clock, timeMs, kActivePeriodMs);
    auto picture = image::surfaceImage(*rig.scene->backBuffer());
    EXPECT_TRUE(picture.has_value());
    return picture.value_or(image::RgbImage{});
}

void compareWithReference(const image::RgbImage& picture, const std::string& name) {
    const std::string path =
        std::string(MARQUILL_SOURCE_DIR) + "/tests/preview/reference/" + name + ".png";
    if (const char* update = std::getenv("MARQUILL_UPDATE_REFERENCES"); update && *update) {
        ASSERT_TRUE(image::writePng(path, picture)) << path;
        return;
    }
    auto reference = image::readPng(path);
    ASSERT_TRUE(reference) << path << " is missing; MARQUILL_UPDATE_REFERENCES=1 writes it";
    ASSERT_EQ(reference->width, picture.width);
    ASSERT_EQ(reference->height, picture.height);
    size_t differing = 0, figure = 0;
    for (size_t i = 0; i < picture.pixels.size(); i += 3) {
        bool differs = false;
        for (size_t c = 0; c < 3; ++c)
            differs |= std::abs(int(picture.pixels[i + c]) - int(reference->pixels[i + c])) >
                       kChannelTolerance;
        differing += differs;
        figure += !(reference->pixels[i] == 0xE4 && reference->pixels[i + 1] == 0x7B &&
                    reference->pixels[i + 2] == 0x04);
    }
    const size_t total = picture.pixels.size() / 3;
    EXPECT_LE(double(differing), kDifferingShare * double(total))
        << differing << " of " << total << " pixels differ from " << path;
    // A reference of an empty preview would prove nothing.
    EXPECT_GT(figure, total / 50) << path;
}

TEST(PreviewReference, DemoPersonAtZoomTwoFacingSouthEast) {
    compareWithReference(renderDemo(2, 0.0f, 0), "demo-zoom2-southeast");
}

TEST(PreviewReference, DemoPersonAtZoomFourFacingNorthWest) {
    compareWithReference(renderDemo(4, 2.0f, 0), "demo-zoom4-northwest");
}

// The figure's extent: left, top, right, bottom of what is not the background.
platform::soft3d::Rect figureBounds(const image::RgbImage& picture) {
    platform::soft3d::Rect r{picture.width, picture.height, 0, 0};
    for (int32_t y = 0; y < picture.height; ++y)
        for (int32_t x = 0; x < picture.width; ++x) {
            const uint8_t* p = &picture.pixels[(size_t(y) * size_t(picture.width) + size_t(x)) * 3];
            if (p[0] == 0xE4 && p[1] == 0x7B && p[2] == 0x04) continue;
            r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                 std::max(r.bottom, y + 1)};
        }
    return r;
}

// On a screen of twice the density the preview is drawn in twice the pixels each way with the
// framing of the window-sized frame.
TEST(PreviewReference, DemoPersonAtTwiceTheDensity) {
    const image::RgbImage fine = renderDemo(2, 0.0f, 0, 2.0);
    ASSERT_EQ(fine.width, 2 * kPreviewWidth);
    ASSERT_EQ(fine.height, 2 * kPreviewHeight);
    compareWithReference(fine, "demo-zoom2-southeast-ratio2");

    const platform::soft3d::Rect coarse = figureBounds(renderDemo(2, 0.0f, 0));
    const platform::soft3d::Rect doubled = figureBounds(fine);
    EXPECT_NEAR(doubled.left, 2 * coarse.left, 2);
    EXPECT_NEAR(doubled.top, 2 * coarse.top, 2);
    EXPECT_NEAR(doubled.right, 2 * coarse.right, 2);
    EXPECT_NEAR(doubled.bottom, 2 * coarse.bottom, 2);

    // A fractional density takes the nearest even size and keeps the framing.
    const image::RgbImage between = renderDemo(2, 0.0f, 0, 1.25);
    EXPECT_EQ(between.width, 460);
    EXPECT_EQ(between.height, 636);
    const platform::soft3d::Rect scaled = figureBounds(between);
    EXPECT_NEAR(scaled.left, 1.25 * coarse.left, 2);
    EXPECT_NEAR(scaled.bottom, 1.25 * coarse.bottom, 2);
}

std::vector<uint32_t> framePixels(const PreviewScene& scene) {
    return pixelsIn(*scene.backBuffer(), scene.frameRect());
}

// A window that starts on an ordinary screen and is moved to the denser one beside it: from
// then on its frames are the ones a window opened there draws, and before, the ordinary ones.
TEST(PreviewReference, AWindowMovedToADenserScreenIsDrawnAtThatScreensResolution) {
    auto start = [](SceneRig& rig, double ratio, double largest) {
        rig.scene->setPixelRatio(ratio);
        rig.scene->setLargestPixelRatio(largest);
        rig.scene->setToolInitialised(true);
        rig.scene->setApplicationActive(true);
        ASSERT_TRUE(rig.scene->setUp());
        rig.scene->show(true);
        rig.scene->timerTick();
    };
    SceneRig moved(demoGameFolder()), ordinary(demoGameFolder()), dense(demoGameFolder());
    ASSERT_NO_FATAL_FAILURE(start(moved, 1.0, 2.0));
    ASSERT_NO_FATAL_FAILURE(start(ordinary, 1.0, 1.0));
    ASSERT_NO_FATAL_FAILURE(start(dense, 2.0, 1.0));
    for (SceneRig* rig : {&moved, &ordinary, &dense})
        playFor(*rig->scene, rig->clock, 600, kActivePeriodMs);
    EXPECT_EQ(moved.scene->pixelRatio(), 1.0);
    EXPECT_EQ(framePixels(*moved.scene), framePixels(*ordinary.scene));

    moved.scene->setPixelRatio(2.0);
    for (SceneRig* rig : {&moved, &dense})
        playFor(*rig->scene, rig->clock, 600, kActivePeriodMs);
    EXPECT_EQ(moved.scene->pixelRatio(), 2.0);
    EXPECT_EQ(moved.scene->frameRect(), dense.scene->frameRect());
    EXPECT_EQ(framePixels(*moved.scene), framePixels(*dense.scene));
}

TEST(PreviewReference, DemoPersonInTheMiddleOfTheGreeting) {
    compareWithReference(renderDemo(3, 0.0f, 1400), "demo-greeting-1400ms");
}

}  // namespace
}  // namespace marquill::preview
