// Steps 3 to 6: the name and description, the personality with its sign, the interests and the
// fame level, driven through the wizard's events without a preview.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

namespace marquill::wizard {
namespace {

using testing::WizardRig;

class TraitPages : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(rig_.start()); }
    CMarquillDlg& dlg() { return rig_.dlg(); }
    bool nextEnabled() const { return rig_.control(id::kNext).enabled; }
    const testing::ModalRecord& lastMessage() const {
        static const testing::ModalRecord none;
        const auto& m = rig_.host.modals;
        return m.empty() ? none : m.back();
    }
    void sliders(int nice, int neat, int outgoing, int active, int playful) {
        dlg().sliderMoved(id::kNice, nice);
        dlg().sliderMoved(id::kNeat, neat);
        dlg().sliderMoved(id::kOutgoing, outgoing);
        dlg().sliderMoved(id::kActive, active);
        dlg().sliderMoved(id::kPlayful, playful);
    }
    // Selects these interests of the available list.
    void pick(std::initializer_list<std::string_view> names) {
        std::vector<int> sel;
        const auto& items = rig_.items(id::kAvailable);
        for (std::string_view n : names)
            for (size_t i = 0; i < items.size(); ++i)
                if (items[i] == n) sel.push_back(static_cast<int>(i));
        rig_.select(id::kAvailable, sel);
    }

    marquill::testing::TempTree game_;
    WizardRig rig_{game_.root()};
};

// --- Name and description -----------------------------------------------------------------------

TEST_F(TraitPages, NextFollowsBothEditsAndFocusSetsTheHints) {
    dlg().goToStep(3);
    EXPECT_FALSE(nextEnabled());
    dlg().editFocus(id::kName, true);
    EXPECT_EQ(rig_.status(), "Please enter a name for the pemm.");
    dlg().editChanged(id::kName, "Stella");
    EXPECT_FALSE(nextEnabled());
    dlg().editFocus(id::kName, false);
    EXPECT_EQ(rig_.status(), "Please enter a name for the pemm.") << "one edit still empty";
    dlg().editFocus(id::kDescription, true);
    EXPECT_EQ(rig_.status(), "Please enter a description for the pemm.");
    dlg().editChanged(id::kDescription, "Sings.");
    EXPECT_TRUE(nextEnabled());
    dlg().editFocus(id::kDescription, false);
    EXPECT_EQ(rig_.status(), "Press Next to Continue");
    dlg().editChanged(id::kName, "");
    EXPECT_FALSE(nextEnabled());
}

TEST_F(TraitPages, TheNameChecksComeInOrderAndTheNameStaysStored) {
    dlg().goToStep(3);
    // Without the preview the edit has no limit yet, so the check itself refuses 31 characters.
    const std::string thirty(30, 'n');
    dlg().editChanged(id::kName, thirty + "x");
    dlg().editChanged(id::kDescription, "d");
    dlg().click(id::kNext);
    EXPECT_EQ(dlg().step(), 3);
    EXPECT_EQ(lastMessage().caption, "Marquill Warning:");
    EXPECT_EQ(lastMessage().text,
              "Other Pemms will have difficulty remembering such a long name. Please select a "
              "shorter name for this Pemm. The name must be less than 30 characters.");
    EXPECT_EQ(rig_.status(), "Name too long");
    EXPECT_EQ(dlg().record().name(), "");

    // Thirty is accepted; the name is stored although the description then fails.
    dlg().editChanged(id::kName, thirty);
    dlg().editChanged(id::kDescription, std::string(1025, 'd'));
    dlg().click(id::kNext);
    EXPECT_EQ(dlg().step(), 3);
    EXPECT_EQ(dlg().record().name(), thirty);
    EXPECT_EQ(lastMessage().text,
              "Whoa! That is a lot of information. Please limit your description to 1,024 "
              "characters or less.");
    EXPECT_EQ(rig_.status(), "Description too long");

    dlg().editChanged(id::kDescription, std::string(1024, 'd'));
    dlg().click(id::kNext);
    EXPECT_EQ(dlg().step(), 4);
    EXPECT_EQ(dlg().record().description().size(), 1024u);
}

