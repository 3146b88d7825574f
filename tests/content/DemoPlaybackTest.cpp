#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "character/AnimationPlayer.h"
#include "character/CharacterCatalogue.h"
#include "character/IdleCycle.h"
#include "content/DemoCharacters.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"

namespace marquill::content {
namespace {

// The demo's greeting and idle animations played as the preview plays them: 10 ms ticks, each
// finished animation followed by the idle cycle's next choice.
TEST(DemoPlayback, GreetsOnceThenWalksThroughEveryStance) {
    testing::TempTree tree;
    std::string error;
    ASSERT_TRUE(writeDemoCharacters(tree.root(), DemoOptions{}, &error)) << error;
    fileindex::FolderIndex index(tree.root());
    fileindex::FileTypeRegistry types(index);
    character::CharacterCatalogue catalogue(index, types);
    ASSERT_TRUE(catalogue.build(character::kCharacterPathList, character::kAnimationPathList));
    character::Skeleton* adult = catalogue.findSkeleton("adult");
    ASSERT_NE(adult, nullptr);
    character::Skeleton skeleton = *adult;

    std::vector<std::string> sounds;
    character::setAnimationEventCallback([&](const character::AnimationInstance&,
                                             const character::Bone&, const character::BoneTrack&,
                                             const character::PropertyList& properties) {
        if (const std::string* s = properties.get("sound")) sounds.push_back(*s);
    });

    character::AnimationPlayer player(skeleton);
    character::Animation* greeting = catalogue.findAnimation("a2o-heyyou1");
    ASSERT_NE(greeting, nullptr);
    int32_t now = 0;
    character::AnimationInstance* running = player.start(catalogue, *greeting, 1, 1, 1, now);
    running->endMode = character::EndMode::HoldAtEnd;
    const character::Quat rest = skeleton.bones[0].worldRotation;
    auto playToTheEnd = [&] {
        for (int i = 0; i < 2000 && !running->finished; ++i)
            player.update(now += 10, true);
    };
    playToTheEnd();
    ASSERT_TRUE(running->finished);
    EXPECT_EQ(std::vector<std::string>{"vox_greet_heyyou.wav"}, sounds);
    for (int i = 0; i < 50; ++i)
        player.update(now += 10, true);
    EXPECT_EQ(1u, sounds.size()) << "a held greeting does not greet again";

    platform::SeededRandom random(12345);
    platform::SilentSoundPlayer silent;
    character::IdleCycle cycle;
    std::string name = "a2o-heyyou1";
    std::set<int> stances;
    std::set<std::string> played;
    bool moved = false;
    for (int n = 0; n < 60; ++n) {
        running = cycle.next(name, player, catalogue, now, true, true, random, silent);
        ASSERT_NE(running, nullptr) << "every idle name is in the demo";
        ASSERT_FALSE(name.empty());
        stances.insert(cycle.state());
        played.insert(name);
        playToTheEnd();
        ASSERT_TRUE(running->finished) << name;
        moved = moved || !(skeleton.bones[0].worldRotation == rest);
    }
    character::setAnimationEventCallback({});
    EXPECT_EQ(3u, stances.size());
    EXPECT_GT(played.size(), 10u);
    EXPECT_TRUE(moved);
    EXPECT_EQ(1u, player.running().size());
}

}  // namespace
}  // namespace marquill::content
