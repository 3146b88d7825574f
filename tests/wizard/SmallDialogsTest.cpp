// The small dialogs as models, and the control state they and the wizard keep.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"
#include "wizard/SmallDialogs.h"

namespace marquill::wizard {
namespace {

using testing::RecordingSounds;

TEST(SmallDialogs, TheMessageDialogShowsTitleAndTextAndClosesOnOk) {
    RecordingSounds sounds;
    MessageDialog d("Marquill Warning:", "Careful.", sounds);
    EXPECT_EQ(d.caption(), "Marquill Warning:");
    EXPECT_EQ(d.control(id::kMessageText).text, "Careful.");
    d.click(id::kMessageText);
    EXPECT_FALSE(d.result());
    d.click(id::kOk);
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(sounds.count("CLICK"), 1);
}

TEST(SmallDialogs, TextsAreCutToWhatTheDialogsHold) {
    RecordingSounds sounds;
    MessageDialog m(std::string(2000, 't'), std::string(3000, 'm'), sounds);
    EXPECT_EQ(m.caption().size(), 1023u);
    EXPECT_EQ(m.control(id::kMessageText).text.size(), 1023u);
    ConfirmDialog c("t", std::string(3000, 'q'), sounds);
    EXPECT_EQ(c.control(id::kMessageText).text.size(), 2047u);
    // Cut at a character, not inside one.
    std::string accented;
    for (int i = 0; i < 1100; ++i)
        accented += "\xC3\xA9";
    MessageDialog u("t", accented, sounds);
    EXPECT_EQ(u.control(id::kMessageText).text.size(), 2046u);
    EXPECT_EQ(characterCount(u.control(id::kMessageText).text), 1023u);
}

TEST(SmallDialogs, TheConfirmationAnswersOkOrCancel) {
    RecordingSounds sounds;
    ConfirmDialog ok("Marquill", "Sure?", sounds);
    ok.enter();
    EXPECT_EQ(ok.result(), 1);
    ConfirmDialog cancel("Marquill", "Sure?", sounds);
    cancel.click(id::kCancel);
    EXPECT_EQ(cancel.result(), 2);
    ConfirmDialog escaped("Marquill", "Sure?", sounds);
    escaped.escape();
    EXPECT_EQ(escaped.result(), 2);
    EXPECT_EQ(sounds.count("CLICK"), 2) << "Escape presses no button";
}

TEST(SmallDialogs, ThePickerStepsAndCannotBeCancelledByEscape) {
    marquill::testing::TempTree game;
    game.file("UserData/Neighborhood.iff", "x");
    game.file("UserData2/Neighborhood.iff", "x");
    game.file("UserData5/Neighborhood.iff", "x");
    RecordingSounds sounds;
    PickerDialog d(gamedata::GamePaths(game.root()), sounds);
    EXPECT_EQ(d.caption(), "Pick a Neighborhood");
    EXPECT_EQ(d.control(id::kPickerMessage).text,
              "Pick a Neighborhood.\n\n" + gamedata::GamePaths(game.root()).neighborhoodFile(1));
    d.click(id::kPickerNext);
    d.click(id::kPickerNext);
    EXPECT_EQ(d.picker().found(), 5);
    EXPECT_NE(d.control(id::kPickerMessage).text.find("UserData5"), std::string::npos);
    d.escape();  // Back
    EXPECT_FALSE(d.result());
    EXPECT_EQ(d.picker().found(), 2);
    d.close();  // Back as well
    EXPECT_FALSE(d.result());
    EXPECT_EQ(d.picker().found(), 1);
    d.enter();
    EXPECT_EQ(d.result(), id::kOk);
    EXPECT_EQ(d.chosen(), 1);
    EXPECT_FALSE(d.left());
    EXPECT_EQ(sounds.count("CLICK"), 5);

    PickerDialog leaving(gamedata::GamePaths(game.root()), sounds);
    leaving.click(id::kPickerLeave);
    EXPECT_TRUE(leaving.left());
}

TEST(SmallDialogs, TheAboutDialogsOkAndItsLittleHelpButton) {
    RecordingSounds sounds;
    int readmes = 0;
    AboutDialog ok(sounds, [&] { ++readmes; });
    ok.click(id::kOk);
    EXPECT_TRUE(ok.result());
    EXPECT_EQ(readmes, 0);
    AboutDialog help(sounds, [&] { ++readmes; });
    help.click(id::kAboutHelp);
    EXPECT_TRUE(help.result());
    EXPECT_EQ(readmes, 1);
}

TEST(ControlSet, SortedListsInsertInPlaceAndSelectionsFollowTheirEntries) {
    ControlSet k(wizardDialogTemplate());
    for (const char* name : {"Style", "food", "Music", "Food"})
        k.addItem(id::kLow, name);
    EXPECT_EQ(k.at(id::kLow).items, (std::vector<std::string>{"food", "Food", "Music", "Style"}));
    k.edit(id::kLow).selection = {2};
    k.addItem(id::kLow, "Art");
    EXPECT_EQ(k.at(id::kLow).selectedText(), "Music");
    k.removeItem(id::kLow, 0);
    EXPECT_EQ(k.at(id::kLow).selectedText(), "Music");
    k.removeItem(id::kLow, 2);
    EXPECT_TRUE(k.at(id::kLow).selection.empty());
    // The top list keeps the order entries arrive in.
    k.addItem(id::kTop, "Style");
    k.addItem(id::kTop, "Food");
    EXPECT_EQ(k.at(id::kTop).items, (std::vector<std::string>{"Style", "Food"}));
}

TEST(ControlSet, ChangesAreCollectedOnceAndUnknownIdsAreHarmless) {
    ControlSet k(wizardDialogTemplate());
    EXPECT_FALSE(k.anyChanged());
    k.setText(id::kStatus, "a");
    k.setText(id::kStatus, "b");
    k.show(id::kSave, false);
    k.show(id::kBack, true);  // already visible: no change
    EXPECT_EQ(k.takeChanged(), (std::vector<int>{id::kSave, id::kStatus}));
    EXPECT_FALSE(k.anyChanged());
    EXPECT_FALSE(k.contains(4242));
    EXPECT_FALSE(k.at(4242).visible);
    k.setText(4242, "x");
    EXPECT_FALSE(k.anyChanged());
    k.setRange(id::kZoom, 0, 4);
    k.setPosition(id::kZoom, 7);
    EXPECT_EQ(k.at(id::kZoom).position, 4);
    k.select(id::kFacing, 9);
    EXPECT_TRUE(k.at(id::kFacing).selection.empty());
}

}  // namespace
}  // namespace marquill::wizard
