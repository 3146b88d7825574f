#include "character/LookLists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "character/CharacterCatalogue.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"
#include "platform/SoundPlayer.h"

namespace marquill::character {
namespace {

using Names = std::vector<std::string>;

// A text character file holding outfits without skin parts.
std::string outfitFile(const Names& outfits) {
    std::string text = "version 300\nheader\n0\n" + std::to_string(outfits.size()) + "\n";
    for (const std::string& o : outfits)
        text += o + "\n0\n0\n0\n";
    return text + "0\n";
}

class RecordingSounds final : public platform::SoundPlayer {
  public:
    void playNamed(std::string_view name) override { played.emplace_back(name); }
    void playNamedAndWait(std::string_view) override {}
    void playFile(const std::string&) override {}
    void stopAll() override {}
    Names played;
};

class RecordingPerson final : public PersonControl {
  public:
    void setBusy(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
    void ensurePerson(const std::string& skeleton) override {
        calls.push_back("person " + skeleton);
    }
    void dress(const Appearance& a, SkinSelections&, bool fashion) override {
        calls.push_back("dress " + (fashion ? a.fashionBodyMesh : a.bodyMesh) + " " + a.headMesh +
                        " " + a.headTexture);
    }
    void undressAll() override { calls.push_back("undress"); }
    void reloadTextures() override { calls.push_back("reload"); }
    void syncAnimation(std::string& name) override { calls.push_back("animation " + name); }
    Names calls;
};

const Names kOutfits = {"c011ma_repo",     "c006ma_boss",      "c005ma_hipster",   "c012fa_bob",
                        "c036fa_cowg",     "c038fa_rave",      "b003mafit_01",     "b004mafit_suit",
                        "b708mafit_ct",    "b003mafat_01",     "b010mafat_casual", "b003fafit_01",
                        "b005fafit_dress", "b010fafat_casual", "h552mafit_dude",   "h570fafit_gown",
                        "b001mcchd_01",    "b002fcchd_01",     "n0001_mcchd",      "hmlo"};

const Names kTextures = {
    "C011mamed_rotc",    "c011malgt_rotc",    "c012famed_bobh",    "c036fadrk_cowg",
    "c005malgt_hips",    "B003MAFitmed_bmoc", "b003mafitxmed_alt", "b003mafitlgt_bmoc",
    "b004mafitmed_suit", "b010mafatmed_casu", "b010mafatxmed_bad", "b005fafitmed_drss",
    "b010fafatmed_casu", "h552mafitmed_dude", "u003maplain",       "b001mamed_kidx",
    "b009mamed_ucchd",   "huaomed",           "nofolder"};

// A person as the import lists read it from its body strings.
Appearance chosen(bool adult, int gender, int skin, int body, std::string bodyMesh,
                  std::string bodyTexture, std::string headMesh, std::string headTexture) {
    Appearance a;
    a.adult = adult;
    a.gender = gender;
    a.skinColour = skin;
    a.bodyType = body;
    a.bodyMesh = std::move(bodyMesh);
    a.bodyTexture = std::move(bodyTexture);
    a.headMesh = std::move(headMesh);
    a.headTexture = std::move(headTexture);
    a.fashionBodyMesh = "h000none";  // a chosen person's fashion outfit gives way to the default
    return a;
}

class Looks : public ::testing::Test {
  protected:
    void SetUp() override {
        tree.file("GameData/Skins/looks.cmx", outfitFile(kOutfits));
        for (const std::string& t : kTextures)
            tree.file("GameData/Textures/" + t + ".bmp", "BM");
    }
    LookLists& lists(PersonControl* person = nullptr) {
        index = std::make_unique<fileindex::FolderIndex>(tree.root());
        types = std::make_unique<fileindex::FileTypeRegistry>(*index);
        catalogue = std::make_unique<CharacterCatalogue>(*index, *types);
        EXPECT_TRUE(catalogue->build(kCharacterPathList, kAnimationPathList));
        looks =
            std::make_unique<LookLists>(*catalogue, *index, *types, look, dressing, person, sounds);
        looks->start();
        return *looks;
    }
    static Names named(const LookList& list) { return list.entries(); }

