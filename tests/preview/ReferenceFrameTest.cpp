// The demo person as the preview draws it, against pictures stored in tests/preview/reference/.
// MARQUILL_UPDATE_REFERENCES=1 writes the pictures anew instead of comparing (look at them
// before committing them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "PreviewTestSupport.h"
#include "image/PngFile.h"
#include "image/RgbImage.h"

namespace marquill::preview {
namespace {

using testing::demoGameFolder;
using testing::SceneRig;

// Rounding in the rasteriser may move an edge by a pixel between compilers.
constexpr int kChannelTolerance = 6;
constexpr double kDifferingShare = 0.004;

image::RgbImage renderDemo(int zoom, float facing, int timeMs) {
    SceneRig rig(demoGameFolder());
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

TEST(PreviewReference, DemoPersonInTheMiddleOfTheGreeting) {
    compareWithReference(renderDemo(3, 0.0f, 1400), "demo-greeting-1400ms");
}

}  // namespace
}  // namespace marquill::preview
