// A saved celebrity opened through the window's menu, changed and saved again: every page shows
// what the file holds, the save proposes the file's own name and asks before replacing it, and
// opening the file again shows the change and nothing else moved.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSlider>
#include <filesystem>

#include "GuiRig.h"
#include "celeb/SaveSequence.h"
#include "celeb/SavedCelebrity.h"
#include "celeb/Vocabulary.h"
#include "wizard/PersonalityPage.h"

namespace marquill::ui {
namespace {

namespace fs = std::filesystem;
namespace id = wizard::id;
using testing::GuiRig;
using testing::pressButton;

// Chooses a file in the open-file dialog by its whole path.
testing::ModalAnswerer::Handler openFile(const std::string& path, std::string* folder) {
    return [path, folder](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
        *folder = dialog->directory().absolutePath().toStdString();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(QString::fromStdString(path));
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

// Accepts the name the save-file dialog proposes, which `proposed` receives.
testing::ModalAnswerer::Handler acceptProposedName(std::string* proposed) {
    return [proposed](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        *proposed = edit->text().toStdString();
        // The question about replacing opens inside this key press; pressed later, the answerer
        // is free to see it.
        QPointer<QLineEdit> later(edit);
        QTimer::singleShot(0, [later] {
            if (later) QTest::keyClick(later, Qt::Key_Return);
        });
    };
}

// The file dialog's question before it replaces a file: Yes.
testing::ModalAnswerer::Handler replaceFile() {
    return [](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr) << modal.metaObject()->className();
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        ASSERT_NE(yes, nullptr);
        QTest::mouseClick(yes, Qt::LeftButton);
    };
}

void chooseMenuItem(GuiRig& rig, const QString& text) {
    std::unique_ptr<QMenu> menu = rig.window().makeContextMenu();
    for (QAction* action : menu->actions())
        if (action->text() == text) {
            action->trigger();
            return;
        }
    ADD_FAILURE() << "no menu item " << text.toStdString();
}

void openThroughMenu(GuiRig& rig, const std::string& path) {
    std::string openedIn;
    rig.answers.then(openFile(path, &openedIn));
    chooseMenuItem(rig, QStringLiteral("Open a saved celebrity..."));
    ASSERT_TRUE(rig.answers.allAnswered());
    EXPECT_EQ(fs::canonical(openedIn), fs::canonical(rig.game() + "/TemplateCelebrity"));
}

std::string descriptionShown(GuiRig& rig) {
    return rig.controlAs<QPlainTextEdit>(id::kDescription)->toPlainText().toStdString();
}

TEST(WindowOpenSaved, OpenChangeTheDescriptionSaveAndOpenAgain) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_EQ(rig.dlg().step(), 0);

    // A woman in the lists' second choices, saved under a file name unlike her own.
    rig.click(id::kCreate);
    rig.click(id::kFemale);
    rig.clickRows(id::kHeadMesh, {int(rig.rows(id::kHeadMesh).size()) - 1});
    rig.click(id::kNext);  // the high-fashion page offers her own bodies
    ASSERT_EQ(rig.dlg().step(), 2);
    const character::Appearance look = rig.dlg().scene()->lookLists()->appearance();
    rig.click(id::kBack);
    celeb::PemmData record;
    record.setName("Opal Quill");
    record.setDescription("Sings.\r\nDances.");
    record.setGender(celeb::kFemale);
    record.setSkinColour(look.skinColour);
    record.setBodyType(look.bodyType);
    record.setHeadMesh(look.headMesh);
    record.setHeadTexture(look.headTexture);
    record.setBodyMesh(look.bodyMesh);
    record.setBodyTexture(look.bodyTexture);
    record.setFashionBodyMesh(look.fashionBodyMesh);
    record.setFashionBodyTexture(look.fashionBodyTexture);
    const std::array<int, celeb::kTraitCount> traits = {3, 7, 2, 8, 5};
    for (int k = 0; k < celeb::kTraitCount; ++k)
        record.setTrait(k, traits[size_t(k)]);
    for (int p = 0; p < celeb::kInterestCount; ++p)
        record.setInterestAt(p, (p * 7) % celeb::kInterestCount);
    record.setFameLevel(7);
    const std::string folder = rig.game() + "/TemplateCelebrity";
    const std::string file = folder + "/OpalFile.srf";
    {
        wizard::testing::FileOnlySaveHost host(file);
        celeb::SkinFileList skins;
        const celeb::SaveSetup setup{rig.game(), rig.tool() + "/QT_Template.iff", nullptr, {}};
        ASSERT_EQ(celeb::saveCelebrity(record, {look, 7}, setup, skins, host, {}).outcome,
                  celeb::SaveResult::Outcome::Saved);
    }
    const celeb::SavedCelebrity before = celeb::readSavedCelebrity(file);
    ASSERT_TRUE(before.ok()) << before.error;
    rig.click(id::kBack);
    ASSERT_EQ(rig.dlg().step(), 0);

    // Opened from the welcome step: straight to step 1, every page filled, no message.
    openThroughMenu(rig, file);
    EXPECT_TRUE(rig.answers.seen.size() == 1) << rig.answers.seen.back().text;
    ASSERT_EQ(rig.dlg().step(), 1);
    EXPECT_TRUE(rig.controlAs<QAbstractButton>(id::kFemale)->isChecked());
    EXPECT_FALSE(rig.controlAs<QAbstractButton>(id::kMale)->isChecked());
    auto selectedText = [&](int listId) {
        const std::vector<int> rows = rig.selectedRows(listId);
        return rows.size() == 1 ? rig.rows(listId)[rows[0]].toStdString() : std::string("<none>");
    };
    EXPECT_EQ(selectedText(id::kHeadMesh), look.headMesh);
    EXPECT_EQ(selectedText(id::kBodyMesh), look.bodyMesh);
    EXPECT_TRUE(rig.control(id::kNext)->isEnabled());
    rig.click(id::kNext);
    ASSERT_EQ(rig.dlg().step(), 2);
    rig.click(id::kNext);
    ASSERT_EQ(rig.dlg().step(), 3);
    EXPECT_EQ(rig.controlAs<QLineEdit>(id::kName)->text().toStdString(), "Opal Quill");
    EXPECT_EQ(descriptionShown(rig), "Sings.\nDances.");

    // The change: one more line.
    auto* description = rig.controlAs<QPlainTextEdit>(id::kDescription);
    description->setFocus();
    description->moveCursor(QTextCursor::End);
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, "Waves.");
    rig.click(id::kNext);
    ASSERT_EQ(rig.dlg().step(), 4);
    for (int k = 0; k < celeb::kTraitCount; ++k)
        EXPECT_EQ(rig.controlAs<QSlider>(wizard::traitSlider(k))->value(), traits[size_t(k)]);
    rig.click(id::kNext);
    ASSERT_EQ(rig.dlg().step(), 5);
    EXPECT_EQ(rig.rows(id::kTop).size(), 5);
    EXPECT_EQ(rig.rows(id::kLow).size(), 5);
    rig.click(id::kNext);
    ASSERT_EQ(rig.dlg().step(), 6);
    EXPECT_EQ(rig.controlAs<QComboBox>(id::kFame)->currentIndex(), 7);
    rig.click(id::kNext);
    ASSERT_EQ(rig.dlg().step(), 7);

