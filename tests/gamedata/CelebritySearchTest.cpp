#include "gamedata/CelebritySearch.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TestFiles.h"
#include "gamedata/ChosenPerson.h"

namespace marquill::gamedata {
namespace {

using namespace testing_files;

class CelebritySearchTest : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(game_.path() + "/UserData/Characters");
        std::filesystem::create_directories(game_.path() + "/TemplateCelebrity");
    }
    std::string person(const std::string& name) const {
        return game_.path() + "/UserData/Characters/" + name;
    }
    void neighborhood(const std::vector<uint32_t>& members, bool family = true) {
        writeNeighborhood(game_.path() + "/UserData/Neighborhood.iff", members, family);
    }
    TempFolder game_;
};

TEST_F(CelebritySearchTest, AFamilyOfThreeWhoseFilesComeFirstIsListedWithoutOpeningTheRest) {
    writePerson(person("User00001.iff"), {.guid = 11, .names = {"Ann"}});
    writePerson(person("User00002.iff"), {.guid = 12, .names = {"ctss name"}, .catsName = "Bea"});
    writePerson(person("User00003.iff"), {.guid = 13, .names = {"Cy"}});
    writePerson(person("User00004.iff"), {.guid = 14, .names = {"Dot"}});
    std::ofstream(person("User00005.iff")) << "not a resource file";
    neighborhood({13, 11, 12});
    auto result = searchCelebrities(GamePaths(game_.path()), 1);
    ASSERT_TRUE(result.found());
    ASSERT_EQ(result.entries.size(), 3u);
    EXPECT_EQ(result.examined, 3u);
    EXPECT_EQ(result.entries[0].listText(), "User00001.iff   -   Ann");
    EXPECT_EQ(result.entries[1].displayName, "Bea");  // CATS before CTSS
    EXPECT_EQ(result.entries[2].guid, 13u);
}

TEST_F(CelebritySearchTest, AMissingMemberMakesTheScanReadEveryFileAndBadFilesAreSkipped) {
    std::ofstream(person("User00001.iff")) << "garbage";
    writePerson(person("User00002.iff"), {.guid = 22, .objd = false});
    writePerson(person("User00003.iff"), {.guid = 23, .names = {"Cy"}});
    writePerson(person("Other.iff"), {.guid = 99});
    neighborhood({23, 77});
    auto result = searchCelebrities(GamePaths(game_.path()), 1);
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.entries[0].fileName, "User00003.iff");
    EXPECT_EQ(result.examined, 3u);
    EXPECT_EQ(result.skipped, (std::vector<std::string>{"User00001.iff", "User00002.iff"}));
}

TEST_F(CelebritySearchTest, NoCelebrityFamilyOrNoMembersFindsNothing) {
    writePerson(person("User00001.iff"), {.guid = 1});
    neighborhood({}, false);
    EXPECT_FALSE(searchCelebrities(GamePaths(game_.path()), 1).found());
    neighborhood({});
    EXPECT_FALSE(searchCelebrities(GamePaths(game_.path()), 1).found());
    EXPECT_FALSE(searchCelebrities(GamePaths(game_.path()), 7).found());
    EXPECT_TRUE(readCelebrityGuids(game_.path() + "/nothing.iff").empty());
}

TEST_F(CelebritySearchTest, TheGenericCelebrityFileIsNeverListed) {
    for (const char* name :
         {"b.iff", "QTCelebGeneric.iff", "A.IFF", "notes.txt", "xQTCelebGeneric.iff"})
        std::ofstream(game_.path() + "/TemplateCelebrity/" + name) << "x";
    EXPECT_EQ(listCelebrityFiles(GamePaths(game_.path())),
              (std::vector<std::string>{"A.IFF", "b.iff"}));
}

TEST(CelebrityEntry, TheFileNameIsTheTextUpToTheFirstBlank) {
    CelebrityEntry e{"User00012.iff", "Some Body", 1};
    EXPECT_EQ(entryFileName(e.listText()), "User00012.iff");
}

TEST(ChosenPerson, BodyStringsBecomeAnAppearance) {
    std::vector<std::string> s(15);
    s[0] = "adult";
    s[1] = "B009FAFit_02,BODY=B009FAFitlgt_02";
    s[2] = "c030fa_bob,head-head=C030falgt_bob";
    s[12] = "female";
    s[14] = "lgt";
    character::Appearance look = appearanceFromBodyStrings(s);
    EXPECT_TRUE(look.adult);
    EXPECT_EQ(look.gender, 1);
    EXPECT_EQ(look.skinColour, 0);
    EXPECT_EQ(look.bodyType, 0);
    EXPECT_EQ(look.bodyMesh, "B009FAFit_02");
    EXPECT_EQ(look.bodyTexture, "B009FAFitlgt_02");
    EXPECT_EQ(look.headMesh, "c030fa_bob");
    EXPECT_EQ(look.headTexture, "C030falgt_bob");

    s[0] = "Child";
    s[1] = "b1fat";
    s[12] = "Male";
    s[14] = "dark";
    look = appearanceFromBodyStrings(s);
    EXPECT_FALSE(look.adult);
    EXPECT_EQ(look.gender, 0);
    EXPECT_EQ(look.skinColour, 2);
    EXPECT_EQ(look.bodyType, 1);
    EXPECT_EQ(look.bodyTexture, "");
    // Only string 1: the defaults stand.
    look = appearanceFromBodyStrings({"A"});
    EXPECT_EQ(look.bodyMesh, character::Appearance{}.bodyMesh);
}

TEST_F(CelebritySearchTest, ChoosingAPersonReadsNameAndLook) {
    TestPerson p{.guid = 5, .names = {"Zed"}};
    p.bodyStrings = {"Adult", "b004mafit_01,BODY=B004MAFitlgt_01",
                     "c005ma_hipster,HEAD-HEAD=C005malgt_hip"};
    writePerson(person("User00009.iff"), p);
    auto chosen = readChosenPerson(person("User00009.iff"));
    EXPECT_TRUE(chosen.opened);
    EXPECT_EQ(chosen.displayName, "Zed");
    ASSERT_TRUE(chosen.appearance);
    EXPECT_EQ(chosen.appearance->headMesh, "c005ma_hipster");
    writePerson(person("User00010.iff"), {.guid = 6});
    EXPECT_FALSE(readChosenPerson(person("User00010.iff")).appearance);
    EXPECT_FALSE(readChosenPerson(person("none.iff")).opened);
}

}  // namespace
}  // namespace marquill::gamedata
