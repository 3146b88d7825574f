#include "character/LookList.h"

#include <gtest/gtest.h>

#include "character/LookNameRules.h"

namespace marquill::character {
namespace {

TEST(LookList, KeepsEntriesSortedIgnoringCaseWithDuplicates) {
    LookList list;
    for (const char* s : {"b010", "B003", "a", "b003", "C1", "b003_x"})
        list.addSorted(s);
    EXPECT_EQ(list.entries(),
              (std::vector<std::string>{"a", "B003", "b003", "b003_x", "b010", "C1"}));
    EXPECT_EQ(list.findExact("B010"), 4);
    EXPECT_EQ(list.findExact("b00"), -1);
    EXPECT_EQ(list.findPrefix("B00"), 1);
    EXPECT_EQ(list.findPrefix("b003_"), 3);
    EXPECT_EQ(list.findPrefix("zz"), -1);

    list.select(4);
    list.addSorted("A0");  // sorts before the selection, which stays on its entry
    EXPECT_EQ(list.selectedText(), "b010");
    list.select(list.count());
    EXPECT_EQ(list.selected(), -1);
    EXPECT_EQ(list.selectedText(), "");
    list.select(0);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selected(), -1);
}

TEST(LookNameRules, KindsPrefixesAndRestrictions) {
    EXPECT_EQ(namePrefix("b003mafit_01"), "b003mafit");
    EXPECT_EQ(namePrefix("c011ma_repo"), "c011ma");
    EXPECT_EQ(namePrefix("huaomed"), "");
    EXPECT_FALSE(containsText("", "ma"));
    EXPECT_FALSE(containsText("b003", ""));
    EXPECT_TRUE(containsText("B003MAFit", "mafit"));

    EXPECT_TRUE(isHeadOutfit("c011ma_repo"));
    EXPECT_FALSE(isHeadOutfit("cx11ma_repo"));
    EXPECT_TRUE(isBodyOutfit("b003mafit_01"));
    EXPECT_TRUE(isBodyOutfit("h552mafit_dude"));
    EXPECT_FALSE(isBodyOutfit("hmlo"));  // a hand
    EXPECT_TRUE(isBodyOutfit("n0001_mcchd"));
    EXPECT_FALSE(isBodyOutfit("n001_mcchd"));
    EXPECT_TRUE(isExcludedBody("b008mafit_strokedd"));
    EXPECT_FALSE(isExcludedBody("B008MAFIT_STROKEDD"));  // names arrive lower-cased

    EXPECT_TRUE(skinColourAllows(true, "C036FA_cowg", 2));
    EXPECT_FALSE(skinColourAllows(true, "c036fa_cowg", 1));
    EXPECT_TRUE(skinColourAllows(false, "c036fa_cowg", 1));  // the restriction is the women's
    EXPECT_TRUE(skinColourAllows(true, "c038fa_rave", 0));
    EXPECT_TRUE(skinColourAllows(true, "c038fa_rave", 1));
    EXPECT_FALSE(skinColourAllows(true, "c038fa_rave", 2));
    for (int skin = 0; skin < 3; ++skin)
        EXPECT_FALSE(skinColourAllows(false, "b708mafit_ct", skin));

    EXPECT_EQ(textureKind("c011mamed_rotc"), TextureKind::Head);
    EXPECT_EQ(textureKind("h552mafitmed_dude"), TextureKind::Body);
    EXPECT_EQ(textureKind("u003mafoo"), TextureKind::BodyByNumber);
    EXPECT_EQ(textureKind("xyz"), TextureKind::Ignored);
}

}  // namespace
}  // namespace marquill::character
