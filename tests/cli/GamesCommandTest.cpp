// `marquill games` and the commands that follow its choice, run as a player runs them, on a fake
// home with the game in two Wine prefixes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/wait.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/ShellRun.h"
#include "platform/Files.h"

namespace {

namespace fs = std::filesystem;

using Result = marquill::test::ShellRun;

const std::string kMarquill = std::string(MARQUILL_BINARY_DIR) + "/src/cli/marquill";

class GamesCommand : public testing::Test {
  protected:
    void SetUp() override {
        root_ = (fs::path(testing::TempDir()) / ("marquill-games-" + std::to_string(::getpid())))
                    .lexically_normal()
                    .string();
        fs::remove_all(root_);
        home_ = root_ + "/home";
        fs::create_directories(home_);
    }
    void TearDown() override { fs::remove_all(root_); }

    // Standard output (and standard error with `withErrors`) of marquill in the fake home.
    Result marquill(const std::string& arguments, bool withErrors = false) const {
        const std::string command =
            "env -u WINEPREFIX HOME='" + home_ + "' XDG_CONFIG_HOME='" + home_ +
            "/.config' XDG_DATA_HOME='" + home_ + "/.local/share' XDG_CACHE_HOME='" + home_ +
            "/.cache' " + kMarquill + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
        return marquill::test::shell(command);
    }

    // A prefix below the home whose registry records the demo game at `windowsPath` on drive C.
    std::string installInPrefix(const std::string& relative, const std::string& windowsPath) {
        const std::string prefix = home_ + "/" + relative;
        fs::create_directories(prefix + "/dosdevices");
        fs::create_directories(prefix + "/drive_c");
        fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
        std::string escaped, folder = prefix + "/drive_c/";
        for (char c : windowsPath)
            escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        for (char c : windowsPath.substr(3))
            folder += c == '\\' ? '/' : c;
        std::ofstream(prefix + "/system.reg")
            << "WINE REGISTRY Version 2\n\n[Software\\\\Kavor\\\\The Pemms] 1\n\"PEMMS_DATA\"=\""
            << escaped << "\"\n";
        EXPECT_EQ(marquill("demo-game '" + folder + "'").status, 0);
        return fs::canonical(folder).string();
    }

    std::string root_, home_;
};

TEST_F(GamesCommand, TwoGamesWaitForTheChoiceAndEveryCommandFollowsIt) {
    const std::string wine = installInPrefix(".wine", "C:\\Program Files\\Kavor\\The Pemms");
    const std::string steam = installInPrefix(
        ".local/share/Steam/steamapps/compatdata/2147483647/pfx", "C:\\Games\\The Pemms");

    auto listed = marquill("games");
    ASSERT_EQ(listed.status, 0) << listed.out;
    EXPECT_NE(listed.out.find("  1  " + wine + "\n     found by: wine"), std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find("  2  " + steam + "\n     found by: steam"), std::string::npos);
    EXPECT_NE(listed.out.find("recorded as C:\\Games\\The Pemms"), std::string::npos);
    EXPECT_NE(listed.out.find("None is chosen"), std::string::npos);

    auto refused = marquill("neighborhoods", true);
    EXPECT_EQ(refused.status, 1) << "a command never acts on a game the player did not pick";
    EXPECT_NE(refused.out.find("marquill games --choose N"), std::string::npos) << refused.out;
    EXPECT_NE(refused.out.find(steam), std::string::npos);
    EXPECT_NE(marquill("games --json").out.find("\"needs_choice\":true"), std::string::npos);

    EXPECT_EQ(marquill("games --choose 3").status, 2);
    auto chosen = marquill("games --choose 2");
    ASSERT_EQ(chosen.status, 0);
    EXPECT_TRUE(fs::exists(home_ + "/.config/marquill/marquill.conf"));
    // The remembered choice comes first, as it is looked at first.
    EXPECT_NE(marquill("games").out.find("* 1  " + steam + "\n     found by: remembered, steam"),
              std::string::npos);
    auto hoods = marquill("neighborhoods --json");
    ASSERT_EQ(hoods.status, 0);
    EXPECT_NE(hoods.out.find(steam + "/UserData/Neighborhood.iff"), std::string::npos) << hoods.out;

    // The exchange file names the skins as the chosen prefix's Windows paths.
    auto created = marquill(
        "create --out star.srf --name Star --description d --traits 5,5,5,5,5"
        " --top Weather,Money,Music,Food,Style --low Politics,Travel,Sports,Romance,Exercise");
    ASSERT_EQ(created.status, 0) << created.out;
    auto exchange = marquill::platform::readWholeFile(steam + "/TemplateCelebrity/star.srf");
    ASSERT_TRUE(exchange);
    EXPECT_NE(std::string(exchange->begin(), exchange->end())
                  .find("=C:\\Games\\The Pemms\\GameData\\Skins\\"),
              std::string::npos);

    // A chosen game whose folder has gone is stale: the one left is used at once.
    fs::remove_all(steam);
    auto after = marquill("games", true);
    EXPECT_NE(after.out.find("(stale: the folder " + steam + " does not exist)"), std::string::npos)
        << after.out;
    EXPECT_NE(after.out.find("* 2  " + wine), std::string::npos);
    EXPECT_EQ(marquill("games --choose 1").status, 1) << "a stale game cannot be chosen";
}

TEST_F(GamesCommand, NoGameGivesTheHintAndAGivenFolderNeedsNoDiscovery) {
    auto none = marquill("games", true);
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.out.find("--game-dir DIR"), std::string::npos) << none.out;
    EXPECT_EQ(marquill("neighborhoods").status, 2);

    const std::string game = root_ + "/copied game";
    ASSERT_EQ(marquill("demo-game '" + game + "'").status, 0);
    EXPECT_EQ(marquill("neighborhoods --game-dir '" + game + "'").status, 0);
    ASSERT_EQ(marquill("games --game-dir '" + game + "' --choose 1").status, 0)
        << "a folder copied from Windows is remembered like a found one";
    auto listed = marquill("games");
    EXPECT_NE(listed.out.find("* 1  " + game + "\n     found by: remembered\n"), std::string::npos)
        << listed.out;
    EXPECT_EQ(marquill("neighborhoods").status, 0);
}

}  // namespace
