// The game check through the window on a player's home: several games bring up the chooser,
// none brings up the "not detected" message and the folder dialog behind its button; the game
// picked either way is the one the wizard starts on, and it is remembered.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <QDialogButtonBox>

#include "GuiRig.h"
#include "platform/RememberedGame.h"
#include "platform/ToolFolders.h"
#include "wizard/GameChooserDialog.h"

namespace marquill::ui {
namespace {

namespace fs = std::filesystem;
namespace id = wizard::id;
using testing::GuiRig;
using testing::pressButton;

// Goes to `folder` in the folder dialog and presses its accept button, as a player who walked
// there would.
testing::ModalAnswerer::Handler chooseFolderIn(const std::string& folder) {
    return [folder](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
        dialog->setDirectory(QString::fromStdString(folder));
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        QAbstractButton* accept = nullptr;
        for (QAbstractButton* b : buttons->buttons())
            if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole) accept = b;
        ASSERT_NE(accept, nullptr);
        QTest::mouseClick(accept, Qt::LeftButton);
    };
}

// A Proton prefix's folders leave a long path to the game.
constexpr std::string_view kSteamPrefix = ".local/share/Steam/steamapps/compatdata/1234567890/pfx";
constexpr std::string_view kLongWindowsFolder =
    "Program Files (x86)\\Kavor\\The Pemms Collection\\The Pemms";

class GameChoiceInTheWindow : public ::testing::Test {
  protected:
    GameChoiceInTheWindow() : home_(platform::HomeFolders::under(homeTree_.root() + "/home")) {}
    // The wizard works in its game's folder, which goes with a test's tree; the folder dialog
    // opens in the folder the wizard started in, and never returns when that one has gone.
    void SetUp() override { ASSERT_EQ(::chdir(homeTree_.root().c_str()), 0); }
    void TearDown() override {
        if (::chdir(before_.c_str()) != 0) {
            EXPECT_EQ(::chdir("/"), 0);
        }
    }

    // A prefix whose system.reg records the game in drive C's `windowsFolder`, where a copy of
    // the demo installation is put: the folder on disk.
    std::string install(std::string_view prefixBelowHome, std::string_view windowsFolder) {
        const std::string prefix = home_.home + "/" + std::string(prefixBelowHome);
        std::string below(windowsFolder);
        std::replace(below.begin(), below.end(), '\\', '/');
        const std::string folder = prefix + "/drive_c/" + below;
        fs::create_directories(prefix + "/dosdevices");
        fs::create_directories(fs::path(folder).parent_path());
        fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
        fs::copy(testing::demoGameFolder(), folder, fs::copy_options::recursive);
        std::string escaped;
        for (char c : windowsFolder)
            escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        std::ofstream(prefix + "/system.reg")
            << "WINE REGISTRY Version 2\n\n[Software\\\\Kavor\\\\The Pemms] 1700000000\n"
               "\"PEMMS_DATA\"=\"C:\\\\"
            << escaped << "\"\n";
        return fs::canonical(folder).string();
    }

    [[nodiscard]] std::string remembered() const {
        auto read = platform::readRememberedGame(home_);
        return read.game ? read.game->folder : std::string();
    }

    marquill::testing::TempTree homeTree_;
    platform::HomeFolders home_;
    std::string before_ = platform::currentFolder();
};

TEST_F(GameChoiceInTheWindow, TheChooserListsEveryGameAndThePickedOneIsWorkedOnAndRemembered) {
    const std::string plain = install(".wine", "Pemms");
    const std::string proton = install(kSteamPrefix, kLongWindowsFolder);
    ASSERT_GT(proton.size(), 130u);
    GuiRig rig(home_);

    QStringList entries, tips;
    bool middleElided = false;
    rig.answers.then([&](QWidget& modal) {
        auto* dialog = qobject_cast<TemplateDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
        auto* list = qobject_cast<QListWidget*>(dialog->control(id::kGameChooserList));
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->count(); ++i) {
            entries << list->item(i)->text();
            tips << list->item(i)->toolTip();
        }
        // The long entry cannot be shown whole in the list's width, so it loses its middle.
        int row = 0;
        while (row < entries.size() && !entries[row].startsWith(QString::fromStdString(proton)))
            ++row;
        ASSERT_LT(row, entries.size()) << entries.join("\n").toStdString();
        const int width = list->viewport()->width();
        middleElided = list->textElideMode() == Qt::ElideMiddle &&
                       list->fontMetrics().horizontalAdvance(entries[row]) > width;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
        pressButton(id::kOk)(modal);
    });
    ASSERT_TRUE(rig.start());

