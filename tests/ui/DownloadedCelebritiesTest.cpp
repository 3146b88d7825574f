// Downloaded celebrities through the window: a zip dropped onto the wizard at step 10 is
// installed, the outcome shown in the tool's message, and the list then draws the new
// celebrity with its head snapshot and name while its items stay the file names, in order.
// With MARQUILL_SHOTS set to a folder, the list and the message are saved there as pictures.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDropEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <cstdlib>

#include "GuiRig.h"
#include "gamedata/CelebrityPack.h"
#include "gamedata/CelebritySearch.h"
#include "gamedata/GameRunning.h"
#include "image/JpegDecoder.h"
#include "platform/Files.h"
#include "platform/MemoryFiles.h"
#include "ui/CelebrityPackages.h"
#include "ui/CelebrityRowDelegate.h"
#include "ui/QtApplicationHost.h"

namespace marquill::ui {
namespace {

namespace id = wizard::id;
using testing::GuiRig;
using testing::pressButton;

std::vector<uint8_t> jpegOf(QColor colour) {
    QImage image(96, 96, QImage::Format_RGB888);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPG"));
    return {bytes.begin(), bytes.end()};
}

void saveShot(QWidget& widget, const char* name) {
    if (const char* dir = std::getenv("MARQUILL_SHOTS"))
        widget.grab().save(QString::fromUtf8(dir) + "/" + name);
}

void drop(QWidget& window, const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
}

TEST(WindowDownloads, ADroppedZipIsInstalledAndStepTenShowsWhoEachCelebrityIs) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    rig.window().useJpegDecoder(image::JpegDecoder::load(MARQUILL_PICTRIX_MODULE));
    QtApplicationHost frontEnd(*qApp, rig.host);
    frontEnd.addFrontEndMenuItems();
    auto menu = rig.window().makeContextMenu();
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    EXPECT_TRUE(texts.contains("Add downloaded celebrities...")) << texts.join(",").toStdString();
    EXPECT_TRUE(texts.contains("Share a celebrity...")) << texts.join(",").toStdString();

    // A set to share: the demo's Star under another name, with a green head snapshot.
    const std::string folder = rig.game() + "/TemplateCelebrity";
    platform::MemoryFiles saved;
    saved.put("/t/Nova.iff", platform::readWholeFile(folder + "/Star.iff").value());
    saved.put("/t/Novahead.jpg", jpegOf(QColor(40, 200, 60)));
    auto packed = gamedata::packCelebrity("/t", "Nova", saved);
    ASSERT_TRUE(packed.zip) << packed.problem;
    const std::string zip = rig.root.root() + "/Nova.zip";
    ASSERT_TRUE(platform::writeFileAtomically(zip, *packed.zip));

    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kReplace);
    rig.click(id::kNext);
    ASSERT_EQ(rig.dlg().step(), 10);
    const QStringList before = rig.rows(id::kCelebrityFiles);

    std::string shown;
    rig.answers.then([&](QWidget& modal) {
        saveShot(modal, "outcome-message.png");
        pressButton(id::kOk)(modal);
    });
    drop(rig.window(), zip);
    ASSERT_TRUE(rig.answers.allAnswered());
    EXPECT_TRUE(rig.answers.unexpected.empty());
    ASSERT_FALSE(rig.answers.seen.empty());
    EXPECT_NE(rig.answers.seen.back().text.find("1 celebrity was installed.\nNova: installed"),
              std::string::npos)
        << rig.answers.seen.back().text;

    // The list: the file names as the model orders them, one more than before, under the step's
    // hint again rather than the scan's last progress text.
    ASSERT_EQ(rig.dlg().step(), 10);
    EXPECT_EQ(rig.status(),
              "Now pick the pemm you downloaded- this will replace the user you picked.");
    const QStringList after = rig.rows(id::kCelebrityFiles);
    EXPECT_EQ(after.size(), before.size() + 1);
    QStringList expected;
    for (const std::string& f : gamedata::listCelebrityFiles(gamedata::GamePaths(rig.game())))
        expected << QString::fromStdString(f);
    EXPECT_EQ(after, expected);

    CelebrityRowDelegate* rows = rig.window().celebrityRows();
    ASSERT_NE(rows, nullptr);
    const int nova = static_cast<int>(after.indexOf("Nova.iff"));
    const int star = static_cast<int>(after.indexOf("Star.iff"));
    ASSERT_GE(nova, 0);
    ASSERT_GE(star, 0);
    bool placeholder = true;
    const QImage picture = rows->picture(nova, &placeholder).toImage();
    EXPECT_FALSE(placeholder);
    const QColor centre = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    EXPECT_NEAR(centre.green(), 200, 12);
    EXPECT_NEAR(centre.red(), 40, 12);
    (void)rows->picture(star, &placeholder);
    EXPECT_TRUE(placeholder) << "Star has no snapshot";
    const auto& model = rig.dlg().import().celebrityFileRows();
    ASSERT_EQ(model.size(), static_cast<size_t>(after.size()));
    EXPECT_EQ(model[static_cast<size_t>(nova)].displayName,
              model[static_cast<size_t>(star)].displayName);  // the same person file
    EXPECT_FALSE(model[static_cast<size_t>(star)].displayName.empty());
    saveShot(rig.window(), "step10-snapshots.png");

    // Dropped again while the game runs: refused with the game's warning, nothing installed.
    CelebrityPackages running(rig.host, [](const std::string&) { return true; });
    rig.answers.then(pressButton(id::kOk));
    EXPECT_FALSE(running.add(rig.game(), {zip}));
    EXPECT_EQ(rig.answers.seen.back().text, gamedata::kGameRunningMessage);
    EXPECT_EQ(rig.rows(id::kCelebrityFiles), after);
}

}  // namespace
}  // namespace marquill::ui
