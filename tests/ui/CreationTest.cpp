// A whole creation through the window: every page clicked and typed as a player does, the save
// into the game's TemplateCelebrity folder through the save-file dialog, and the four files.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "GuiRig.h"
#include "celeb/PemmData.h"
#include "platform/ProfileStrings.h"
#include "ui/PreviewWidget.h"

namespace marquill::ui {
namespace {

namespace fs = std::filesystem;
namespace id = wizard::id;
using testing::GuiRig;
using testing::pressButton;
using testing::typeFileName;

std::string textOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool isJpeg(const std::string& path) {
    const std::string bytes = textOf(path);
    return bytes.size() > 4 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int sliderValue(GuiRig& rig, int controlId) {
    return rig.controlAs<QSlider>(controlId)->value();
}

TEST(WindowCreation, EveryPageThroughTheWidgetsThenTheSaveWritesTheFourFiles) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    EXPECT_EQ(rig.status(), "Ready!");
    // The welcome step: Create and Replace (picture buttons), no Back or Next.
    EXPECT_TRUE(rig.shows(id::kCreate));
    EXPECT_TRUE(rig.shows(id::kReplace));
    EXPECT_TRUE(rig.shows(id::kWelcomePicture));
    EXPECT_FALSE(rig.control(id::kNext)->isEnabled());
    EXPECT_TRUE(rig.window().preview().showsFrame());

    // Step 1: the look page, with the woman's lists after the Female toggle.
    rig.click(id::kCreate);
    EXPECT_EQ(rig.dlg().step(), 1);
    EXPECT_EQ(rig.status(), "Pick a head and normal fashion body for your pemm");
    EXPECT_FALSE(rig.shows(id::kCreate));
    const QStringList maleHeads = rig.rows(id::kHeadMesh);
    ASSERT_FALSE(maleHeads.isEmpty());
    rig.click(id::kFemale);
    EXPECT_TRUE(rig.controlAs<QAbstractButton>(id::kFemale)->isChecked());
    EXPECT_FALSE(rig.controlAs<QAbstractButton>(id::kMale)->isChecked());
    const QStringList femaleHeads = rig.rows(id::kHeadMesh);
    ASSERT_FALSE(femaleHeads.isEmpty());
    EXPECT_NE(femaleHeads, maleHeads);
    const int lastHead = static_cast<int>(femaleHeads.size()) - 1;
    rig.clickRows(id::kHeadMesh, {lastHead});
    EXPECT_EQ(rig.selectedRows(id::kHeadMesh), std::vector<int>{lastHead});
    ASSERT_GT(rig.rows(id::kHeadTexture).size(), 0);
    rig.clickRows(id::kHeadTexture, {0});
    ASSERT_GT(rig.rows(id::kBodyMesh).size(), 0);
    rig.clickRows(id::kBodyMesh, {0});
    ASSERT_GT(rig.rows(id::kBodyTexture).size(), 0);
    rig.clickRows(id::kBodyTexture, {0});
    const std::string head = femaleHeads[lastHead].toStdString();
    const std::string bodyTexture = rig.rows(id::kBodyTexture)[0].toStdString();
    rig.click(id::kNext);

    // Step 2: the high-fashion body.
    ASSERT_EQ(rig.dlg().step(), 2);
    EXPECT_EQ(rig.status(), "Now pick high fashion body for your pemm");
    EXPECT_FALSE(rig.shows(id::kHeadMesh));
    EXPECT_TRUE(rig.shows(id::kBodyMesh));
    rig.clickRows(id::kBodyMesh, {0});
    rig.clickRows(id::kBodyTexture, {0});
    rig.click(id::kNext);

    // Step 3: the name and description, typed.
    ASSERT_EQ(rig.dlg().step(), 3);
    EXPECT_FALSE(rig.control(id::kNext)->isEnabled());
    QTest::keyClicks(rig.controlAs<QLineEdit>(id::kName), "Ui Star");
    EXPECT_FALSE(rig.control(id::kNext)->isEnabled());
    auto* description = rig.controlAs<QPlainTextEdit>(id::kDescription);
    QTest::keyClicks(description, "Sings");
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, "for the camera.");
    EXPECT_TRUE(rig.control(id::kNext)->isEnabled());
    rig.click(id::kNext);
    // Stored as the game's edit controls store a line break.
    EXPECT_EQ(rig.dlg().record().description(), "Sings\r\nfor the camera.");

