// The step machine: what each step shows, Back and Next, the buttons every step has, and the
// dialog's own ways of ending.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

namespace marquill::wizard {
namespace {

using testing::WizardRig;

class Navigation : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(rig_.start()); }
    bool shown(int controlId) const { return rig_.control(controlId).visible; }
    bool enabled(int controlId) const { return rig_.control(controlId).enabled; }

    marquill::testing::TempTree game_;
    WizardRig rig_{game_.root()};
};

TEST_F(Navigation, TheWelcomeStepOffersCreateAndReplaceOnly) {
    EXPECT_EQ(rig_.dlg().step(), 0);
    EXPECT_EQ(rig_.status(),
              "Welcome to the Marquill. Please decide whether you want to Create or Import a "
              "Celebrity.");
    EXPECT_TRUE(shown(id::kWelcomePicture));
    EXPECT_TRUE(shown(id::kCreate));
    EXPECT_TRUE(shown(id::kReplace));
    EXPECT_FALSE(shown(id::kWelcomeText)) << "the welcome text goes with the first step shown";
    EXPECT_FALSE(enabled(id::kBack));
    EXPECT_FALSE(enabled(id::kNext));
    for (int always : {id::kAbout, id::kHelp, id::kQuit, id::kStatus, id::kPreview, id::kFacing,
                       id::kRotate, id::kZoom})
        EXPECT_TRUE(shown(always)) << always;
    for (int hidden : {id::kBodyMesh, id::kName, id::kSign, id::kAvailable, id::kFame, id::kSave,
                       id::kCelebrities, id::kCelebrityFiles, id::kProgress, id::kFameSlider,
                       id::kSignLabel, id::kLoad, id::kReload, id::kOk})
        EXPECT_FALSE(shown(hidden)) << hidden;

    // Next and Back are disabled here: their clicks do nothing.
    rig_.dlg().click(id::kNext);
    rig_.dlg().click(id::kBack);
    EXPECT_EQ(rig_.dlg().step(), 0);
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 0);
}

TEST_F(Navigation, EveryStepShowsItsHintAndControls) {
    struct Expect {
        int step;
        const char* hint;
        std::vector<int> shown;
        bool nextEnabled;
    };
    const std::vector<Expect> steps = {
        {1,
         "Pick a head and normal fashion body for your pemm",
         {id::kBodyType, id::kSkinType, id::kGenderLabel, id::kMale, id::kFemale, id::kBodyMesh,
          id::kBodyTexture, id::kHeadMesh, id::kHeadTexture, id::kHeadTextureLabel},
         true},
        {2,
         "Now pick high fashion body for your pemm",
         {id::kBodyMesh, id::kBodyTexture, id::kBodyMeshLabel, id::kBodyTextureLabel},
         true},
        {3,
         "Pick a Name and Description for your pemm",
         {id::kNameLabel, id::kName, id::kDescriptionLabel, id::kDescription},
         false},
        {4,
         "You haven't used up all your personality points.",
         {id::kSign, id::kPointsLabel, id::kPoints, id::kNice, id::kNeat, id::kOutgoing,
          id::kActive, id::kPlayful, id::kPlayfulLabel},
         true},
        {5,
         "You need to select 5 top interests for your Pemm.",
         {id::kAvailable, id::kTop, id::kLow, id::kAddTop, id::kRemoveTop, id::kAddLow,
          id::kRemoveLow, id::kTopLabel, id::kLowLabel},
         false},
        {6, "Choose Fame Level", {id::kFameLabel, id::kFame, id::kFamePicture}, true},
        {7, "Export your Pemm", {id::kExportText, id::kSave}, false},
    };
    for (const Expect& e : steps) {
        rig_.dlg().goToStep(e.step);
        EXPECT_EQ(rig_.status(), e.hint) << e.step;
        for (int c : e.shown)
            EXPECT_TRUE(shown(c)) << "step " << e.step << " control " << c;
        EXPECT_TRUE(enabled(id::kBack)) << e.step;
        EXPECT_EQ(enabled(id::kNext), e.nextEnabled) << e.step;
        EXPECT_FALSE(shown(id::kCreate)) << e.step;
        EXPECT_FALSE(shown(id::kWelcomePicture)) << e.step;
    }
    // The step 2 layout is the look lists only.
    rig_.dlg().goToStep(2);
    EXPECT_FALSE(shown(id::kHeadMesh));
    EXPECT_FALSE(shown(id::kMale));
    EXPECT_TRUE(rig_.dlg().fashion());
    rig_.dlg().goToStep(8);
    EXPECT_EQ(rig_.dlg().step(), 0);
    EXPECT_TRUE(shown(id::kCreate));
    rig_.dlg().goToStep(12);
    EXPECT_FALSE(shown(id::kCreate)) << "past the last step everything is hidden";
}

