// The application on the host layer: its environment on a fake Wine prefix, its start-up order,
// the desktop opener and the exit status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/AppEnvironment.h"
#include "app/CMarquillApp.h"
#include "fileindex/TempTree.h"
#include "platform/ChildProcess.h"
#include "platform/ToolFolders.h"
#include "wizard/WizardTestSupport.h"

namespace marquill::app {
namespace {

namespace fs = std::filesystem;
using marquill::testing::TempTree;
using wizard::testing::RecordingHost;

// A Wine prefix whose registry records the game on drive C.
struct FakePrefix {
    explicit FakePrefix(const TempTree& tree) : prefix(tree.root() + "/prefix") {
        game = prefix + "/drive_c/Program Files/Kavor/The Pemms";
        fs::create_directories(prefix + "/dosdevices");
        fs::create_directories(prefix + "/drive_c/Program Files/Kavor");
        fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
        std::ofstream(prefix + "/system.reg")
            << "[Software\\\\Kavor\\\\The Pemms] 1\n"
               "\"PEMMS_DATA\"=\"C:\\\\Program Files\\\\Kavor\\\\The Pemms\"\n";
    }
    std::string prefix, game;
};

// An empty home whose shell names `prefix` in $WINEPREFIX.
platform::HomeFolders homeWith(const TempTree& tree, const std::string& prefix) {
    platform::HomeFolders home = platform::HomeFolders::under(tree.root() + "/home");
    home.winePrefix = prefix;
    return home;
}

TEST(AppEnvironment, TheGameIsWhereTheInstallerRecordedItOrWhereTheCommandLineSays) {
    TempTree tree;
    FakePrefix wine(tree);
    {
        AppEnvironment env(std::nullopt, homeWith(tree, wine.prefix), "/tool");
        // Recorded but not there: a stale record is never used.
        EXPECT_EQ(env.gameFolder(), std::nullopt);
        EXPECT_FALSE(fs::exists(wine.game)) << "the lookup creates nothing";
        fs::create_directories(wine.game + "/GameData");
        auto found = env.gameFolder();
        ASSERT_TRUE(found);
        EXPECT_TRUE(fs::equivalent(*found, wine.game));
        EXPECT_EQ(env.gameWindowsFolder(), "C:\\Program Files\\Kavor\\The Pemms");
        EXPECT_EQ(env.templatePersonFile(), "/tool/QT_Template.iff");
    }
    {
        AppEnvironment env(tree.root() + "/elsewhere/", homeWith(tree, wine.prefix), "/tool");
        EXPECT_EQ(env.gameFolder(), tree.root() + "/elsewhere");
        EXPECT_EQ(env.gameWindowsFolder(), "") << "a given folder has no installer's path";
    }
    {
        AppEnvironment env(std::nullopt, homeWith(tree, tree.root() + "/empty-prefix"), "/tool");
        EXPECT_EQ(env.gameFolder(), std::nullopt);
        EXPECT_EQ(env.gameWindowsFolder(), "");
        EXPECT_FALSE(fs::exists(tree.root() + "/empty-prefix"));
    }
}

TEST(AppEnvironment, SeesTheGameRunUnderWineAndMakesTheFoldersItIsAskedFor) {
    TempTree tree;
    FakePrefix wine(tree);
    fs::create_directories(wine.game + "/GameData");
    AppEnvironment env(std::nullopt, homeWith(tree, wine.prefix), "/tool");
    ASSERT_TRUE(env.gameFolder());
    EXPECT_FALSE(env.isGameRunning(*env.gameFolder()));

    {
        testing::Child game("/bin/sleep", {"C:\\Program Files\\Kavor\\The Pemms\\Pemms.exe", "60"},
                            {"WINEPREFIX=" + wine.prefix});
        ASSERT_TRUE(game.started());
        EXPECT_TRUE(env.isGameRunning(*env.gameFolder()));
    }

    const std::string templates = wine.game + "/TemplateCelebrity";
    EXPECT_FALSE(env.changeFolder(templates));
    EXPECT_TRUE(env.createFolder(templates));
    EXPECT_FALSE(env.createFolder(templates)) << "it exists now";
    EXPECT_FALSE(env.createFolder(wine.game + "/a/b")) << "one folder at a time";
    const std::string before = env.currentFolder();
    ASSERT_TRUE(env.changeFolder(templates));
    EXPECT_TRUE(fs::equivalent(env.currentFolder(), templates));
    ASSERT_TRUE(env.changeFolder(before));
}

class RecordingShell final : public platform::ShellOpener {
  public:
    bool open(const std::string& what) override {
        opened.push_back(what);
        return works;
    }
    std::vector<std::string> opened;
    bool works = true;
};

// A front end that records the start-up and drives the wizard window with a script.
class FakeFrontEnd final : public ApplicationHost {
  public:
    void setDialogColours(Rgb background, Rgb text) override {
        events.push_back("colours");
        colours = {background, text};
    }
    wizard::WizardHost& wizardHost() override { return host; }
    void runWizard(wizard::CMarquillDlg& dialog) override {
        events.push_back("sounds before the wizard: " +
                         std::to_string(host.soundPlayer.played.size()));
        if (dialog.initDialog() && whileShown) whileShown(dialog);
        if (!dialog.result()) dialog.close();
        EXPECT_TRUE(dialog.result().has_value());
    }

