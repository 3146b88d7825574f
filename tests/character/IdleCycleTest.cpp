#include "character/IdleCycle.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "character/AnimationPlayer.h"
#include "character/AnimationRig.h"
#include "character/CharacterCatalogue.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"

namespace marquill::character {
namespace {

class ScriptedRandom final : public platform::RandomSource {
  public:
    explicit ScriptedRandom(std::initializer_list<int> values) : values_(values) {}
    [[nodiscard]] int next() override {
        EXPECT_FALSE(values_.empty()) << "more draws than scripted";
        if (values_.empty()) return 0;
        const int v = values_.front();
        values_.pop_front();
        return v;
    }
    void seed(uint32_t) override {}
    [[nodiscard]] size_t left() const { return values_.size(); }

  private:
    std::deque<int> values_;
};

class RecordingSounds final : public platform::SoundPlayer {
  public:
    void playNamed(std::string_view name) override { named.emplace_back(name); }
    void playNamedAndWait(std::string_view name) override { named.emplace_back(name); }
    void playFile(const std::string& path) override { files.push_back(path); }
    void stopAll() override {}
    std::vector<std::string> named;
    std::vector<std::string> files;
};

TEST(IdleChoice, EachStanceFollowsItsTable) {
    const std::vector<std::pair<int, std::string>> armsDown = {
        {0, "a2o-idle1"},
        {7, "a2o-idle8"},
        {8, "a2o-idle-armsdown-fidget"},
        {9, "a2o-idle-armsdown-lookoff"},
        {11, "a2o-idle-armsdown-breathe"},
        {19, "a2o-idle-armsdown-breathe"},
        {20 * 1000 + 3, "a2o-idle4"},
    };
    for (const auto& [draw, name] : armsDown) {
        IdleCycle cycle;
        ScriptedRandom random{draw};
        EXPECT_EQ(name, cycle.choose(random)) << draw;
        EXPECT_EQ(IdleCycle::ArmsDown, cycle.state());
    }
    const std::vector<std::pair<int, std::string>> handsOnHips = {
        {0, "a2o-idle-handships-breathe"}, {1, "a2o-idle-handships-shiftside"},
        {2, "a2o-idle-handships-lookoff"}, {4, "a2o-idle-handships-breathe"},
        {7, "a2o-idle-handships-breathe"}, {8 * 77 + 1, "a2o-idle-handships-shiftside"},
    };
    for (const auto& [draw, name] : handsOnHips) {
        IdleCycle cycle;
        ScriptedRandom random{10, draw};
        EXPECT_EQ("a2o-idle-transition-armsdown-handships", cycle.choose(random));
        EXPECT_EQ(IdleCycle::HandsOnHips, cycle.state());
        EXPECT_EQ(name, cycle.choose(random)) << draw;
        EXPECT_EQ(IdleCycle::HandsOnHips, cycle.state());
    }
    const std::vector<std::pair<int, std::string>> armsCrossed = {
        {0, "a2o-idle-armscrossed-breathe"},         {1, "a2o-idle-armscrossed-scratchchin"},
        {2, "a2o-idle-armscrossed-lookoff"},         {5, "a2o-idle-armscrossed-breathe"},
        {8 * 9 + 2, "a2o-idle-armscrossed-lookoff"},
    };
    for (const auto& [draw, name] : armsCrossed) {
        IdleCycle cycle;
        ScriptedRandom random{10, 3, draw, 3};
        (void)cycle.choose(random);
        EXPECT_EQ("a2o-idle-transition-handships-armscrossed", cycle.choose(random));
        EXPECT_EQ(IdleCycle::ArmsCrossed, cycle.state());
        EXPECT_EQ(name, cycle.choose(random)) << draw;
        EXPECT_EQ("a2o-idle-transition-armscrossed-armsdown", cycle.choose(random));
        EXPECT_EQ(IdleCycle::ArmsDown, cycle.state());
        cycle.reset();
    }
}

// A catalogue with a few idle animations, two frames each on the pelvis.
class IdleCycleWithCatalogue : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string cmx = "version 300\n0\n0\n0\n3\n";
        for (const char* idle : {"a2o-idle1", "a2o-idle2", "a2o-idle-armsdown-breathe"}) {
            cmx +=
                std::string(idle) + "\n" + idle + "\n1000 0 0 2 2 1\nPELVIS\n2 1000 1 1 0 0\n0 0\n";
            std::string raw(2 * 12 + 2 * 16, '\0');
            tree.file(std::string("GameData/Skins/") + idle + ".bin", raw);
        }
        tree.file("GameData/Skins/idles.cmx", cmx);
        ASSERT_TRUE(catalogue.build(kCharacterPathList, kAnimationPathList));
    }