    // Step 4: the sign button sets all five sliders to a profile of 25 points.
    ASSERT_EQ(rig.dlg().step(), 4);
    EXPECT_EQ(rig.controlAs<QLabel>(id::kPoints)->text(), "25");
    EXPECT_EQ(rig.controlAs<QAbstractButton>(id::kSign)->text(), "Cancer");
    rig.click(id::kSign);
    EXPECT_EQ(rig.controlAs<QLabel>(id::kPoints)->text(), "0");
    EXPECT_EQ(rig.status(), "Press next to continue.");
    const int nice = sliderValue(rig, id::kNice), neat = sliderValue(rig, id::kNeat),
              outgoing = sliderValue(rig, id::kOutgoing), active = sliderValue(rig, id::kActive),
              playful = sliderValue(rig, id::kPlayful);
    EXPECT_EQ(nice + neat + outgoing + active + playful, 25);
    const QString sign = rig.controlAs<QAbstractButton>(id::kSign)->text();
    EXPECT_NE(sign, "Cancer");
    // One point more on a full slider's neighbour goes over: the label reads -1 and Next waits.
    auto* neatSlider = rig.controlAs<QSlider>(id::kNeat);
    QTest::keyClick(neatSlider, neat < 10 ? Qt::Key_Right : Qt::Key_Left);
    if (neat < 10) {
        EXPECT_EQ(rig.controlAs<QLabel>(id::kPoints)->text(), "-1");
        EXPECT_FALSE(rig.control(id::kNext)->isEnabled());
        QTest::keyClick(neatSlider, Qt::Key_Left);
    } else {
        QTest::keyClick(neatSlider, Qt::Key_Right);
    }
    EXPECT_EQ(rig.controlAs<QLabel>(id::kPoints)->text(), "0");
    rig.click(id::kNext);

    // Step 5: five top and five low interests, picked in the list and added.
    ASSERT_EQ(rig.dlg().step(), 5);
    ASSERT_EQ(rig.rows(id::kAvailable).size(), 15);
    const QStringList available = rig.rows(id::kAvailable);
    rig.click(id::kAddTop);  // nothing selected: refused
    EXPECT_EQ(rig.sounds.count("DENIED"), 1);
    rig.clickRows(id::kAvailable, {0, 2, 4, 6, 8});
    EXPECT_EQ(rig.selectedRows(id::kAvailable), (std::vector<int>{0, 2, 4, 6, 8}));
    rig.click(id::kAddTop);
    EXPECT_EQ(rig.rows(id::kTop),
              (QStringList{available[0], available[2], available[4], available[6], available[8]}));
    EXPECT_FALSE(rig.control(id::kAddTop)->isEnabled());
    EXPECT_EQ(rig.rows(id::kAvailable).size(), 10);
    EXPECT_FALSE(rig.control(id::kNext)->isEnabled());
    EXPECT_EQ(rig.status(), "You need to select 5 low interests for your Pemm.");
    rig.clickRows(id::kAvailable, {0, 1, 2, 3, 4});
    rig.click(id::kAddLow);
    EXPECT_EQ(rig.rows(id::kLow).size(), 5);
    EXPECT_EQ(rig.status(), "Press Next to continue.");
    rig.click(id::kNext);

    // Step 6: a fame level from the drop list; its description goes to the status line.
    ASSERT_EQ(rig.dlg().step(), 6);
    EXPECT_TRUE(rig.shows(id::kFamePicture));
    rig.chooseEntry(id::kFame, 5);
    EXPECT_EQ(rig.controlAs<QComboBox>(id::kFame)->currentIndex(), 5);
    EXPECT_NE(rig.status(), "Choose Fame Level");
    rig.click(id::kNext);

    // Step 7: Save, with the save-file dialog opening in TemplateCelebrity. Without the template
    // person file the save says so, keeps the player here, and leaves no file of the set.
    ASSERT_EQ(rig.dlg().step(), 7);
    EXPECT_FALSE(rig.control(id::kNext)->isEnabled());
    const std::string templateFile = rig.tool() + "/QT_Template.iff";
    const std::vector<std::string> filesBefore = namesIn(rig.game() + "/TemplateCelebrity");
    fs::rename(templateFile, templateFile + ".away");
    rig.answers.then(typeFileName(QStringLiteral("UiStar")));
    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kSave);
    ASSERT_TRUE(rig.answers.allAnswered());
    ASSERT_EQ(rig.answers.seen.size(), 2u);
    EXPECT_EQ(rig.answers.seen[1].caption, "Marquill Error:");
    EXPECT_EQ(rig.answers.seen[1].text, "Could not create new file.");
    EXPECT_EQ(rig.dlg().step(), 7);
    EXPECT_TRUE(rig.shows(id::kSave));
    EXPECT_EQ(rig.status(), "Export your Pemm");
    EXPECT_EQ(namesIn(rig.game() + "/TemplateCelebrity"), filesBefore);
    fs::rename(templateFile + ".away", templateFile);
    rig.answers.seen.clear();

