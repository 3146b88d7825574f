// The front end's pieces: picture buttons, the template view's mirroring, the small dialogs'
// text fitting, the preview widget and its drag and wheel, the frame timer, the save dialog's
// filter, the sound player without an audio device, and the refusals of "Undo an import...".
#include <gtest/gtest.h>
#include <sched.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QWheelEvent>

#include "GuiRig.h"
#include "platform/Files.h"
#include "render/Viewport3D.h"
#include "ui/PictureButtonWidget.h"
#include "ui/PreviewWidget.h"
#include "ui/QtApplicationHost.h"
#include "ui/SoundEffectPlayer.h"
#include "ui/TemplateView.h"
#include "wizard/SmallDialogs.h"

namespace marquill::ui {
namespace {

namespace id = wizard::id;
using testing::GuiRig;
using testing::RecordingSounds;

// Where across the preview (-1 left edge, 1 right edge) a point of the world shows in a frame
// drawn now, and the point in front of the person on the side nearest the player.
struct Sighting {
    float nearSide, farSide;
};
Sighting sightFrontAndBack(preview::PreviewScene& scene, render::Vec3 nearPoint) {
    scene.frame();
    const render::Matrix4 toScreen = scene.viewport()->view() * scene.viewport()->projection();
    const render::Vec3 farPoint{-nearPoint.x, nearPoint.y, -nearPoint.z};
    return {toScreen.transformPoint(nearPoint).x, toScreen.transformPoint(farPoint).x};
}
render::Vec3 pointTowardsPlayer(preview::PreviewScene& scene) {
    scene.frame();
    const render::Matrix4 camera = scene.viewport()->view().inverse().value();
    const float x = camera.at(3, 0), z = camera.at(3, 2);
    const float length = std::sqrt(x * x + z * z);
    return {0.5f * x / length, 0.0f, 0.5f * z / length};
}

const AssetFolder& builtAssets() {
    static const AssetFolder assets(MARQUILL_BINARY_DIR "/src/cli/assets");
    return assets;
}

TEST(PictureButton, TakesItsPicturesSizeAndFallsBackToAPlainButtonWithTheCaption) {
    QWidget parent;
    const PictureSet pictures = loadPictureSet(builtAssets(), "NEXT");
    ASSERT_TRUE(pictures.complete());
    PictureButtonWidget pictured(QStringLiteral("Next"), pictures, QSize(10, 10), &parent);
    EXPECT_TRUE(pictured.hasPictures());
    EXPECT_EQ(pictured.size(), pictures.up.size());

    PictureButtonWidget plain(QStringLiteral("Next"), loadPictureSet(AssetFolder(), "NEXT"),
                              QSize(150, 46), &parent);
    EXPECT_FALSE(plain.hasPictures());
    EXPECT_EQ(plain.size(), QSize(150, 46));
    int clicks = 0;
    QObject::connect(&plain, &QAbstractButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(&plain, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    plain.setEnabled(false);
    QTest::mouseClick(&plain, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

// The About box's picture is the tool's icon, a PNG at the desktop's largest size: it shows, fitted
// into the place the dialog gives it, beside the welcome picture read from its bitmap.
TEST(TemplateView, PicturesComeFromBitmapsOrTheIconFittedIntoTheirPlace) {
    QWidget surface;
    TemplateView about(wizard::aboutDialogTemplate(), builtAssets(), surface, ControlEvents{});
    auto* icon = qobject_cast<QLabel*>(about.widget(wizard::id::kAboutIcon));
    ASSERT_NE(icon, nullptr);
    ASSERT_FALSE(icon->pixmap().isNull());
    EXPECT_LE(icon->pixmap().width(), 42);
    EXPECT_LE(icon->pixmap().height(), 40);
    EXPECT_GE(icon->pixmap().height(), 32);

    QWidget wizardSurface;
    TemplateView view(wizard::wizardDialogTemplate(), builtAssets(), wizardSurface,
                      ControlEvents{});
    auto* welcome = qobject_cast<QLabel*>(view.widget(wizard::id::kWelcomePicture));
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(welcome->pixmap().size(), QPixmap(builtAssets().picturePath("132")).size());
}

TEST(TemplateView, MirrorsTheModelWithoutReportingItBackAndLeavesTogglesToTheModel) {
    QWidget surface;
    int events = 0;
    std::vector<int> clicked;
    TemplateView view(
        wizard::wizardDialogTemplate(), builtAssets(), surface,
        ControlEvents{[&](int controlId) { clicked.push_back(controlId); },
                      [&](int, std::vector<int>) { ++events; }, [&](int, int) { ++events; },
                      [&](int, std::string) { ++events; }, [&](int, bool) { ++events; }});
    EXPECT_EQ(surface.size(), QSize(948, 630));
    EXPECT_EQ(view.widget(wizard::id::kPreview)->geometry(), QRect(560, 60, 368, 508));

    wizard::ControlSet controls(wizard::wizardDialogTemplate());
    controls.setItems(wizard::id::kHeadMesh, {"Alpha", "Beta", "Gamma"}, {1});
    controls.setItems(wizard::id::kAvailable, {"a", "b", "c", "d"}, {0, 2});
    controls.setRange(wizard::id::kNice, 0, 10);
    controls.setPosition(wizard::id::kNice, 7);
    controls.select(wizard::id::kFacing, 3);
    controls.setText(wizard::id::kName, "Stella");
    controls.setText(wizard::id::kStatus, "Ready!");
    controls.show(wizard::id::kCreate, false);
    controls.enable(wizard::id::kNext, false);
    view.mirrorAll(controls);
    EXPECT_EQ(events, 0);

    auto* heads = qobject_cast<QListWidget*>(view.widget(wizard::id::kHeadMesh));
    ASSERT_EQ(heads->count(), 3);
    EXPECT_TRUE(heads->item(1)->isSelected());
    auto* available = qobject_cast<QListWidget*>(view.widget(wizard::id::kAvailable));
    EXPECT_TRUE(available->item(0)->isSelected());
    EXPECT_FALSE(available->item(1)->isSelected());
    EXPECT_TRUE(available->item(2)->isSelected());
    EXPECT_EQ(qobject_cast<QSlider*>(view.widget(wizard::id::kNice))->value(), 7);
    EXPECT_EQ(qobject_cast<QComboBox*>(view.widget(wizard::id::kFacing))->currentText(),
              "South East");
    EXPECT_EQ(qobject_cast<QLineEdit*>(view.widget(wizard::id::kName))->text(), "Stella");
    EXPECT_EQ(qobject_cast<QLabel*>(view.widget(wizard::id::kStatus))->text(), "Ready!");
    EXPECT_TRUE(view.widget(wizard::id::kCreate)->isHidden());
    EXPECT_FALSE(view.widget(wizard::id::kNext)->isEnabled());
    // Never-shown controls stay hidden whatever the state says.
    EXPECT_TRUE(view.widget(wizard::id::kReload)->isHidden());

    // A toggle pressed by the player is what the model says until the model changes it.
    surface.show();
    auto* male = qobject_cast<QPushButton*>(view.widget(wizard::id::kMale));
    ASSERT_TRUE(male->isCheckable());
    QTest::mouseClick(male, Qt::LeftButton);
    EXPECT_EQ(clicked, std::vector<int>{wizard::id::kMale});
    EXPECT_FALSE(male->isChecked());
    controls.press(wizard::id::kMale, true);
    view.mirror(controls, {wizard::id::kMale});
    EXPECT_TRUE(male->isChecked());

    // The first tool tip registered stays.
    view.addToolTip(wizard::id::kHeadMesh, "Select a head here.");
    view.addToolTip(wizard::id::kHeadMesh, "Change the Head Mesh.");
    EXPECT_EQ(heads->toolTip(), "Select a head here.");
}

TEST(TemplateDialog, ALongMessageGrowsTheDialogAndOkStaysBelowTheText) {
    RecordingSounds sounds;
    const std::string text =
        "Other Pemms will have difficulty remembering such a long name. Please select a shorter "
        "name for this Pemm. The name must be less than 30 characters.";
    wizard::MessageDialog model("Marquill Warning:", text, sounds);
    TemplateDialog dialog(model, builtAssets(), nullptr);
    auto* label = qobject_cast<QLabel*>(dialog.control(wizard::id::kMessageText));
    QWidget* ok = dialog.control(wizard::id::kOk);
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
    EXPECT_GE(ok->y(), label->y() + label->height());
    EXPECT_LE(ok->y() + ok->height(), dialog.height());
    EXPECT_GT(dialog.height(), 112);
    EXPECT_EQ(dialog.windowTitle(), "Marquill Warning:");

    // Enter is the model's OK, which clicks.
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(model.result(), static_cast<int>(wizard::DialogResult::Ok));
    EXPECT_EQ(sounds.count("CLICK"), 1);
}

TEST(PreviewWidget, ShowsTheBackBufferInPlaceAndTurnsAndZoomsThroughDragAndWheel) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    PreviewWidget& preview = rig.window().preview();
    const platform::soft3d::Surface* back = rig.dlg().scene()->backBuffer();
    ASSERT_NE(back, nullptr);
    ASSERT_TRUE(preview.showsFrame());
    // One image over the surface's pixels, not a copy.
    EXPECT_EQ(preview.image().constBits(), back->row(0));
    EXPECT_EQ(preview.image().size(), QSize(368, 508));

    // The person is in the picture: not every pixel is the orange background.
    QTest::qWait(50);
    const QImage shown = preview.grab().toImage();
    const QRgb orange = shown.pixel(2, 2);
    bool person = false;
    for (int y = 0; y < shown.height() && !person; y += 4)
        for (int x = 0; x < shown.width() && !person; x += 4)
            person = shown.pixel(x, y) != orange;
    EXPECT_TRUE(person);

    // The wheel moves the zoom slider, which the scene follows.
    auto* zoom = rig.controlAs<QSlider>(id::kZoom);
    ASSERT_EQ(zoom->value(), 3);
    const QPointF centre(preview.width() / 2.0, preview.height() / 2.0);
    QWheelEvent wheel(centre, preview.mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&preview, &wheel);
    EXPECT_EQ(zoom->value(), 4);
    EXPECT_EQ(rig.dlg().scene()->cameraSettings().zoomIndex, 4);

    // A drag turns the person and stops a rotation; the Facing list keeps its entry.
    rig.chooseEntry(id::kRotate, 2);
    EXPECT_GT(rig.dlg().scene()->cameraSettings().spinRate, 0.0f);
    const float facing = rig.dlg().scene()->cameraSettings().facing;
    QTest::mousePress(&preview, Qt::LeftButton, Qt::NoModifier, QPoint(100, 200));
    QTest::mouseMove(&preview, QPoint(192, 200));
    QTest::mouseRelease(&preview, Qt::LeftButton, Qt::NoModifier, QPoint(192, 200));
    EXPECT_NE(rig.dlg().scene()->cameraSettings().facing, facing);
    EXPECT_EQ(rig.dlg().scene()->cameraSettings().spinRate, 0.0f);
    EXPECT_EQ(rig.controlAs<QComboBox>(id::kFacing)->currentText(), "South East");
    EXPECT_EQ(rig.controlAs<QComboBox>(id::kRotate)->currentText(), "Fast");

    // The person turns with the pointer: dragged right, the side nearest the player goes right
    // and the far side left (an eighth of a turn here).
    preview::PreviewScene& scene = *rig.dlg().scene();
    const render::Vec3 front = pointTowardsPlayer(scene);
    const Sighting before = sightFrontAndBack(scene, front);
    QTest::mousePress(&preview, Qt::LeftButton, Qt::NoModifier, QPoint(100, 200));
    QTest::mouseMove(&preview, QPoint(146, 200));
    const Sighting after = sightFrontAndBack(scene, front);
    QTest::mouseRelease(&preview, Qt::LeftButton, Qt::NoModifier, QPoint(146, 200));
    EXPECT_GT(after.nearSide, before.nearSide + 0.05f);
    EXPECT_LT(after.farSide, before.farSide - 0.05f);
}

TEST(WindowFrameTimer, RunsFastWhileActiveSlowWhileNotAndStopsWhileBusy) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    rig.dlg().activate(true);
    EXPECT_EQ(rig.host.frameTimerPeriod(), 10);
    rig.dlg().activate(false);
    EXPECT_EQ(rig.host.frameTimerPeriod(), 150);
    rig.dlg().scene()->beginModal();
    EXPECT_EQ(rig.host.frameTimerPeriod(), 0);
    rig.dlg().scene()->endModal();
    EXPECT_EQ(rig.host.frameTimerPeriod(), 150);
    rig.window().hide();
    EXPECT_EQ(rig.host.frameTimerPeriod(), 0);
}

// While the frame timer runs the wizard keeps to one core; when it stops, the process has every
// core it started with again.
TEST(WindowFrameTimer, TheRunningPreviewKeepsToOneCoreAndLetsGoWhenItStops) {
    cpu_set_t started;
    ASSERT_EQ(sched_getaffinity(0, sizeof started, &started), 0);
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    rig.dlg().activate(true);
    ASSERT_EQ(rig.host.frameTimerPeriod(), 10);
    auto cores = [] {
        cpu_set_t now;
        return sched_getaffinity(0, sizeof now, &now) == 0 ? CPU_COUNT(&now) : -1;
    };
    // A tick that comes late lets go again, so wait for one on time.
    QElapsedTimer waited;
    waited.start();
    while (cores() != 1 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_EQ(cores(), 1);
    rig.window().hide();
    ASSERT_EQ(rig.host.frameTimerPeriod(), 0);
    cpu_set_t after;
    ASSERT_EQ(sched_getaffinity(0, sizeof after, &after), 0);
    EXPECT_TRUE(CPU_EQUAL(&after, &started));
}

// As `make run` starts it: the splash first, while the preview does not exist yet, then the
// wizard in front; nobody tells the wizard it is active but the application itself.
TEST(WindowFrameTimer, AfterTheSplashTheWizardInFrontRunsAtTheFastPeriod) {
    GuiRig rig;
    rig.options.splash = true;
    rig.answers.then([](QWidget&) {});  // the splash closes by itself
    rig.dialog =
        std::make_unique<wizard::CMarquillDlg>(rig.host, rig.environment, rig.random, rig.options);
    QtApplicationHost frontEnd(*qobject_cast<QApplication*>(QCoreApplication::instance()),
                               rig.host);
    int period = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (period >= 0 || !rig.dlg().scene() || !rig.dlg().scene()->ready()) return;
        period = rig.host.frameTimerPeriod();
        rig.host.postQuit(0);
    });
    poll.start(20);
    QTimer::singleShot(120000, [&] { rig.host.postQuit(1); });
    frontEnd.runWizard(rig.dlg());
    EXPECT_TRUE(rig.answers.allAnswered());
    EXPECT_EQ(rig.answers.seen.at(0).dialog, "IDD_TITLE");
    EXPECT_EQ(period, 10);
}

TEST(SaveDialog, TheWindowsFilterBecomesQtNameFilters) {
    EXPECT_EQ(nameFiltersFrom("Marquill Files (*.srf)| *.srf||"), "Marquill Files (*.srf)");
    EXPECT_EQ(nameFiltersFrom("Pemms|*.srf|All|*.*||"), "Pemms (*.srf);;All (*.*)");
    EXPECT_EQ(nameFiltersFrom(""), "");
}

TEST(SoundEffectPlayer, FindsNamesInAnyCaseAndStaysSilentWithoutAFileOrADevice) {
    SoundEffectPlayer player(builtAssets());
    player.playNamed("no such sound");
    EXPECT_TRUE(player.lastRequested().isEmpty());
    player.playNamed("Vox_heyshM2");
    EXPECT_TRUE(player.lastRequested().endsWith("/VOX_HEYSHM2.wav"));
    // The About button's click: returns once the sound ended, or at once without a device.
    player.playNamedAndWait("click");
    EXPECT_TRUE(player.lastRequested().endsWith("/CLICK.wav"));
    player.playFile("/nonexistent/sound.wav");
    player.stopAll();
    EXPECT_TRUE(player.lastRequested().isEmpty());
}

}  // namespace
}  // namespace marquill::ui