// A list the template gives one selection keeps one, whatever the view reports; a list of
// several keeps them in order, each once, and drops rows it does not have.
TEST_F(Navigation, ASingleSelectionListKeepsOneRow) {
    rig_.select(id::kFacing, {2, 0});
    EXPECT_EQ(rig_.control(id::kFacing).selection, (std::vector<int>{0}));
    rig_.dlg().goToStep(5);
    rig_.select(id::kAvailable, {4, 1, 4, 99, -1});
    EXPECT_EQ(rig_.control(id::kAvailable).selection, (std::vector<int>{1, 4}));
}

TEST_F(Navigation, StepTitlesGoToTheTraceOnly) {
    rig_.dlg().goToStep(4);
    EXPECT_EQ(rig_.host.traces.back(), "The Pemms Marquill: What's your sign?");
    EXPECT_EQ(rig_.dlg().caption(), "The Pemms Marquill");
}

TEST_F(Navigation, CreateStartsTheLookPageAndBackReturns) {
    rig_.dlg().click(id::kCreate);
    EXPECT_EQ(rig_.dlg().step(), 1);
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 1);
    // The record's gender (male) presses Male.
    EXPECT_TRUE(rig_.control(id::kMale).pressed);
    EXPECT_FALSE(rig_.control(id::kFemale).pressed);
    rig_.dlg().click(id::kBack);
    EXPECT_EQ(rig_.dlg().step(), 0);
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 2);
}

TEST_F(Navigation, WithoutThePreviewTheLookPageRefusesNext) {
    rig_.dlg().click(id::kCreate);
    rig_.dlg().click(id::kNext);
    EXPECT_EQ(rig_.dlg().step(), 1);
    EXPECT_EQ(rig_.status(), "Invalid Head or Skin Selection");
    EXPECT_FALSE(enabled(id::kNext));
    // The body-type and skin-type lists still click.
    const int clicks = rig_.host.soundPlayer.count("CLICK");
    rig_.select(id::kBodyType, {2});
    rig_.select(id::kSkinType, {0});
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), clicks + 2);
    EXPECT_EQ(rig_.control(id::kBodyType).selectedText(), "Thin");
}

TEST_F(Navigation, BackFromTheFashionPageClearsTheFashionFlag) {
    rig_.dlg().goToStep(2);
    ASSERT_TRUE(rig_.dlg().fashion());
    rig_.dlg().click(id::kBack);
    EXPECT_EQ(rig_.dlg().step(), 1);
    EXPECT_FALSE(rig_.dlg().fashion());
}

TEST_F(Navigation, EnterDoesNothingAnywhere) {
    for (int step : {0, 3, 5, 7}) {
        rig_.dlg().goToStep(step);
        const auto modals = rig_.host.modals.size();
        rig_.dlg().enter();
        rig_.dlg().click(id::kOk);
        EXPECT_EQ(rig_.dlg().step(), step);
        EXPECT_EQ(rig_.host.modals.size(), modals);
        EXPECT_FALSE(rig_.host.ended);
    }
}