    std::string openedIn;
    rig.answers.then(typeFileName(QStringLiteral("UiStar"), &openedIn));
    rig.answers.then(pressButton(id::kCancel));  // no exchange site now
    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kSave);

    EXPECT_TRUE(rig.answers.allAnswered());
    EXPECT_TRUE(rig.answers.unexpected.empty()) << rig.answers.unexpected.front();
    const std::string folder = rig.game() + "/TemplateCelebrity";
    EXPECT_EQ(fs::canonical(openedIn), fs::canonical(folder));
    ASSERT_EQ(rig.answers.seen.size(), 3u);
    EXPECT_EQ(rig.answers.seen[1].dialog, "CDMOKCancel");
    EXPECT_EQ(rig.answers.seen[1].caption, "Marquill");
    EXPECT_EQ(rig.answers.seen[2].dialog, "CPemmSaved");
    EXPECT_EQ(rig.answers.seen[2].caption, "Finished!");
    EXPECT_EQ(rig.dlg().step(), 0);
    EXPECT_TRUE(rig.shows(id::kCreate));

    ASSERT_TRUE(fs::exists(folder + "/UiStar.srf"));
    const auto doc = platform::ProfileDocument::parse(textOf(folder + "/UiStar.srf"));
    auto key = [&](const char* k) {
        const std::string* v = doc.get("Marquill", k);
        return v ? *v : std::string("<none>");
    };
    EXPECT_EQ(key("Name"), "Ui Star");
    EXPECT_EQ(key("Description"), "Sings  for the camera.");
    EXPECT_EQ(key("Gender"), "Female");
    EXPECT_EQ(key("FameLevel"), "5");
    EXPECT_EQ(key("Neat"), std::to_string(neat));
    EXPECT_EQ(key("Nice"), std::to_string(nice));
    EXPECT_EQ(key("Outgoing"), std::to_string(outgoing));
    EXPECT_EQ(key("Active"), std::to_string(active));
    EXPECT_EQ(key("Playful"), std::to_string(playful));
    EXPECT_EQ(rig.dlg().record().headMesh(), head);
    EXPECT_EQ(rig.dlg().record().bodyTexture(), bodyTexture);
    EXPECT_GT(fs::file_size(folder + "/UiStar.iff"), 0u);
    EXPECT_TRUE(isJpeg(folder + "/UiStarhead.jpg"));
    EXPECT_TRUE(isJpeg(folder + "/UiStarbody.jpg"));
    // Every accepted press clicked.
    EXPECT_GE(rig.sounds.count("CLICK"), 10);
}

TEST(WindowCreation, EscapeAsksBeforeQuittingAndCancelKeepsTheWizard) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    rig.answers.then(pressButton(id::kCancel));
    QTest::keyClick(&rig.window(), Qt::Key_Escape);
    ASSERT_EQ(rig.answers.seen.size(), 1u);
    EXPECT_EQ(rig.answers.seen[0].dialog, "CDMOKCancel");
    EXPECT_EQ(rig.answers.seen[0].text, "Are you sure you want to quit?");
    EXPECT_FALSE(rig.dlg().result());
    EXPECT_TRUE(rig.window().isVisible());
    // Enter does nothing at all.
    QTest::keyClick(&rig.window(), Qt::Key_Return);
    EXPECT_EQ(rig.answers.seen.size(), 1u);

    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kQuit);
    EXPECT_TRUE(rig.dlg().result());
    EXPECT_FALSE(rig.window().isVisible());
    EXPECT_EQ(rig.host.frameTimerPeriod(), 0);
}

// Steps 1 and 2 with the lists as they come, then the name page.
void goToNamePage(GuiRig& rig) {
    rig.click(id::kCreate);
    rig.click(id::kNext);
    rig.click(id::kNext);
    ASSERT_EQ(rig.dlg().step(), 3);
}

TEST(WindowCreation, AFullDescriptionRefusesMoreWhereItIsTypedAndAPasteIsCutToFit) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    goToNamePage(rig);
    auto* edit = rig.controlAs<QPlainTextEdit>(id::kDescription);
    ASSERT_NE(edit, nullptr);
    const std::string& model = rig.dlg().controls().at(id::kDescription).text;

    // A paste longer than the limit keeps its first 1024 characters.
    edit->setFocus();
    QApplication::clipboard()->setText(QString(1000, u'a') + QString(40, u'b'));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(model, std::string(1000, 'a') + std::string(24, 'b'));
    EXPECT_EQ(edit->toPlainText().size(), 1024);

    // Typing into the full text changes nothing and leaves the cursor where it was.
    QTextCursor at = edit->textCursor();
    at.setPosition(10);
    edit->setTextCursor(at);
    QTest::keyClicks(edit, "xyz");
    EXPECT_EQ(edit->textCursor().position(), 10);
    EXPECT_EQ(model, std::string(1000, 'a') + std::string(24, 'b'));

    // A line break counts as the two characters the game stores for it.
    at.movePosition(QTextCursor::End);
    edit->setTextCursor(at);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(model, std::string(1000, 'a') + std::string(23, 'b'));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(model, std::string(1000, 'a') + std::string(22, 'b') + "\r\n");
    const int cursor = edit->textCursor().position();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(model, std::string(1000, 'a') + std::string(22, 'b') + "\r\n");
    EXPECT_EQ(edit->textCursor().position(), cursor);
}
}  // namespace
}  // namespace marquill::ui
