#include "character/HandSelections.h"

#include <gtest/gtest.h>

namespace marquill::character {
namespace {

TEST(HandSelections, FollowTheBodysAgeGenderAndSkin) {
    EXPECT_EQ(handSelectionsFor("b003mafit_01", "B003MAFitmed_bmoc"),
              (HandSelections{"hmlo", "HUAOmed", "hmro", "HUAOmed"}));
    EXPECT_EQ(handSelectionsFor("b003fafit_01", "B003FAFitdrk_bmoc"),
              (HandSelections{"hflo", "HUAOdrk", "hfro", "HUAOdrk"}));
    EXPECT_EQ(handSelectionsFor("B003MAFIT_01", "B003MAFITDRK_BMOC"),
              (HandSelections{"hmlo", "HUAOdrk", "hmro", "HUAOdrk"}))
        << "letters compare in any case";
    // Child bodies: the sixth letter is not "a".
    EXPECT_EQ(handSelectionsFor("b001mcfit_01", "B001MCFitlgt_01"),
              (HandSelections{"hulo", "HUAOlgt", "huro", "HUAOlgt"}));
    EXPECT_EQ(handSelectionsFor("b001fufit_01", "").leftOutfit, "hulo");
}

TEST(HandSelections, ShortNamesAndTheTenCharacterRule) {
    // Under five letters counts as male, under six as a child.
    EXPECT_EQ(handSelectionsFor("b00", "").leftOutfit, "hulo");
    EXPECT_EQ(handSelectionsFor("b003m", "").rightOutfit, "huro");
    EXPECT_EQ(handSelectionsFor("", "").leftTexture, "HUAOlgt");
    EXPECT_EQ(handSelectionsFor("b003ma", "").leftOutfit, "hmlo");
    EXPECT_EQ(handSelectionsFor("b003fa", "").leftOutfit, "hflo");

    EXPECT_EQ(handSelectionsFor("b003mafit_01", "abcdrk123").leftTexture, "HUAOlgt")
        << "nine characters: light whatever it holds";
    EXPECT_EQ(handSelectionsFor("b003mafit_01", "abcmed123").leftTexture, "HUAOlgt");
    EXPECT_EQ(handSelectionsFor("b003mafit_01", "abcdrk1234").leftTexture, "HUAOdrk");
    EXPECT_EQ(handSelectionsFor("b003mafit_01", "drk_med_xyz").leftTexture, "HUAOmed")
        << "medium wins over dark";
    EXPECT_EQ(handSelectionsFor("b003mafit_01", "b003mafit_casual").leftTexture, "HUAOlgt");
}

}  // namespace
}  // namespace marquill::character
