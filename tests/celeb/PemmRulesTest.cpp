#include <gtest/gtest.h>

#include "celeb/InterestScore.h"
#include "celeb/NearestSign.h"
#include "celeb/PemmData.h"
#include "celeb/RecordChecks.h"

namespace marquill::celeb {
namespace {

TEST(NearestSign, ProfilesGiveTheirOwnSignAndTiesKeepTheEarlierSign) {
    for (int s = 0; s < kSignCount; ++s)
        EXPECT_EQ(nearestSign(kSigns[static_cast<size_t>(s)].profile), s) << s;
    // Cancer and Aquarius are both 133 away from nothing; Cancer comes first.
    EXPECT_EQ(nearestSign({0, 0, 0, 0, 0}), 3);
    EXPECT_EQ(nearestSign({8, 3, 3, 5, 6}), 0);
}

TEST(NearestSign, EveryProfileSumsToTwentyFive) {
    for (const Sign& s : kSigns) {
        int sum = 0;
        for (int v : s.profile)
            sum += v;
        EXPECT_EQ(sum, 25) << s.name;
        EXPECT_LT(s.name.size(), static_cast<size_t>(kSignNameSlot));
    }
}

TEST(PemmData, DefaultsAndRanges) {
    PemmData r;
    EXPECT_EQ(r.fameLevel(), 12);
    EXPECT_EQ(r.skinColour(), 1);
    r.setTrait(7, 3);
    EXPECT_EQ(r.trait(7), 0);
    r.setTrait(kOutgoing, 8);
    EXPECT_EQ(r.signOrderTraits()[0], 8);
    PemmData copy = r;
    copy.setName("other");
    EXPECT_TRUE(r.name().empty());
}

TEST(InterestScore, BandsByPosition) {
    PemmData r;
    auto order = interestOrder({1, 2, 3, 4, 5}, {6, 7, 8, 9, 10});
    for (int p = 0; p < 15; ++p)
        r.setInterestAt(p, order[static_cast<size_t>(p)]);
    EXPECT_EQ(interestScore(r, 1), 10);
    EXPECT_EQ(interestScore(r, 0), 5);
    EXPECT_EQ(interestScore(r, 6), 1);
    r.setInterestAt(5, 0);
    EXPECT_EQ(interestScore(r, 0), 5);
    for (int p = 0; p < 15; ++p)
        r.setInterestAt(p, p == 14 ? 0 : 1);
    EXPECT_EQ(interestScore(r, 0), 1);
}

TEST(InterestOrder, LowListSortsByNameAndMiddleKeepsIdOrder) {
    // Low: Travel, 60's Stuff, Food, Money, Style -> sorted: 60's Stuff, Food, Money, Style, Travel
    auto order = interestOrder({7, 0, 3, 11, 12}, {6, 8, 13, 4, 9});
    EXPECT_EQ(order, (std::array<int, 15>{7, 0, 3, 11, 12, 1, 2, 5, 10, 14, 6, 9, 4, 13, 8}));
}

TEST(RecordChecks, NameAndDescriptionLimitsAreInclusive) {
    EXPECT_FALSE(checkName(std::string(30, 'a')));
    auto longName = checkName(std::string(31, 'a'));
    ASSERT_TRUE(longName);
    EXPECT_EQ(longName->status, "Name too long");
    EXPECT_FALSE(checkName("\xC3\xA9" + std::string(29, 'a')));  // 30 characters, 31 bytes
    EXPECT_TRUE(checkName(""));
    EXPECT_FALSE(checkDescription(std::string(1024, 'd')));
    EXPECT_EQ(checkDescription(std::string(1025, 'd'))->status, "Description too long");
    EXPECT_TRUE(checkDescription(""));
}

TEST(RecordChecks, PointsAndInterests) {
    EXPECT_FALSE(checkPersonality({5, 5, 5, 5, 5}));
    EXPECT_FALSE(checkPersonality({0, 0, 0, 0, 0}));
    EXPECT_TRUE(checkPersonality({10, 10, 6, 0, 0}));
    EXPECT_EQ(checkInterests({1, 2, 3, 4}, {5, 6, 7, 8, 9})->message,
              "This Pemm won't be very interesting to talk to! You need to select 5 top "
              "interests for your Pemm.");
    EXPECT_TRUE(checkInterests({1, 2, 3, 4, 0}, {5, 6, 7, 8}));
    EXPECT_TRUE(checkInterests({1, 2, 3, 4, 0, 10}, {5, 6, 7, 8, 9}));
    EXPECT_FALSE(checkInterests({1, 2, 3, 4, 0}, {5, 6, 7, 8, 9}));
}

}  // namespace
}  // namespace marquill::celeb