    testing::TempTree tree;
    std::unique_ptr<fileindex::FolderIndex> index;
    std::unique_ptr<fileindex::FileTypeRegistry> types;
    std::unique_ptr<CharacterCatalogue> catalogue;
    LookSelection look;
    Appearance& selections = look.appearance;  // what the lists edit
    SkinSelections dressing;
    RecordingSounds sounds;
    std::unique_ptr<LookLists> looks;
};

TEST_F(Looks, StartUpOffersAnAdultMansHeadsBodiesAndTexturesAndKeepsTheDefaults) {
    LookLists& l = lists();
    EXPECT_EQ(named(l.heads()), (Names{"c011ma_repo"}));  // boss is Dark, hipster Light only
    // b708mafit_ct is never offered; the high-fashion and child bodies are not either.
    EXPECT_EQ(named(l.bodies()), (Names{"b003mafit_01", "b004mafit_suit"}));
    EXPECT_EQ(named(l.headTextures()), (Names{"c011mamed_rotc"}));
    // The Fit rule lets ma and med stand apart in the prefix; u003 matches by number.
    EXPECT_EQ(named(l.bodyTextures()),
              (Names{"b003mafitmed_bmoc", "b003mafitxmed_alt", "u003maplain"}));
    // A stored text the list offers keeps its own spelling.
    EXPECT_EQ(look, LookSelection{});
    EXPECT_EQ(dressing, SkinSelections{});
    EXPECT_EQ(l.headTextures().selectedText(), "c011mamed_rotc");
    EXPECT_EQ(l.status(), (LookStatus{"Skin Selection Ok", true}));

    const Appearance before = selections;
    const Names heads = named(l.heads()), bodyTextures = named(l.bodyTextures());
    l.refill(true, true);
    l.refill(true, true);
    EXPECT_EQ(selections, before);
    EXPECT_EQ(named(l.heads()), heads);
    EXPECT_EQ(named(l.bodyTextures()), bodyTextures);
    EXPECT_EQ(l.bodies().selectedText(), "b003mafit_01");
}

TEST_F(Looks, SkinColourDecidesRestrictedHeads) {
    LookLists& l = lists();
    l.genderChanged(true);
    EXPECT_EQ(named(l.heads()), (Names{"c012fa_bob", "c038fa_rave"}));
    ASSERT_TRUE(l.skinColourChanged(2));
    EXPECT_EQ(named(l.heads()), (Names{"c012fa_bob", "c036fa_cowg"}));
    ASSERT_TRUE(l.skinColourChanged(0));
    EXPECT_EQ(named(l.heads()), (Names{"c012fa_bob", "c038fa_rave"}));
    EXPECT_EQ(sounds.played, (Names{"CLICK", "CLICK"}));
    EXPECT_FALSE(l.skinColourChanged(3));
    l.genderChanged(false);
    ASSERT_TRUE(l.skinColourChanged(2));
    EXPECT_EQ(named(l.heads()), (Names{"c006ma_boss", "c011ma_repo"}));
    EXPECT_EQ(named(l.bodies()), (Names{"b003mafit_01", "b004mafit_suit"}));  // never b708
}

TEST_F(Looks, BodyTypeFullNeedsTheJoinedCodesAndNeverListsExcludedBodies) {
    LookLists& l = lists();
    auto shown = l.bodyTypeChanged(1);
    ASSERT_TRUE(shown);
    // b003mafat_01 fits the codes but is excluded.
    EXPECT_EQ(named(l.bodies()), (Names{"b010mafat_casual"}));
    EXPECT_EQ(selections.bodyMesh, "b010mafat_casual");
    // The Full rule wants "mafatmed" in one piece: b010mafatxmed_bad is not offered.
    EXPECT_EQ(named(l.bodyTextures()), (Names{"b010mafatmed_casu"}));
    EXPECT_EQ(selections.bodyTexture, "b010mafatmed_casu");
    EXPECT_EQ(*shown, (LookStatus{"Skin Selection Ok", true}));
}

TEST_F(Looks, HighFashionBodiesOnlyOnTheirPage) {
    LookLists& l = lists();
    selections.fashionBodyMesh = "h000gone_x";  // the page's textures follow its own body
    l.showFashionPage();
    EXPECT_EQ(named(l.bodies()), (Names{"h552mafit_dude"}));
    EXPECT_EQ(named(l.bodyTextures()), (Names{"h552mafitmed_dude"}));
    EXPECT_EQ(selections.fashionBodyTexture, "h552mafitmed_dude");
    EXPECT_EQ(selections.bodyMesh, "b003mafit_01");       // the normal body stays
    EXPECT_EQ(named(l.heads()), (Names{"c011ma_repo"}));  // the head lists are left alone

    // A body without high-fashion textures.
    l.genderChanged(true);
    EXPECT_EQ(named(l.bodies()), (Names{"h570fafit_gown"}));
    auto shown = l.bodySelected(0);
    ASSERT_TRUE(shown);
    EXPECT_EQ(*shown, (LookStatus{"Invalid Fashion Skin Selection", false}));
    EXPECT_FALSE(l.bodySelected(1));

    l.showNormalPage();
    EXPECT_EQ(named(l.bodies()), (Names{"b005fafit_dress"}));  // b003fafit_01 is excluded
    EXPECT_EQ(named(l.bodyTextures()), (Names{"b005fafitmed_drss"}));
}

TEST_F(Looks, AHeadWithoutTexturesForTheSkinColourInvalidatesTheSelection) {
    LookLists& l = lists();
    ASSERT_TRUE(l.skinColourChanged(2));  // Dark: the boss is offered, but has no dark textures
    ASSERT_EQ(l.heads().findExact("c006ma_boss"), 0);
    auto shown = l.headSelected(0);
    ASSERT_TRUE(shown);
    EXPECT_EQ(*shown, (LookStatus{"Invalid Head or Skin Selection", false}));
    EXPECT_EQ(l.headTextures().count(), 0);
    EXPECT_EQ(selections.headTexture, "");
    EXPECT_EQ(l.headTextures().selected(), -1);

    ASSERT_TRUE(l.skinColourChanged(1));  // the boss is gone: the first head takes its place
    EXPECT_EQ(selections.headMesh, "c011ma_repo");
    auto again = l.headSelected(0);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->nextEnabled);
    EXPECT_EQ(selections.headTexture, "c011mamed_rotc");
}

TEST_F(Looks, BodyTexturesFollowTheBodyStoredBeforeItsListIsReselected) {
    LookLists& l = lists();
    selections.gender = kFemaleGender;
    l.refill(true, true);
    // The body list moved on to a woman's body, but its textures were sought for the man's: only
    // the texture matched by the man's body number is offered.
    EXPECT_EQ(selections.bodyMesh, "b005fafit_dress");
    EXPECT_EQ(named(l.bodyTextures()), (Names{"u003maplain"}));
    EXPECT_EQ(selections.bodyTexture, "u003maplain");
    l.refill(false, true);
    EXPECT_EQ(named(l.bodyTextures()), (Names{"b005fafitmed_drss"}));
    EXPECT_EQ(selections.bodyTexture, "b005fafitmed_drss");

    // The gender toggle does both refills itself.
    l.genderChanged(false);
    EXPECT_EQ(selections.bodyMesh, "b003mafit_01");
    EXPECT_EQ(selections.bodyTexture, "b003mafitmed_bmoc");
    EXPECT_TRUE(l.status().nextEnabled);
}

TEST_F(Looks, ChoicesAreStoredAndDressTheirPerson) {
    RecordingPerson person;
    LookLists& l = lists(&person);
    EXPECT_EQ(person.calls,
              (Names{"busy", "person adult", "dress b003mafit_01 c011ma_repo C011mamed_rotc",
                     "animation a2o-heyyou1", "idle"}));
    person.calls.clear();
    dressing.skeleton = "child";
    ASSERT_TRUE(l.bodySelected(l.bodies().findExact("b004mafit_suit")));
    EXPECT_EQ(dressing.skeleton, "adult");  // a new body brings back the default skeleton
    EXPECT_EQ(selections.bodyMesh, "b004mafit_suit");
    EXPECT_EQ(named(l.bodyTextures()), (Names{"b004mafitmed_suit"}));
    EXPECT_EQ(selections.bodyTexture, "b004mafitmed_suit");
    EXPECT_EQ(person.calls[1], "person adult");

    person.calls.clear();
    l.headTextureSelected(0);
    EXPECT_EQ(person.calls, (Names{"dress b004mafit_suit c011ma_repo c011mamed_rotc"}));
    l.headTextureSelected(5);  // no such entry: nothing happens
    EXPECT_EQ(person.calls.size(), 1u);

    // A stored name the list no longer offers gives way to the first entry.
    selections.headMesh = "c999ma_gone";
    l.refill(true, false);
    EXPECT_EQ(selections.headMesh, "c011ma_repo");
    EXPECT_EQ(l.heads().selected(), 0);
}

TEST_F(Looks, TextureNamesComeFromTheAnimationPathsFirstOncePerFile) {
    tree.file("GameData/Skins/b003mafitmed_twice.bmp", "BM");  // in both path lists
    tree.file("GameData/Textures/b003mafitmed_twice.bmp", "BM");
    tree.file("GameData/Animation/b003mafitmed_anim.BMP", "BM");
    LookLists& l = lists();
    const Names& names = l.textureNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "b003mafitmed_anim");
    EXPECT_EQ(std::count(names.begin(), names.end(), "b003mafitmed_twice"), 2);
    EXPECT_EQ(std::count(names.begin(), names.end(), "nofolder"), 1);
    const Names& offered = l.bodyTextures().entries();
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "b003mafitmed_twice"), 2);
}