    ::marquill::testing::TempTree tree;
    fileindex::FolderIndex index{tree.root()};
    fileindex::FileTypeRegistry types{index};
    CharacterCatalogue catalogue{index, types};
    Skeleton skeleton = testing::twoBoneSkeleton();
    AnimationPlayer player{skeleton};
    RecordingSounds sounds;
    IdleCycle cycle;
    std::string name = "a2o-heyyou1";

    AnimationInstance* next(ScriptedRandom& random, bool foreground = false, bool male = true) {
        return cycle.next(name, player, catalogue, 5000, male, foreground, random, sounds);
    }
};

TEST_F(IdleCycleWithCatalogue, StartsOnceHoldsOnTheSameNameAndReplacesAnother) {
    ScriptedRandom random{0, 20, 1};
    AnimationInstance* first = next(random);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ("a2o-idle1", name);
    EXPECT_EQ("a2o-idle1", first->animation->name);
    EXPECT_EQ(1, first->priority);
    EXPECT_EQ(1.0f, first->rate);
    EXPECT_EQ(1.0f, first->weight);
    EXPECT_EQ(EndMode::HoldAtEnd, first->endMode);
    EXPECT_EQ(5000, first->currentTime);
    EXPECT_TRUE(first->keyframesLoaded);

    // The one that just finished is chosen again: it stays and nothing new starts.
    player.update(7000, true);
    ASSERT_TRUE(first->finished);
    EXPECT_EQ(first, next(random));
    EXPECT_EQ(1u, player.running().size());

    AnimationInstance* second = next(random);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ("a2o-idle2", name);
    ASSERT_EQ(1u, player.running().size());
    EXPECT_EQ(second, player.running().front().get());
    EXPECT_EQ("a2o-idle2", second->animation->name);
    EXPECT_EQ(0, catalogue.findAnimation("a2o-idle1")->useCount);
}

TEST_F(IdleCycleWithCatalogue, AMissingNameStopsTheOldOneAndClearsTheName) {
    ScriptedRandom random{0, 8, 11};
    ASSERT_NE(nullptr, next(random));
    EXPECT_EQ(nullptr, next(random));  // "a2o-idle-armsdown-fidget" is not in the catalogue
    EXPECT_EQ("", name);
    EXPECT_TRUE(player.running().empty());
    AnimationInstance* again = next(random);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ("a2o-idle-armsdown-breathe", name);
}

TEST_F(IdleCycleWithCatalogue, MurmursOnlyInFrontOnceInTenWithTheGendersNames) {
    ScriptedRandom background{0};
    (void)next(background, false);
    EXPECT_EQ(0u, background.left());

    ScriptedRandom quiet{12, 0};
    (void)next(quiet, true);
    EXPECT_EQ(0u, quiet.left()) << "no second draw without a murmur";
    EXPECT_TRUE(sounds.named.empty());

    ScriptedRandom male{3, 0, 0, 13, 4, 0, 23, 302, 0};
    for (int i = 0; i < 3; ++i)
        (void)next(male, true, true);
    ScriptedRandom female{3, 3, 0, 13, 1, 0, 93, 5, 0};
    for (int i = 0; i < 3; ++i)
        (void)next(female, true, false);
    EXPECT_EQ((std::vector<std::string>{"Vox_Bored_SighM1", "Vox_indifferent_huhM1",
                                        "Vox_intrigued_hmmM1", "Vox_bored_Sighf4",
                                        "Vox_Indifferent_huhF2", "Vox_Indifferent_huhF3"}),
              sounds.named);
}

}  // namespace
}  // namespace marquill::character