    RecordingHost host;
    std::vector<std::string> events;
    std::pair<Rgb, Rgb> colours;
    std::function<void(wizard::CMarquillDlg&)> whileShown;
};

// The wizard works in the game folder; every test goes back to where it started.
class CMarquillAppTest : public ::testing::Test {
  protected:
    void SetUp() override { before_ = platform::currentFolder(); }
    void TearDown() override { EXPECT_EQ(::chdir(before_.c_str()), 0); }

  private:
    std::string before_;
};

AppOptions quietOptions(const std::string& game, const std::string& tool) {
    AppOptions options;
    options.gameFolder = game;
    options.startupDirectory = tool;
    options.preview = false;
    options.wizard.splash = false;
    return options;
}

TEST_F(CMarquillAppTest, StartsInOrderOpensTheReadmeThroughTheDesktopAndEndsWithTheWizard) {
    TempTree tree;
    fs::create_directories(tree.root() + "/game");
    FakeFrontEnd front;
    RecordingShell shell;
    platform::SeededRandom random;
    front.whileShown = [](wizard::CMarquillDlg& dialog) {
        dialog.click(wizard::id::kHelp);
        dialog.click(wizard::id::kQuit);  // the confirmation is answered OK
    };
    CMarquillApp app(front, shell, random,
                     quietOptions(tree.root() + "/game", tree.root() + "/tool"));
    EXPECT_EQ(app.run(), 0);

    EXPECT_EQ(front.events, (std::vector<std::string>{"colours", "sounds before the wizard: 1"}));
    EXPECT_EQ(front.colours.first, (Rgb{229, 123, 4}));
    EXPECT_EQ(front.colours.second, (Rgb{255, 255, 255}));
    ASSERT_GE(front.host.soundPlayer.played.size(), 2u);
    EXPECT_EQ(front.host.soundPlayer.played[0], "PEMMS");
    EXPECT_EQ(front.host.soundPlayer.played[1], "stop") << "the splash's end cuts it off";
    EXPECT_EQ(shell.opened, std::vector<std::string>{tree.root() + "/tool/readme.txt"});
    EXPECT_TRUE(front.host.opened.empty()) << "the front end's own opener is not used";
    EXPECT_GE(front.host.soundPlayer.count("CLICK"), 1);
    EXPECT_EQ(front.host.ended, wizard::DialogResult::Cancel);
    EXPECT_TRUE(fs::is_directory(tree.root() + "/game/TemplateCelebrity"));
}

TEST_F(CMarquillAppTest, AnOpenerThatFailsLeavesOnlyATrace) {
    TempTree tree;
    fs::create_directories(tree.root() + "/game");
    FakeFrontEnd front;
    RecordingShell shell;
    shell.works = false;
    platform::SeededRandom random;
    front.whileShown = [](wizard::CMarquillDlg& dialog) { dialog.click(wizard::id::kHelp); };
    CMarquillApp app(front, shell, random, quietOptions(tree.root() + "/game", "/tool"));
    EXPECT_EQ(app.run(), 0);
    EXPECT_NE(std::find(front.host.traces.begin(), front.host.traces.end(),
                        "The Pemms Marquill: could not open /tool/readme.txt"),
              front.host.traces.end());
    EXPECT_TRUE(front.host.messages().empty());
}

TEST_F(CMarquillAppTest, TheExitStatusIsTheQuitRequestsCode) {
    TempTree tree;
    fs::create_directories(tree.root() + "/game");
    RecordingShell shell;
    platform::SeededRandom random;
    {
        // No character data in the game folder: the preview's set-up asks to quit with -1.
        FakeFrontEnd front;
        front.whileShown = [](wizard::CMarquillDlg& dialog) {
            dialog.shown(true);
            dialog.activate(true);
            for (int tick = 0; tick < 3 && !dialog.result(); ++tick)
                dialog.timerTick();
        };
        AppOptions options = quietOptions(tree.root() + "/game", "/tool");
        options.preview = true;
        CMarquillApp app(front, shell, random, options);
        EXPECT_EQ(app.run(), -1);
        ASSERT_EQ(front.host.messages().size(), 1u);
        EXPECT_EQ(front.host.messages()[0].caption, "Marquill Error");
    }
    {
        // Not installed: the quit request carries 0.
        FakeFrontEnd front;
        AppOptions options = quietOptions("", "/tool");
        options.gameFolder.reset();
        options.winePrefix = tree.root() + "/no-prefix";
        options.home = platform::HomeFolders::under(tree.root() + "/home");
        CMarquillApp app(front, shell, random, options);
        EXPECT_EQ(app.run(), 0);
        EXPECT_EQ(front.host.quit, 0);
        ASSERT_EQ(front.host.messages().size(), 1u);
        EXPECT_EQ(front.host.messages()[0].caption, "Error");
    }
}

TEST_F(CMarquillAppTest, TheStartUpFolderIsTheCurrentOneWhenItHoldsTheTemplate) {
    TempTree tree;
    fs::create_directories(tree.root() + "/here");
    std::ofstream(tree.root() + "/here/QT_Template.iff") << "IFF";
    ASSERT_EQ(::chdir((tree.root() + "/here").c_str()), 0);
    FakeFrontEnd front;
    RecordingShell shell;
    platform::SeededRandom random;
    AppOptions options = quietOptions(tree.root() + "/game-missing", "");
    options.startupDirectory.reset();
    CMarquillApp app(front, shell, random, options);
    (void)app.run();
    EXPECT_TRUE(fs::equivalent(app.startupDirectory(), tree.root() + "/here"));
}

}  // namespace
}  // namespace marquill::app
