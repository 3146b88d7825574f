// The dialog's initialisation: each start-up outcome, and what the wizard has prepared when it
// gets through.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "WizardTestSupport.h"
#include "wizard/ToolTips.h"

namespace marquill::wizard {
namespace {

using testing::WizardRig;
namespace fs = std::filesystem;

size_t entriesBelow(const std::string& folder) {
    size_t n = 0;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it)
        ++n;
    return n;
}

TEST(Startup, WithoutTheGameNothingIsCreatedAndTheToolQuits) {
    marquill::testing::TempTree disk;
    WizardRig rig(std::nullopt, WizardRig::Preview::Scene);
    const size_t toolEntries = entriesBelow(rig.tool.root());
    EXPECT_FALSE(rig.start());

    ASSERT_EQ(rig.host.messages().size(), 1u);
    EXPECT_EQ(rig.host.messages()[0].caption, "Error");
    EXPECT_EQ(rig.host.messages()[0].text,
              "The Pemms was not detected on this computer. You must have The Pemms installed to "
              "use this program.");
    EXPECT_EQ(rig.host.quit, 0);
    EXPECT_FALSE(rig.host.ended.has_value());
    EXPECT_TRUE(rig.dlg().result().has_value());
    // No folder was entered or made, no scene built, nothing written anywhere.
    EXPECT_TRUE(rig.env.created.empty());
    EXPECT_TRUE(rig.env.entered.empty());
    EXPECT_EQ(rig.scenesMade, 0);
    EXPECT_EQ(entriesBelow(rig.tool.root()), toolEntries);
    EXPECT_EQ(entriesBelow(disk.root()), 0u);
    EXPECT_TRUE(rig.host.tips.empty()) << "the checks stop before the tool tips";
    EXPECT_EQ(rig.status(), "Checking for The Pemms");
    // A dialog that has ended takes no more events.
    rig.dlg().click(id::kCreate);
    EXPECT_EQ(rig.dlg().step(), 0);
}

TEST(Startup, WithTheGameRunningOnlyTheWarningIsShown) {
    marquill::testing::TempTree game;
    WizardRig rig(game.root());
    rig.env.running = true;
    EXPECT_FALSE(rig.start());
    ASSERT_EQ(rig.host.messages().size(), 1u);
    EXPECT_EQ(rig.host.messages()[0].caption, "Marquill Warning:");
    EXPECT_EQ(rig.host.messages()[0].text,
              "Looks like The Pemms is running, you need to quit the Pemms first before running "
              "Marquill.");
    EXPECT_EQ(rig.host.ended, DialogResult::Cancel);
    EXPECT_FALSE(fs::exists(game.root() + "/TemplateCelebrity"));
    EXPECT_TRUE(rig.env.created.empty());
}

TEST(Startup, AMissingTemplateFolderIsCreatedSilently) {
    marquill::testing::TempTree game;
    WizardRig rig(game.root());
    EXPECT_TRUE(rig.start());
    EXPECT_TRUE(rig.host.messages().empty());
    EXPECT_TRUE(fs::is_directory(game.root() + "/TemplateCelebrity"));
    EXPECT_EQ(rig.env.created.size(), 1u);
    EXPECT_FALSE(rig.host.ended.has_value());
    EXPECT_EQ(rig.dlg().step(), 0);
    // The last folder entered is the game folder.
    EXPECT_EQ(rig.env.entered.back(), game.root());
}

TEST(Startup, AnExistingTemplateFolderIsUsedAsItIs) {
    marquill::testing::TempTree game;
    game.folder("TemplateCelebrity");
    WizardRig rig(game.root());
    EXPECT_TRUE(rig.start());
    EXPECT_TRUE(rig.env.created.empty());
    EXPECT_TRUE(rig.host.messages().empty());
}

TEST(Startup, ATemplateFolderThatCannotBeMadeEndsTheTool) {
    marquill::testing::TempTree game;
    WizardRig rig(game.root());
    rig.env.creatable = false;
    EXPECT_FALSE(rig.start());
    ASSERT_EQ(rig.host.messages().size(), 1u);
    EXPECT_EQ(rig.host.messages()[0].caption, "Marquill Warning:");
    EXPECT_EQ(rig.host.messages()[0].text,
              "Marquill couldn't find or create the TemplateCelebrity folder in your Pemms "
              "directory.  Please make sure the Pemms is installed properly.");
    EXPECT_EQ(rig.host.ended, DialogResult::Cancel);
}

TEST(Startup, TheSplashComesFirstAndItsSoundIsCutWhenItCloses) {
    marquill::testing::TempTree game;
    WizardRig rig(game.root());
    rig.options.splash = true;
    ASSERT_TRUE(rig.start());
    ASSERT_FALSE(rig.host.modals.empty());
    EXPECT_EQ(rig.host.modals[0].dialog, "IDD_TITLE");
    EXPECT_EQ(rig.host.soundPlayer.played.front(), "stop");
    ASSERT_GE(rig.host.cursors.size(), 2u);
    EXPECT_EQ(rig.host.cursors[0], Cursor::Wait);
    EXPECT_EQ(rig.host.cursors[1], Cursor::Arrow);
}

TEST(Startup, TheSplashClosesByItselfOnAClickOrOnEnter) {
    SplashDialog timed;
    EXPECT_EQ(timed.autoCloseMs(), 6300);
    EXPECT_FALSE(timed.result());
    timed.timeout();
    EXPECT_TRUE(timed.result());
    SplashDialog clicked;
    clicked.click(id::kSplashPicture);
    EXPECT_TRUE(clicked.result());
    SplashDialog entered;
    entered.enter();
    EXPECT_TRUE(entered.result());
}

TEST(Startup, ToolTipsSystemMenuAndControlsArePrepared) {
    marquill::testing::TempTree game;
    WizardRig rig(game.root());
    ASSERT_TRUE(rig.start());
    // Every registration reaches the host in order, the doubles included.
    ASSERT_EQ(rig.host.tips.size(), toolTips().size());
    EXPECT_EQ(rig.host.tips.size(), 28u);
    EXPECT_EQ(rig.host.tips.front().second, "View the ReadMe file.");
    EXPECT_EQ(rig.host.tips.back().second, "Choose the Pemm's 5 Top Interests.");
    EXPECT_EQ(toolTipFor(id::kBodyMesh), "Select a body here.");
    EXPECT_EQ(toolTipFor(id::kHeadMesh), "Select a head here.");
    EXPECT_EQ(toolTipFor(id::kReload), "Rescan the game folders for skins.");
    EXPECT_EQ(toolTipFor(id::kStatus), "");

    ASSERT_EQ(rig.host.menu.size(), 4u);
    EXPECT_EQ(rig.host.menu[0].first, "");
    EXPECT_EQ(rig.host.menu[1].second, id::kSystemMenuOpenSaved);
    EXPECT_EQ(rig.host.menu[2].second, id::kSystemMenuUndoImport);
    EXPECT_EQ(rig.host.menu[3], (std::pair<std::string, int>{"&About this program...", 16}));
    EXPECT_EQ(rig.host.icons, (std::vector<std::string>{"ICON", "ICONSMALL"}));

    EXPECT_EQ(rig.control(id::kZoom).rangeMin, 0);
    EXPECT_EQ(rig.control(id::kZoom).rangeMax, 4);
    EXPECT_EQ(rig.control(id::kZoom).tickFrequency, 1);
    EXPECT_EQ(rig.control(id::kZoom).position, 3);
    EXPECT_EQ(rig.control(id::kFacing).selectedText(), "South East");
    EXPECT_EQ(rig.control(id::kRotate).selectedText(), "None");
    for (int slider : {id::kNice, id::kNeat, id::kOutgoing, id::kActive, id::kPlayful}) {
        EXPECT_EQ(rig.control(slider).rangeMax, 10);
        EXPECT_EQ(rig.control(slider).position, 0);
    }
    EXPECT_EQ(rig.items(id::kAvailable),
              (std::vector<std::string>{"Weather", "Hollywood", "Romance", "Technology", "Money",
                                        "Parties", "Travel", "Politics", "60's Stuff", "Style",
                                        "Sports", "Music", "Outdoors", "Food", "Exercise"}));
    EXPECT_EQ(rig.items(id::kFame).size(), 11u);
    EXPECT_EQ(rig.control(id::kFame).selectedText(), "Nobody");
    EXPECT_EQ(rig.control(id::kFameSlider).rangeMax, 10);
    EXPECT_FALSE(rig.control(id::kSaveToGame).enabled);

    // The trace names the stages, the folder found among them.
    const auto& t = rig.host.traces;
    EXPECT_NE(std::find(t.begin(), t.end(), "The Pemms Marquill: Found it:" + game.root()),
              t.end());
    EXPECT_NE(std::find(t.begin(), t.end(), "The Pemms Marquill: Tool Initialized"), t.end());
}

TEST(Startup, ThePreviewIsBuiltForTheGameAndSetsItselfUpOnTheFirstTick) {
    WizardRig rig(testing::demoGameFolder(), WizardRig::Preview::Scene);
    ASSERT_TRUE(rig.start());
    ASSERT_NE(rig.dlg().scene(), nullptr);
    EXPECT_FALSE(rig.dlg().scene()->ready());
    EXPECT_TRUE(rig.items(id::kHeadMesh).empty());

    rig.dlg().shown(true);
    ASSERT_FALSE(rig.host.timer.empty());
    rig.dlg().activate(true);
    EXPECT_EQ(rig.host.timer.back(), 10);
    rig.dlg().activate(false);
    EXPECT_EQ(rig.host.timer.back(), 150);
    rig.dlg().activate(true);
    rig.dlg().timerTick();
    ASSERT_TRUE(rig.dlg().scene()->ready());
    EXPECT_EQ(rig.status(), "Ready!");
    EXPECT_EQ(rig.host.soundPlayer.count("VOX_HEYSHM2"), 1);
    // The set-up's defaults and the filled lists are in the controls.
    EXPECT_EQ(rig.control(id::kBodyType).selectedText(), "Fit");
    EXPECT_EQ(rig.control(id::kSkinType).selectedText(), "Medium");
    EXPECT_FALSE(rig.items(id::kHeadMesh).empty());
    EXPECT_FALSE(rig.items(id::kBodyMesh).empty());
    EXPECT_EQ(rig.control(id::kName).textLimit, 30);
    EXPECT_EQ(rig.control(id::kDescription).textLimit, 1024);
    EXPECT_GT(rig.host.previewFrames, 0);
}

TEST(Startup, AGameFolderWithoutCharacterDataQuitsOnTheFirstTick) {
    marquill::testing::TempTree game;
    WizardRig rig(game.root(), WizardRig::Preview::Scene);
    ASSERT_TRUE(rig.start());
    rig.dlg().shown(true);
    rig.dlg().timerTick();
    ASSERT_EQ(rig.host.messages().size(), 1u);
    EXPECT_EQ(rig.host.messages()[0].caption, "Marquill Error");
    EXPECT_EQ(rig.host.messages()[0].text,
              "The Pemms was not detected on this computer. You must have The Pemms installed to "
              "use this program.");
    EXPECT_EQ(rig.host.quit, -1);
    EXPECT_TRUE(rig.dlg().result().has_value());
    // Nothing more happens once the quit is asked for.
    rig.dlg().timerTick();
    EXPECT_EQ(rig.host.messages().size(), 1u);
}

}  // namespace
}  // namespace marquill::wizard
