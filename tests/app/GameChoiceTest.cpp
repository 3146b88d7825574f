// The wizard's start on a player's home: several games found ask which, none found offers the
// folder dialog, and either choice is remembered for the next start.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/AnotherGameChoice.h"
#include "app/CMarquillApp.h"
#include "fileindex/TempTree.h"
#include "platform/RememberedGame.h"
#include "platform/ToolFolders.h"
#include "wizard/ControlIds.h"
#include "wizard/GameChooserDialog.h"
#include "wizard/WizardTestSupport.h"

namespace marquill::app {
namespace {

namespace fs = std::filesystem;
using marquill::testing::TempTree;
using wizard::testing::RecordingHost;

constexpr std::string_view kChooser = "MarquillPickGame";

class Front final : public ApplicationHost {
  public:
    void setDialogColours(Rgb, Rgb) override {}
    wizard::WizardHost& wizardHost() override { return host; }
    void runWizard(wizard::CMarquillDlg& dialog) override {
        started = dialog.initDialog();
        if (!dialog.result()) dialog.close();
    }
    RecordingHost host;
    bool started = false;
};

class NoShell final : public platform::ShellOpener {
  public:
    bool open(const std::string&) override { return true; }
};

class GameChoiceAtStart : public ::testing::Test {
  protected:
    void SetUp() override {
        before_ = platform::currentFolder();
        home_ = platform::HomeFolders::under(tree_.root() + "/home");
    }
    void TearDown() override { EXPECT_EQ(::chdir(before_.c_str()), 0); }

    // A prefix whose record names drive C's `name` folder, installed with its GameData.
    std::string install(const std::string& prefixBelowHome, const std::string& name) {
        const std::string prefix = home_.home + "/" + prefixBelowHome;
        fs::create_directories(prefix + "/dosdevices");
        fs::create_directories(prefix + "/drive_c/" + name + "/GameData");
        fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
        std::ofstream(prefix + "/system.reg")
            << "[Software\\\\Kavor\\\\The Pemms] 1\n\"PEMMS_DATA\"=\"C:\\\\" << name << "\"\n";
        return fs::canonical(prefix + "/drive_c/" + name).string();
    }

    bool start(Front& front) {
        AppOptions options;
        options.home = home_;
        options.startupDirectory = tree_.root() + "/tool";
        options.preview = false;
        options.wizard.splash = false;
        CMarquillApp app(front, shell_, random_, options);
        (void)app.run();
        return front.started;
    }

    TempTree tree_;
    platform::HomeFolders home_;
    NoShell shell_;
    platform::SeededRandom random_{1};
    std::string before_;
};

TEST_F(GameChoiceAtStart, SeveralGamesAskOnceAndTheChoiceHoldsForTheNextStart) {
    const std::string first = install(".wine", "Pemms");
    const std::string second = install(".local/share/Steam/steamapps/compatdata/1/pfx", "Pemms2");
    {
        Front front;
        front.host.answers.push_back([](wizard::DialogModel& d) {
            EXPECT_EQ(d.control(wizard::id::kGameChooserList).items.size(), 2u);
            d.select(wizard::id::kGameChooserList, {1});
            d.click(wizard::id::kOk);
        });
        ASSERT_TRUE(start(front));
        EXPECT_EQ(front.host.modalsOf(kChooser).size(), 1u);
        EXPECT_TRUE(front.host.messages().empty());
        EXPECT_TRUE(fs::exists(second + "/TemplateCelebrity")) << "the wizard works on game 2";
        EXPECT_FALSE(fs::exists(first + "/TemplateCelebrity"));
    }
    {
        Front front;
        ASSERT_TRUE(start(front));
        EXPECT_TRUE(front.host.modalsOf(kChooser).empty()) << "remembered";
    }
    {
        // Cancel quits as a game not detected does, and nothing is remembered.
        fs::remove(platform::rememberedGameFile(home_));
        Front front;
        front.host.press(wizard::id::kCancel);
        EXPECT_FALSE(start(front));
        EXPECT_EQ(front.host.quit, 0);
        EXPECT_FALSE(fs::exists(platform::rememberedGameFile(home_)));
    }
}

TEST_F(GameChoiceAtStart, NoGameFoundOffersTheFolderDialogUntilAFolderHoldsTheGame) {
    const std::string copied = tree_.root() + "/copied/The Pemms";
    fs::create_directories(copied + "/gamedata");
    fs::create_directories(tree_.root() + "/empty");
    {
        Front front;
        front.host.press(wizard::NotDetectedDialog::kChooseFolder);
        front.host.press(wizard::id::kOk);  // "holds no game"
        front.host.press(wizard::NotDetectedDialog::kChooseFolder);
        front.host.folders = {tree_.root() + "/empty", copied};
        ASSERT_TRUE(start(front));
        ASSERT_EQ(front.host.messages().size(), 3u);
        EXPECT_EQ(front.host.messages()[0].text,
                  "The Pemms was not detected on this computer. You must have The Pemms "
                  "installed to use this program.");
        EXPECT_NE(front.host.messages()[1].text.find("no GameData folder"), std::string::npos);
        EXPECT_EQ(front.host.folderDialogs, 2);
        EXPECT_TRUE(fs::exists(copied + "/TemplateCelebrity"));
    }
    {
        Front front;
        ASSERT_TRUE(start(front)) << "the folder chosen by hand is remembered";
        EXPECT_TRUE(front.host.messages().empty());
    }
    {
        // OK on the message, or Cancel in the folder dialog, quits as before.
        fs::remove(platform::rememberedGameFile(home_));
        Front ok;
        EXPECT_FALSE(start(ok));
        EXPECT_EQ(ok.host.folderDialogs, 0);
        Front cancelled;
        cancelled.host.press(wizard::NotDetectedDialog::kChooseFolder);
        EXPECT_FALSE(start(cancelled));
        EXPECT_EQ(cancelled.host.quit, 0);
        EXPECT_FALSE(fs::exists(platform::rememberedGameFile(home_)));
    }
}

TEST_F(GameChoiceAtStart, ChoosingAnotherGameIsKeptForTheNextStart) {
    install(".wine", "Pemms");
    const std::string second = install(".cxoffice/b", "Other");
    RecordingHost host;
    host.answers.push_back([](wizard::DialogModel& d) {
        d.select(wizard::id::kGameChooserList, {1});
        d.click(wizard::id::kOk);
    });
    EXPECT_EQ(chooseAnotherGame(host, home_), second);
    auto remembered = platform::readRememberedGame(home_);
    ASSERT_TRUE(remembered.game);
    EXPECT_EQ(remembered.game->folder, second);
    EXPECT_EQ(remembered.game->windowsPath, "C:\\Other");
    EXPECT_NE(host.messages().back().text.find(second), std::string::npos);
}

}  // namespace
}  // namespace marquill::app
