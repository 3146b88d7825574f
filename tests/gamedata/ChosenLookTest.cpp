#include <gtest/gtest.h>

#include "character/CharacterCatalogue.h"
#include "character/LookLists.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"
#include "gamedata/ChosenPerson.h"
#include "platform/SoundPlayer.h"

namespace marquill::gamedata {
namespace {

// A person's body strings, through the look lists, to the appearance the lists select.
TEST(ChosenLook, BodyStringsSelectThePersonsOwnLook) {
    testing::TempTree tree;
    tree.file("GameData/Skins/looks.cmx",
              "v\nh\n0\n4\nc011ma_repo\n0\n0\n0\nc012fa_bob\n0\n0\n0\nb003mafit_01\n0\n0\n0\n"
              "b010fafat_casual\n0\n0\n0\n0\n");
    for (const char* t : {"C012fadrk_bobh", "B010FAFatdrk_casu", "b010fafatdrk_casu2"})
        tree.file(std::string("GameData/Skins/") + t + ".bmp", "BM");
    fileindex::FolderIndex index(tree.root());
    fileindex::FileTypeRegistry types(index);
    character::CharacterCatalogue catalogue(index, types);
    ASSERT_TRUE(catalogue.build(character::kCharacterPathList, character::kAnimationPathList));
    character::LookSelection look;
    character::SkinSelections dressing;
    platform::SilentSoundPlayer sounds;
    character::LookLists lists(catalogue, index, types, look, dressing, nullptr, sounds);
    lists.start();

    std::vector<std::string> strings(15);
    strings[0] = "Adult";
    strings[1] = "B010FAFAT_casual,BODY=b010fafatdrk_casu2";
    strings[2] = "c012fa_bob,HEAD-HEAD=C012FADRK_bobh";
    strings[12] = "Female";
    strings[14] = "Dark";
    look.appearance.fashionBodyMesh = "h000gone";
    lists.applyChosenLook(appearanceFromBodyStrings(strings));

    const character::Appearance& shown = look.appearance;
    EXPECT_EQ(shown.gender, 1);
    EXPECT_EQ(shown.skinColour, 2);
    EXPECT_EQ(shown.bodyType, 1);
    EXPECT_TRUE(shown.adult);
    EXPECT_EQ(shown.bodyMesh, "b010fafat_casual");
    EXPECT_EQ(shown.bodyTexture, "b010fafatdrk_casu2");
    EXPECT_EQ(shown.headMesh, "c012fa_bob");
    EXPECT_EQ(shown.headTexture, "c012fadrk_bobh");
    EXPECT_EQ(shown.fashionBodyMesh, "h552mafit_dude");  // the defaults came back first
}

}  // namespace
}  // namespace marquill::gamedata
