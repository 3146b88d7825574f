#include "gamedata/NeighborhoodPicker.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TestFiles.h"

namespace marquill::gamedata {
namespace {

using testing_files::TempFolder;

void makeNeighborhood(const std::string& game, const std::string& folder) {
    std::filesystem::create_directories(game + "/" + folder);
    std::ofstream(game + "/" + folder + "/Neighborhood.iff") << "x";
}

TEST(NeighborhoodPicker, WalksOverOneTwoAndFive) {
    TempFolder game;
    makeNeighborhood(game.path(), "UserData");
    makeNeighborhood(game.path(), "UserData2");
    makeNeighborhood(game.path(), "userdata5");
    NeighborhoodPicker picker{GamePaths(game.path())};
    EXPECT_EQ(picker.text(),
              "Pick a Neighborhood.\n\n" + game.path() + "/UserData/Neighborhood.iff");
    picker.next();
    EXPECT_EQ(picker.ok(), 2);
    picker.next();
    EXPECT_EQ(picker.ok(), 5);
    EXPECT_EQ(picker.shownPath(), game.path() + "/userdata5/Neighborhood.iff");
    picker.next();  // nothing from 6 to 99: back to the last one found
    EXPECT_EQ(picker.ok(), 5);
    EXPECT_EQ(picker.current(), 5);
    EXPECT_EQ(picker.shownPath(), game.path() + "/userdata5/Neighborhood.iff");
    picker.back();
    EXPECT_EQ(picker.ok(), 2);
    EXPECT_EQ(picker.shownPath(), game.path() + "/UserData2/Neighborhood.iff");
    picker.back();
    picker.back();  // at 1: unchanged
    EXPECT_EQ(picker.ok(), 1);
    EXPECT_EQ(picker.shownPath(), game.path() + "/UserData/Neighborhood.iff");
}

TEST(NeighborhoodPicker, MissingFirstNeighborhoodIsShownAndBackBelowOneShowsTheReturnedOne) {
    TempFolder game;
    makeNeighborhood(game.path(), "UserData3");
    NeighborhoodPicker picker{GamePaths(game.path())};
    EXPECT_EQ(picker.ok(), 1);  // shown without a test
    picker.next();
    EXPECT_EQ(picker.ok(), 3);
    picker.back();  // 2 and 1 do not exist
    EXPECT_EQ(picker.current(), 1);
    EXPECT_EQ(picker.ok(), 3);
    EXPECT_EQ(picker.shownPath(), game.path() + "/UserData3/Neighborhood.iff");
}

TEST(GamePaths, NamesFollowTheNumberingRule) {
    GamePaths paths("/g");
    EXPECT_EQ(paths.neighborhoodFile(1), "/g/UserData/Neighborhood.iff");
    EXPECT_EQ(paths.personFolder(12), "/g/UserData12/Characters/");
    EXPECT_EQ(paths.templateCelebrityFolder(), "/g/TemplateCelebrity/");
}

}  // namespace
}  // namespace marquill::gamedata