TEST_F(Looks, RescanFindsNewTexturesAndRedressesThePerson) {
    RecordingPerson person;
    LookLists& l = lists(&person);
    tree.file("GameData/Textures/b003mafitmed_new.bmp", "BM");
    l.refill(false, true);
    EXPECT_EQ(l.bodyTextures().findExact("b003mafitmed_new"), -1);
    person.calls.clear();
    sounds.played.clear();
    l.rescan();
    EXPECT_NE(l.bodyTextures().findExact("b003mafitmed_new"), -1);
    EXPECT_EQ(sounds.played, (Names{"CLICK"}));
    ASSERT_GE(person.calls.size(), 3u);
    EXPECT_EQ(person.calls[0], "undress");
    EXPECT_EQ(person.calls[1], "reload");
}

TEST_F(Looks, AChosenPersonSelectsItsOwnLook) {
    LookLists& l = lists();
    dressing.animation = "";
    const Appearance woman =
        chosen(true, kFemaleGender, 1, 1, "b010fafat", "B010FAFATmed", "c012fa", "nothing");
    l.applyChosenLook(woman);
    EXPECT_TRUE(l.appearance().female());
    EXPECT_EQ(l.appearance().bodyType, 1);
    EXPECT_EQ(dressing.animation, "a2o-heyyou1");  // the defaults came back first
    EXPECT_EQ(selections.fashionBodyMesh, "h552mafit_dude");
    EXPECT_EQ(selections.bodyMesh, "b010fafat_casual");
    EXPECT_EQ(selections.bodyTexture, "b010fafatmed_casu");
    EXPECT_EQ(selections.headMesh, "c012fa_bob");
    EXPECT_EQ(selections.headTexture, "c012famed_bobh");  // not found: the first entry
    EXPECT_EQ(l.heads().selectedText(), "c012fa_bob");
    const Appearance shown = selections;
    l.refill(true, true);
    EXPECT_EQ(selections, shown);

    // A man's names are looked up among a man's lists.
    const Appearance man = chosen(true, kMaleGender, 2, 0, "b004mafit_suit", "", "c006ma_boss", "");
    l.applyChosenLook(man);
    EXPECT_FALSE(l.appearance().female());
    EXPECT_EQ(l.appearance().skinColour, 2);
    EXPECT_EQ(selections.bodyMesh, "b004mafit_suit");
    EXPECT_EQ(selections.headMesh, "c006ma_boss");
    EXPECT_EQ(selections.headTexture, "");  // the boss has no dark textures
}

