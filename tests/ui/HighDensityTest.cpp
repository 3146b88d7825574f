// The window on a screen of twice the density (ctest runs these under QT_SCALE_FACTOR=2): the
// preview is drawn at the screen's resolution and shown pixel for pixel.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "GuiRig.h"
#include "ui/PreviewWidget.h"

namespace marquill::ui {
namespace {

using testing::GuiRig;

TEST(HighDensity, ThePreviewIsDrawnAtTheScreensResolutionAndShownWithoutScaling) {
    if (QGuiApplication::primaryScreen()->devicePixelRatio() != 2.0)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    PreviewWidget& preview = rig.window().preview();
    EXPECT_EQ(preview.size(), QSize(368, 508));
    const platform::soft3d::Surface* back = rig.dlg().scene()->backBuffer();
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->width(), 736u);
    ASSERT_EQ(back->height(), 1016u);
    EXPECT_EQ(preview.image().constBits(), back->row(0));
    EXPECT_EQ(preview.image().devicePixelRatio(), 2.0);

    QTest::qWait(50);
    // No event is handled between the grab and the comparison, so no frame comes between them.
    const QImage shown = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(736, 1016));
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
        const auto* drawn = reinterpret_cast<const uint32_t*>(shown.constScanLine(y));
        const auto* buffer = reinterpret_cast<const uint32_t*>(back->row(uint32_t(y)));
        for (int x = 0; x < shown.width(); ++x)
            differing += (drawn[x] & 0xFFFFFF) != (buffer[x] & 0xFFFFFF);
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace marquill::ui