TEST_F(Navigation, QuitEscapeAndCloseAskFirst) {
    for (auto how : {0, 1, 2}) {
        rig_.host.press(id::kCancel);
        if (how == 0) rig_.dlg().click(id::kQuit);
        if (how == 1) rig_.dlg().escape();
        if (how == 2) rig_.dlg().close();
        ASSERT_FALSE(rig_.host.modals.empty());
        EXPECT_EQ(rig_.host.modals.back().dialog, "CDMOKCancel");
        EXPECT_EQ(rig_.host.modals.back().caption, "Marquill");
        EXPECT_EQ(rig_.host.modals.back().text, "Are you sure you want to quit?");
        EXPECT_FALSE(rig_.host.ended) << how;
    }
    rig_.host.press(id::kOk);
    rig_.dlg().escape();
    EXPECT_EQ(rig_.host.ended, DialogResult::Cancel);
    EXPECT_EQ(rig_.dlg().result(), static_cast<int>(DialogResult::Cancel));
    // The confirmation's buttons clicked each time.
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 4);
}

TEST_F(Navigation, HelpOpensTheReadmeOfTheStartUpFolder) {
    rig_.dlg().click(id::kHelp);
    ASSERT_EQ(rig_.host.opened.size(), 1u);
    EXPECT_EQ(rig_.host.opened[0], rig_.tool.root() + "/readme.txt");
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 1);
}

TEST_F(Navigation, AboutFromTheButtonAndFromTheSystemMenu) {
    rig_.dlg().click(id::kAbout);
    ASSERT_EQ(rig_.host.modalsOf("IDD_ABOUTBOX").size(), 1u);
    EXPECT_EQ(rig_.host.soundPlayer.count("wait:CLICK"), 1) << "the About button waits";
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 1) << "the About dialog's OK";

    rig_.dlg().systemMenu(16);
    EXPECT_EQ(rig_.host.modalsOf("IDD_ABOUTBOX").size(), 2u);
    EXPECT_EQ(rig_.host.soundPlayer.count("wait:CLICK"), 1);
    rig_.dlg().systemMenu(17);
    EXPECT_EQ(rig_.host.modalsOf("IDD_ABOUTBOX").size(), 2u);

    // The little HELP button of the About dialog opens the readme and closes it.
    rig_.host.press(id::kAboutHelp);
    rig_.dlg().systemMenu(16);
    ASSERT_EQ(rig_.host.opened.size(), 1u);
    EXPECT_EQ(rig_.host.opened[0], rig_.tool.root() + "/readme.txt");
}

TEST_F(Navigation, TheNeverShownButtons) {
    const auto before = rig_.host.soundPlayer.played.size();
    rig_.dlg().click(id::kLoad);
    rig_.dlg().click(id::kSaveToGame);
    EXPECT_EQ(rig_.host.soundPlayer.played.size(), before);
    EXPECT_EQ(rig_.dlg().step(), 0);
    // Reload rescans (here, with no preview, only its click).
    rig_.dlg().click(id::kReload);
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 1);
    // Hidden step controls take nothing.
    rig_.dlg().click(id::kSave);
    rig_.dlg().click(id::kSign);
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 1);
}

TEST_F(Navigation, ThePreviewListsWithoutAScene) {
    const int clicks = rig_.host.soundPlayer.count("CLICK");
    rig_.select(id::kFacing, {0});
    rig_.select(id::kRotate, {2});
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), clicks + 2);
    EXPECT_EQ(rig_.control(id::kRotate).selectedText(), "Fast");
    rig_.dlg().sliderMoved(id::kZoom, 9);
    EXPECT_EQ(rig_.control(id::kZoom).position, 4) << "a slider stays in its range";
    // A timer tick without a preview draws nothing.
    rig_.dlg().timerTick();
    EXPECT_EQ(rig_.host.previewFrames, 0);
}

TEST_F(Navigation, ChangesAreReportedToTheView) {
    rig_.host.changed.clear();
    rig_.dlg().click(id::kCreate);
    EXPECT_FALSE(rig_.host.changed.empty());
    EXPECT_NE(std::find(rig_.host.changed.begin(), rig_.host.changed.end(), id::kStatus),
              rig_.host.changed.end());
}

}  // namespace
}  // namespace marquill::wizard