TEST_F(Looks, AChildGetsChildBodiesAndSharedChildTextures) {
    LookLists& l = lists();
    const Appearance boy =
        chosen(false, kMaleGender, 1, 0, "b001mcchd_01", "b001mamed_kidx", "c011ma_repo", "");
    l.applyChosenLook(boy);
    EXPECT_FALSE(l.appearance().adult);
    // The adult bodies still fit the codes; the child bodies come by their gender mark.
    EXPECT_EQ(named(l.bodies()),
              (Names{"b001mcchd_01", "b003mafit_01", "b004mafit_suit", "n0001_mcchd"}));
    EXPECT_EQ(selections.bodyMesh, "b001mcchd_01");
    // Four characters of the body match for a child; ucchd textures go with any child's body.
    EXPECT_EQ(named(l.bodyTextures()), (Names{"b001mamed_kidx", "b009mamed_ucchd"}));
    EXPECT_EQ(selections.bodyTexture, "b001mamed_kidx");

    const Appearance girl = chosen(false, kFemaleGender, 1, 0, "nobody", "", "", "");
    l.applyChosenLook(girl);
    EXPECT_EQ(l.bodies().findExact("b002fcchd_01"), 0);
    EXPECT_EQ(l.bodies().findExact("b001mcchd_01"), -1);
    EXPECT_EQ(selections.bodyMesh, "b002fcchd_01");  // not found: the first entry
}

}  // namespace
}  // namespace marquill::character