TEST_F(TraitPages, DescriptionLineBreaksAreStored) {
    dlg().goToStep(3);
    dlg().editChanged(id::kName, "Multi");
    dlg().editChanged(id::kDescription, "a\r\nb");
    dlg().click(id::kNext);
    EXPECT_EQ(dlg().record().description(), "a\r\nb");
}

TEST_F(TraitPages, TheEditsTakeNoMoreThanTheirLimitsOnceLimited) {
    WizardRig rig(testing::demoGameFolder(), WizardRig::Preview::Scene);
    ASSERT_TRUE(rig.startWithPreview());
    rig.dlg().goToStep(3);
    const std::string thirty(30, 'x');
    rig.dlg().editChanged(id::kName, thirty + "yz");
    EXPECT_EQ(rig.control(id::kName).text, thirty);
    rig.dlg().editChanged(id::kDescription, std::string(1030, 'd'));
    EXPECT_EQ(rig.control(id::kDescription).text.size(), 1024u);
    // Characters, not bytes: thirty letters with accents fit.
    std::string accented;
    for (int i = 0; i < 31; ++i)
        accented += "\xC3\xA9";
    rig.dlg().editChanged(id::kName, accented);
    EXPECT_EQ(rig.control(id::kName).text.size(), 60u);
    rig.dlg().click(id::kNext);
    EXPECT_EQ(rig.dlg().step(), 4);
}

// --- Personality --------------------------------------------------------------------------------

TEST_F(TraitPages, AllSlidersAtZeroLeaveTwentyFivePointsAndSayCancer) {
    dlg().goToStep(4);
    EXPECT_EQ(rig_.control(id::kPoints).text, "25");
    EXPECT_EQ(rig_.status(), "You haven't used up all your personality points.");
    EXPECT_EQ(rig_.control(id::kSign).text, "Cancer");
    EXPECT_EQ(rig_.control(id::kSignLabel).text, "Cancer");
    EXPECT_TRUE(nextEnabled());
}

TEST_F(TraitPages, TooManyPointsDisableNextUntilMovedBack) {
    dlg().goToStep(4);
    sliders(10, 10, 6, 0, 0);
    EXPECT_EQ(rig_.control(id::kPoints).text, "-1");
    EXPECT_FALSE(nextEnabled());
    EXPECT_EQ(rig_.status(),
              "No Pemm is that perfect! You have allocated too many points. You are limited to "
              "25 personality points.");
    dlg().sliderMoved(id::kOutgoing, 5);
    EXPECT_EQ(rig_.control(id::kPoints).text, "0");
    EXPECT_TRUE(nextEnabled());
    EXPECT_EQ(rig_.status(), "Press next to continue.");
    dlg().click(id::kNext);
    EXPECT_EQ(dlg().step(), 5);
    // Neat, Active, Playful, Outgoing, Nice.
    EXPECT_EQ(dlg().record().trait(celeb::kNeat), 10);
    EXPECT_EQ(dlg().record().trait(celeb::kNice), 10);
    EXPECT_EQ(dlg().record().trait(celeb::kOutgoing), 5);
    EXPECT_EQ(dlg().record().trait(celeb::kActive), 0);
}

