// A whole import through the window: the picker, both lists, the replacement and its backup;
// then the same import undone from the window's context menu.
#include <gtest/gtest.h>

#include <QMenu>

#include "GuiRig.h"
#include "gamedata/Backups.h"
#include "platform/Files.h"
#include "platform/GamePath.h"
#include "ui/QtApplicationHost.h"

namespace marquill::ui {
namespace {

namespace id = wizard::id;
using testing::GuiRig;
using testing::pressButton;

QAction* menuAction(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
        if (action->text() == text) return action;
    return nullptr;
}

// Picks the first backup in the chooser and presses its OK.
TEST(WindowImport, PickerBothListsAndTheReplacementWithItsBackupThenUndoPutsTheFileBack) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    const std::string target =
        platform::resolveGamePath(rig.game(), "UserData/Characters/User00004.iff");
    const auto before = platform::readWholeFile(target);
    ASSERT_TRUE(before);

    // Step 9: the picker opens at the first neighbourhood; OK takes it.
    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kReplace);
    ASSERT_EQ(rig.answers.seen.size(), 1u);
    EXPECT_EQ(rig.answers.seen[0].dialog, "MarquillPickNhood");
    EXPECT_EQ(rig.answers.seen[0].caption, "Pick a Neighborhood");
    EXPECT_EQ(rig.answers.seen[0].text.rfind("Pick a Neighborhood.\n\n", 0), 0u);
    ASSERT_EQ(rig.dlg().step(), 9);
    EXPECT_TRUE(rig.shows(id::kCelebrities));
    EXPECT_EQ(rig.status(), "Select the celebrity you want to replace.");
    const QStringList celebrities = rig.rows(id::kCelebrities);
    ASSERT_GT(celebrities.size(), 1);
    EXPECT_TRUE(celebrities[1].startsWith("User00004.iff")) << celebrities[1].toStdString();
    rig.clickRows(id::kCelebrities, {1});
    rig.click(id::kNext);

    // Step 10: the celebrity files waiting in TemplateCelebrity.
    ASSERT_EQ(rig.dlg().step(), 10);
    EXPECT_FALSE(rig.shows(id::kCelebrities));
    EXPECT_TRUE(rig.shows(id::kCelebrityFiles));
    const QStringList files = rig.rows(id::kCelebrityFiles);
    const int star = static_cast<int>(files.indexOf("Star.iff"));
    ASSERT_GE(star, 0) << files.join(", ").toStdString();
    rig.clickRows(id::kCelebrityFiles, {star});
    rig.click(id::kNext);

    // Step 11 ran and the wizard is back at the welcome step.
    EXPECT_EQ(rig.dlg().step(), 0);
    EXPECT_TRUE(rig.shows(id::kCreate));
    EXPECT_TRUE(rig.answers.unexpected.empty()) << rig.answers.unexpected.front();
    ASSERT_TRUE(rig.dlg().import().lastReplace());
    const gamedata::ReplaceResult& result = *rig.dlg().import().lastReplace();
    ASSERT_EQ(result.outcome, gamedata::ReplaceResult::Outcome::Replaced) << result.message;
    const auto after = platform::readWholeFile(target);
    ASSERT_TRUE(after);
    EXPECT_NE(*after, *before);
    const gamedata::BackupStore store(rig.backups());
    const std::vector<gamedata::Backup> backups = store.list();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].personPath, target);
    EXPECT_EQ(platform::readWholeFile(backups[0].savedFile), before);

    // The neighbourhood now lists the new celebrity in the old one's place.
    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kReplace);
    EXPECT_NE(rig.rows(id::kCelebrities)[1], celebrities[1]);
    rig.click(id::kBack);
    EXPECT_EQ(rig.dlg().step(), 0);

    // "Undo an import..." from the context menu, beside About.
    QtApplicationHost frontEnd(*qApp, rig.host);
    frontEnd.addFrontEndMenuItems();
    auto menu = rig.window().makeContextMenu();
    ASSERT_NE(menuAction(*menu, "&About this program..."), nullptr);
    QAction* undo = menuAction(*menu, "Undo an import...");
    ASSERT_NE(undo, nullptr);
    rig.answers.then(pressButton(id::kOk));  // the newest import, selected first
    rig.answers.then(pressButton(id::kOk));  // the confirmation
    rig.answers.then(pressButton(id::kOk));  // done
    undo->trigger();
    EXPECT_TRUE(rig.answers.allAnswered());
    EXPECT_TRUE(rig.answers.unexpected.empty()) << rig.answers.unexpected.front();
    const auto& seen = rig.answers.seen;
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[seen.size() - 2].dialog, "CDMOKCancel");
    EXPECT_EQ(seen.back().text, "User00004.iff is back as it was before the import.");
    EXPECT_EQ(platform::readWholeFile(target), before);
}

// Steps 9 and 10 up to the replacement, with the neighbourhood's second celebrity and the
// downloaded list's first file, if any; returns the messages step 11 showed.
std::vector<std::string> importFirstFile(GuiRig& rig) {
    rig.answers.seen.clear();
    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kReplace);
    EXPECT_EQ(rig.dlg().step(), 9);
    rig.clickRows(id::kCelebrities, {1});
    rig.click(id::kNext);
    EXPECT_EQ(rig.dlg().step(), 10);
    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kNext);
    EXPECT_TRUE(rig.answers.allAnswered());
    std::vector<std::string> messages;
    for (size_t i = 1; i < rig.answers.seen.size(); ++i)
        messages.push_back(rig.answers.seen[i].caption + " " + rig.answers.seen[i].text);
    return messages;
}

TEST(WindowImport, StepElevenSaysWhatIsMissingInsteadOfDoingNothingQuietly) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    const std::string folder = platform::resolveGamePath(rig.game(), "TemplateCelebrity");
    const std::string away = rig.game() + "/celebrities-away";
    std::filesystem::rename(folder, away);
    std::filesystem::create_directory(folder);

    auto messages = importFirstFile(rig);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Marquill Error: There is no celebrity file to import", 0), 0u)
        << messages[0];
    EXPECT_EQ(rig.dlg().step(), 0);
    EXPECT_TRUE(rig.shows(id::kCreate));

    // A person file that went away after it was chosen.
    std::filesystem::remove(folder);
    std::filesystem::rename(away, folder);
    const std::string target =
        platform::resolveGamePath(rig.game(), "UserData/Characters/User00004.iff");
    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kReplace);
    rig.clickRows(id::kCelebrities, {1});
    rig.click(id::kNext);
    std::filesystem::remove(target);
    rig.answers.then(pressButton(id::kOk));
    rig.click(id::kNext);
    ASSERT_TRUE(rig.answers.allAnswered());
    EXPECT_EQ(rig.answers.seen.back().caption, "Marquill Error:");
    EXPECT_NE(rig.answers.seen.back().text.find("User00004.iff"), std::string::npos)
        << rig.answers.seen.back().text;
    EXPECT_EQ(rig.dlg().step(), 0);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST(WindowImport, TheContextMenusAboutOpensTheAboutDialog) {
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    auto menu = rig.window().makeContextMenu();
    QAction* about = menuAction(*menu, "&About this program...");
    ASSERT_NE(about, nullptr);
    rig.answers.then(pressButton(id::kOk));
    about->trigger();
    ASSERT_EQ(rig.answers.seen.size(), 1u);
    EXPECT_EQ(rig.answers.seen[0].dialog, "IDD_ABOUTBOX");
    EXPECT_TRUE(rig.answers.unexpected.empty());
}

}  // namespace
}  // namespace marquill::ui
