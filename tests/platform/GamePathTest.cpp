#include "platform/GamePath.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace marquill::platform {
namespace {

class GamePathTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ = testing::TempDir() + "/gamepath" + std::to_string(::getpid());
        std::filesystem::create_directories(root_ + "/USERDATA2/characters");
        std::ofstream(root_ + "/USERDATA2/characters/User00001.IFF") << "x";
        std::ofstream(root_ + "/USERDATA2/characters/user00002.iff") << "x";
        std::ofstream(root_ + "/USERDATA2/characters/Other.iff") << "x";
        std::filesystem::create_directories(root_ + "/USERDATA2/characters/User9.iff.d");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    std::string root_;
};

TEST_F(GamePathTest, FindsTheOnDiskSpellingOfEveryComponent) {
    EXPECT_EQ(resolveGamePath(root_, "UserData2\\Characters\\USER00001.iff"),
              root_ + "/USERDATA2/characters/User00001.IFF");
    EXPECT_EQ(resolveGamePath(root_ + "/", "userdata2/CHARACTERS/"),
              root_ + "/USERDATA2/characters");
}

TEST_F(GamePathTest, MissingComponentsKeepTheGivenSpelling) {
    EXPECT_EQ(resolveGamePath(root_, "UserData2/Characters/New.iff"),
              root_ + "/USERDATA2/characters/New.iff");
    EXPECT_EQ(resolveGamePath(root_, "UserData5/Neighborhood.iff"),
              root_ + "/UserData5/Neighborhood.iff");
}

TEST_F(GamePathTest, FindFilesMatchesPatternsIgnoringCaseAndSkipsFolders) {
    auto names = findFiles(root_ + "/USERDATA2/characters", "User*.iff");
    EXPECT_EQ(names, (std::vector<std::string>{"User00001.IFF", "user00002.iff"}));
    EXPECT_TRUE(findFiles(root_ + "/nowhere", "*").empty());
}

TEST(Wildcard, MatchesLikeTheGamePlatform) {
    EXPECT_TRUE(wildcardMatchIgnoringCase("User*.iff", "USER00012.IFF"));
    EXPECT_TRUE(wildcardMatchIgnoringCase("*.iff", "a.b.iff"));
    EXPECT_TRUE(wildcardMatchIgnoringCase("a?c*", "abc"));
    EXPECT_FALSE(wildcardMatchIgnoringCase("User*.iff", "User1.iffx"));
    EXPECT_FALSE(wildcardMatchIgnoringCase("User*.iff", "Xuser1.iff"));
}

}  // namespace
}  // namespace marquill::platform