TEST_F(TraitPages, TheSignButtonMovesToTheFollowingSignsProfile) {
    dlg().goToStep(4);
    // Aries: Outgoing 8, Nice 3, Playful 3, Neat 5, Active 6.
    sliders(3, 5, 8, 6, 3);
    EXPECT_EQ(rig_.control(id::kSign).text, "Aries");
    const int clicks = rig_.host.soundPlayer.count("CLICK");
    dlg().click(id::kSign);
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), clicks + 1);
    EXPECT_EQ(rig_.control(id::kSign).text, "Taurus");
    EXPECT_EQ(rig_.control(id::kOutgoing).position, 5);
    EXPECT_EQ(rig_.control(id::kNice).position, 4);
    EXPECT_EQ(rig_.control(id::kPlayful).position, 8);
    EXPECT_EQ(rig_.control(id::kNeat).position, 5);
    EXPECT_EQ(rig_.control(id::kActive).position, 3);
    EXPECT_EQ(rig_.control(id::kPoints).text, "0");

    // Every sign in turn, and after Pisces, Aries again.
    std::vector<std::string> seen;
    for (int i = 0; i < 12; ++i) {
        dlg().click(id::kSign);
        seen.push_back(rig_.control(id::kSign).text);
    }
    EXPECT_EQ(seen.front(), "Gemini");
    EXPECT_EQ(seen[9], "Pisces");
    EXPECT_EQ(seen[10], "Aries");
    EXPECT_EQ(seen[11], "Taurus");
}

TEST_F(TraitPages, AddWithNothingSelectedIsDenied) {
    dlg().goToStep(5);
    dlg().click(id::kAddTop);
    dlg().click(id::kAddLow);
    EXPECT_EQ(rig_.host.soundPlayer.count("DENIED"), 2);
    EXPECT_EQ(rig_.host.soundPlayer.count("CLICK"), 0);
    EXPECT_EQ(rig_.items(id::kAvailable).size(), 15u);
    EXPECT_FALSE(rig_.control(id::kRemoveTop).enabled);
    EXPECT_EQ(rig_.status(), "You need to select 5 top interests for your Pemm.");
}

TEST_F(TraitPages, TopInterestsMoveInListOrderAndAreLimitedToFive) {
    dlg().goToStep(5);
    pick({"Romance", "Weather", "Money"});
    dlg().click(id::kAddTop);
    EXPECT_EQ(rig_.items(id::kTop), (std::vector<std::string>{"Weather", "Romance", "Money"}));
    EXPECT_EQ(rig_.items(id::kAvailable).size(), 12u);
    EXPECT_TRUE(rig_.control(id::kRemoveTop).enabled);
    EXPECT_TRUE(rig_.control(id::kAddTop).enabled);

    pick({"Food", "Music", "Style"});
    dlg().click(id::kAddTop);
    EXPECT_EQ(rig_.host.soundPlayer.count("DENIED"), 1);
    EXPECT_EQ(rig_.status(), "Too many selected... you can only have five top interests.");
    EXPECT_EQ(rig_.items(id::kTop).size(), 3u) << "nothing moves";

    pick({"Food", "Music"});
    dlg().click(id::kAddTop);
    EXPECT_EQ(rig_.items(id::kTop).size(), 5u);
    EXPECT_FALSE(rig_.control(id::kAddTop).enabled);
    // Five top but no low interests: Next stays disabled, and the hint names the low list.
    EXPECT_FALSE(nextEnabled());
    EXPECT_EQ(rig_.status(), "You need to select 5 low interests for your Pemm.");
}