    // The save proposes the file's name, and the dialog asks before replacing it.
    std::string proposed;
    rig.answers.seen.clear();
    rig.answers.then(acceptProposedName(&proposed));
    rig.answers.then(replaceFile());
    rig.answers.then(pressButton(id::kCancel));  // no exchange site
    rig.answers.then(pressButton(id::kOk));      // "Finished!"
    rig.click(id::kSave);
    ASSERT_TRUE(rig.answers.allAnswered());
    EXPECT_TRUE(rig.answers.unexpected.empty()) << rig.answers.unexpected.front();
    EXPECT_EQ(proposed, "OpalFile");
    ASSERT_EQ(rig.dlg().step(), 0);

    const celeb::SavedCelebrity after = celeb::readSavedCelebrity(file);
    ASSERT_TRUE(after.ok()) << after.error;
    EXPECT_EQ(after.record.description(), "Sings.\r\nDances.\r\nWaves.");
    EXPECT_EQ(after.record.name(), before.record.name());
    EXPECT_EQ(after.appearance, before.appearance);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.middle, before.middle);
    EXPECT_EQ(after.low, before.low);
    for (int k = 0; k < celeb::kTraitCount; ++k)
        EXPECT_EQ(after.record.trait(k), before.record.trait(k));
    EXPECT_EQ(after.record.fameLevel(), 7);
    EXPECT_TRUE(after.repairs.empty());

    // Opened again, the page shows the change.
    rig.answers.seen.clear();
    openThroughMenu(rig, file);
    ASSERT_EQ(rig.dlg().step(), 1);
    rig.click(id::kNext);
    rig.click(id::kNext);
    ASSERT_EQ(rig.dlg().step(), 3);
    EXPECT_EQ(descriptionShown(rig), "Sings.\nDances.\nWaves.");
}

}  // namespace
}  // namespace marquill::ui