    ASSERT_EQ(rig.answers.seen.size(), 1u);
    EXPECT_EQ(rig.answers.seen[0].dialog, "MarquillPickGame");
    EXPECT_EQ(rig.answers.seen[0].caption, "Pick The Pemms");
    EXPECT_TRUE(rig.answers.unexpected.empty()) << rig.answers.unexpected.front();
    const QStringList expected{QString::fromStdString(plain) + "   (found by wine)",
                               QString::fromStdString(proton) + "   (found by steam)"};
    EXPECT_EQ(entries, expected) << entries.join("\n").toStdString();
    EXPECT_EQ(tips, expected) << "the whole entry is each row's tip";
    EXPECT_TRUE(middleElided);

    EXPECT_EQ(rig.dlg().gameFolder(), proton);
    EXPECT_EQ(remembered(), proton);
}

TEST_F(GameChoiceInTheWindow, NoGameFoundAsksForTheFolderUntilOneHoldsTheGame) {
    const std::string empty = homeTree_.root() + "/empty";
    const std::string copied = homeTree_.root() + "/copied/The Pemms";
    fs::create_directories(empty);
    fs::create_directories(fs::path(copied).parent_path());
    fs::copy(testing::demoGameFolder(), copied, fs::copy_options::recursive);
    GuiRig rig(home_);

    std::vector<std::string> dialogFolders;
    rig.answers.then(pressButton(wizard::NotDetectedDialog::kChooseFolder));
    rig.answers.then([&](QWidget& modal) {
        dialogFolders.push_back(modal.metaObject()->className());
        chooseFolderIn(empty)(modal);
    });
    rig.answers.then(pressButton(id::kOk));  // that folder holds no game
    rig.answers.then(pressButton(wizard::NotDetectedDialog::kChooseFolder));
    rig.answers.then([&](QWidget& modal) {
        dialogFolders.push_back(modal.metaObject()->className());
        chooseFolderIn(copied)(modal);
    });
    ASSERT_TRUE(rig.start());

    EXPECT_TRUE(rig.answers.allAnswered());
    EXPECT_TRUE(rig.answers.unexpected.empty()) << rig.answers.unexpected.front();
    ASSERT_EQ(rig.answers.seen.size(), 5u);
    EXPECT_EQ(rig.answers.seen[0].dialog, "CPemmSaved");
    EXPECT_EQ(rig.answers.seen[0].text,
              "The Pemms was not detected on this computer. You must have The Pemms installed "
              "to use this program.");
    EXPECT_EQ(rig.answers.seen[1].caption, "Choose the folder of The Pemms");
    EXPECT_NE(rig.answers.seen[2].text.find("holds no game"), std::string::npos)
        << rig.answers.seen[2].text;
    EXPECT_EQ(rig.answers.seen[3].dialog, "CPemmSaved");
    EXPECT_EQ(dialogFolders, (std::vector<std::string>{"QFileDialog", "QFileDialog"}));

    EXPECT_EQ(rig.dlg().gameFolder(), copied) << "the wizard works on it";
    EXPECT_EQ(remembered(), copied);
}

TEST_F(GameChoiceInTheWindow, TheNeighbourhoodPickerShowsTheLongPathOfAProtonGameWhole) {
    const std::string proton = install(kSteamPrefix, kLongWindowsFolder);
    GuiRig rig(home_);
    ASSERT_TRUE(rig.start()) << "the one game found is used at once";

    QString shown;
    bool fits = false;
    rig.answers.then([&](QWidget& modal) {
        auto* dialog = qobject_cast<TemplateDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
        auto* label = qobject_cast<QLabel*>(dialog->control(id::kPickerMessage));
        ASSERT_NE(label, nullptr);
        shown = label->text().remove(QChar(0x200B)) + label->toolTip();
        // Every wrapped line is as wide as the label at most, every line is within its height,
        // and the label within the dialog.
        fits = label->minimumSizeHint().width() <= label->width() &&
               label->heightForWidth(label->width()) <= label->height() &&
               dialog->rect().contains(label->geometry());
        pressButton(id::kPickerLeave)(modal);
    });
    rig.click(id::kReplace);
    ASSERT_TRUE(rig.answers.allAnswered());
    const std::string path = proton + "/UserData/Neighborhood.iff";
    ASSERT_GT(path.size(), 130u);
    EXPECT_NE(shown.toStdString().find(path), std::string::npos) << shown.toStdString();
    EXPECT_TRUE(fits);
}

}  // namespace
}  // namespace marquill::ui