TEST_F(TraitPages, LowInterestsSortThemselvesAndRemoveReturnsEntriesToTheEnd) {
    dlg().goToStep(5);
    pick({"Weather", "Sports", "Food"});
    dlg().click(id::kAddLow);
    EXPECT_EQ(rig_.items(id::kLow), (std::vector<std::string>{"Food", "Sports", "Weather"}));
    pick({"Hollywood", "Romance", "Technology"});
    dlg().click(id::kAddLow);
    EXPECT_EQ(rig_.status(), "Too many selected... you can only have five bad interests.");

    // Remove Sports and Food: they go to the end of the available list.
    rig_.select(id::kLow, {0, 1});
    dlg().click(id::kRemoveLow);
    EXPECT_EQ(rig_.items(id::kLow), (std::vector<std::string>{"Weather"}));
    const auto& available = rig_.items(id::kAvailable);
    ASSERT_GE(available.size(), 2u);
    EXPECT_EQ(available[available.size() - 2], "Food");
    EXPECT_EQ(available.back(), "Sports");
    rig_.select(id::kLow, {});
    dlg().click(id::kRemoveLow);
    EXPECT_EQ(rig_.host.soundPlayer.count("DENIED"), 2);
    rig_.select(id::kLow, {0});
    dlg().click(id::kRemoveLow);
    EXPECT_FALSE(rig_.control(id::kRemoveLow).enabled);
    EXPECT_EQ(rig_.items(id::kAvailable).size(), 15u);
}

TEST_F(TraitPages, FiveAndFiveEnableNextAndBuildTheInterestOrder) {
    dlg().goToStep(5);
    pick({"Weather", "Hollywood", "Romance", "Technology", "Money"});
    dlg().click(id::kAddTop);
    pick({"Politics", "Music", "Food", "Exercise", "Style"});
    dlg().click(id::kAddLow);
    EXPECT_TRUE(nextEnabled());
    EXPECT_EQ(rig_.status(), "Press Next to continue.");
    // Take Money out again and put it back, so it is last in the available list.
    rig_.select(id::kTop, {4});
    dlg().click(id::kRemoveTop);
    EXPECT_FALSE(nextEnabled());
    pick({"Parties"});
    dlg().click(id::kAddTop);
    dlg().click(id::kNext);
    ASSERT_EQ(dlg().step(), 6);
    // Top 0-4 in list order; the rest after them in available-list order; low from 14 down.
    std::vector<int> order;
    for (int p = 0; p < 15; ++p)
        order.push_back(dlg().record().interestAt(p));
    // Low, sorted: Exercise 14, Food 13, Music 11, Politics 7, Style 9, from position 14 down.
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 5, 6, 8, 10, 12, 4, 9, 7, 11, 13, 14}));
}

TEST_F(TraitPages, NextWithFewerThanFiveTopInterestsIsRefusedByMessage) {
    dlg().goToStep(5);
    pick({"Weather"});
    dlg().click(id::kAddTop);
    // Shown again later with a short top list: the page's own state rules Next.
    dlg().goToStep(5);
    EXPECT_FALSE(nextEnabled());
    EXPECT_TRUE(rig_.control(id::kRemoveTop).enabled);
    EXPECT_TRUE(rig_.control(id::kAddTop).enabled);
    EXPECT_FALSE(rig_.control(id::kRemoveLow).enabled);
}

// --- Fame ---------------------------------------------------------------------------------------

TEST_F(TraitPages, ChoosingAFameLevelShowsItsDescriptionAndNextStoresIt) {
    dlg().goToStep(6);
    EXPECT_EQ(rig_.status(), "Choose Fame Level");
    rig_.select(id::kFame, {8});
    EXPECT_EQ(rig_.status().rfind("15 minutes of fame.. HA!", 0), 0u) << rig_.status();
    rig_.select(id::kFame, {0});
    EXPECT_EQ(rig_.status().rfind("The lights! The cameras! The adoration!", 0), 0u);
    const std::string before = rig_.status();
    rig_.select(id::kFame, {11});
    EXPECT_EQ(rig_.status(), before) << "a choice outside the levels changes nothing";
    rig_.select(id::kFame, {4});
    EXPECT_EQ(dlg().record().fameLevel(), 12) << "unset until the step is passed";
    dlg().click(id::kNext);
    EXPECT_EQ(dlg().step(), 7);
    EXPECT_EQ(dlg().record().fameLevel(), 4);
    EXPECT_EQ(dlg().record().fameSlider(), 0);
    EXPECT_FALSE(nextEnabled());
}

}  // namespace
}  // namespace marquill::wizard
