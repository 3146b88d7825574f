// End to end: the marquill command over a demo installation, as a player would run it.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/ShellRun.h"
#include "platform/Files.h"

extern char** environ;

namespace {

using Run = marquill::test::ShellRun;
using marquill::test::shell;

const std::string kMarquill = std::string(MARQUILL_BINARY_DIR) + "/src/cli/marquill";

Run marquill(const std::string& arguments) {
    return shell(kMarquill + " " + arguments + " 2>/dev/null");
}

// The same, with standard error and standard output together.
Run marquillWithErrors(const std::string& arguments) {
    return shell(kMarquill + " " + arguments + " 2>&1");
}

std::string bytes(const std::string& path) {
    auto b = marquill::platform::readWholeFile(path);
    return b ? std::string(b->begin(), b->end()) : std::string("<missing>");
}

class GameDataCommands : public testing::Test {
  protected:
    void SetUp() override {
        root_ = testing::TempDir() + "/marquill-e2e-" + std::to_string(::getpid());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        ::setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
        game_ = root_ + "/game";
        ASSERT_EQ(marquill("demo-game " + game_).status, 0);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    std::string root_, game_;
};

TEST_F(GameDataCommands, CreateImportAndRestore) {
    const std::string g = " --game-dir " + game_;
    EXPECT_EQ(marquill("neighborhoods" + g).out.size() > 0, true);
    auto listed = marquill("celebrities --neighborhood 1" + g);
    ASSERT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find("User00004.iff   -   Marty Marquee"), std::string::npos);
    EXPECT_EQ(marquill("celebrities --neighborhood 5" + g).status, 1);

    auto created = marquillWithErrors(
        "create --out nova.srf --name 'Nova Bright' --description 'Sings.'"
        " --traits 5,6,3,8,3 --top Weather,Money,Music,Food,Style"
        " --low Politics,Travel,Sports,Romance,Exercise --fame Superstar"
        " --gender female --skin dark --body-type thin" +
        g);
    ASSERT_EQ(created.status, 0) << created.out;
    const std::string exchange = bytes(game_ + "/TemplateCelebrity/nova.srf");
    EXPECT_NE(exchange.find("\r\nSign=1\r\n"), std::string::npos);
    // Unset looks are what the look page selects for her: a woman's head.
    EXPECT_NE(exchange.find("/GameData/Skins/c012fa_bob.cmx\r\n"), std::string::npos);

    auto templates = marquill("templates" + g);
    EXPECT_NE(templates.out.find("nova.iff\n"), std::string::npos);
    EXPECT_EQ(templates.out.find("QTCelebGeneric"), std::string::npos);

    const std::string person = game_ + "/UserData/Characters/User00004.iff";
    const std::string before = bytes(person);
    const std::string hood = bytes(game_ + "/UserData/Neighborhood.iff");
    auto imported =
        marquill("import --neighborhood 1 --person User00004.iff --celebrity nova.iff" + g);
    ASSERT_EQ(imported.status, 0);
    EXPECT_NE(
        marquill("celebrities --neighborhood 1" + g).out.find("User00004.iff   -   Nova Bright"),
        std::string::npos);
    EXPECT_EQ(bytes(game_ + "/UserData/Neighborhood.iff"), hood);

    auto backups = marquill("restore --list");
    ASSERT_EQ(backups.status, 0);
    const std::string id = backups.out.substr(0, backups.out.find(' '));
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(marquill("restore " + id).status, 0);
    EXPECT_EQ(bytes(person), before);
}

TEST_F(GameDataCommands, RefusalsUseTheWizardsWordsAndExitOne) {
    const std::string base =
        "create --out x.srf --game-dir " + game_ +
        " --description d --traits 5,5,5,5,5 --top Weather,Money,Music,Food,Style"
        " --low Politics,Travel,Sports,Romance,Exercise";
    EXPECT_EQ(marquill(base + " --name " + std::string(31, 'a')).status, 1);
    EXPECT_EQ(marquill(base).status, 1);  // no name
    EXPECT_EQ(marquill(base + " --name ok --traits 10,10,6,0,0").status, 1);
    EXPECT_EQ(marquill(base + " --name ok --top Weather").status, 1);
    EXPECT_EQ(marquill(base + " --name ok --top Nonsense").status, 2);
    EXPECT_EQ(marquill(base + " --name ok --gender female --head c011ma_repo").status, 2);
    EXPECT_FALSE(std::filesystem::exists(game_ + "/TemplateCelebrity/x.srf"));
    EXPECT_EQ(marquill("import --neighborhood 1 --person User00001.iff --celebrity Star.iff "
                       "--game-dir " +
                       game_)
                  .status,
              1);  // not a celebrity
}

TEST_F(GameDataCommands, CommandsThatChangeGameFilesRefuseWhileTheGameRuns) {
    const std::string g = " --game-dir " + game_;
    ASSERT_EQ(marquill("create --out nova.srf --name Nova --description d --traits 5,5,5,5,5"
                       " --top Weather,Money,Music,Food,Style"
                       " --low Politics,Travel,Sports,Romance,Exercise" +
                       g)
                  .status,
              0);
    ASSERT_EQ(
        marquill("import --neighborhood 1 --person User00004.iff --celebrity nova.iff" + g).status,
        0);
    const std::string listed = marquill("restore --list").out;
    const std::string id = listed.substr(0, listed.find(' '));
    ASSERT_FALSE(id.empty());
    const std::string person = bytes(game_ + "/UserData/Characters/User00004.iff");

    // The game, started from its folder.
    const std::string program = game_ + "/Pemms";
    std::filesystem::copy_file("/bin/sleep", program);
    std::string name = "Pemms", seconds = "60";
    char* argv[] = {name.data(), seconds.data(), nullptr};
    pid_t game = 0;
    ASSERT_EQ(::posix_spawn(&game, program.c_str(), nullptr, nullptr, argv, environ), 0);

    const std::string warning =
        "Looks like The Pemms is running, you need to quit the Pemms first before running "
        "Marquill.";
    for (const std::string& command :
         {"import --neighborhood 1 --person User00004.iff --celebrity nova.iff" + g,
          "restore " + id, "add " + game_ + "/TemplateCelebrity/nova.iff" + g,
          "create --out star.srf --name Star --description d --traits 5,5,5,5,5"
          " --top Weather,Money,Music,Food,Style --low Politics,Travel,Sports,Romance,Exercise" +
              g}) {
        auto refused = marquillWithErrors(command);
        EXPECT_EQ(refused.status, 1) << command;
        EXPECT_NE(refused.out.find(warning), std::string::npos) << refused.out;
    }
    EXPECT_EQ(marquill("templates" + g).status, 0) << "reading commands still work";
    ::kill(game, SIGKILL);
    ::waitpid(game, nullptr, 0);

    EXPECT_EQ(bytes(game_ + "/UserData/Characters/User00004.iff"), person);
    EXPECT_FALSE(std::filesystem::exists(game_ + "/TemplateCelebrity/star.srf"));
    EXPECT_EQ(marquill("restore " + id).status, 0) << "once the game has ended";
}

TEST_F(GameDataCommands, ARelativeGameFolderStillGivesAbsoluteSkinFiles) {
    auto created =
        shell("cd " + root_ + " && " + kMarquill +
              " create --out nova.srf --name Nova --description d --traits 5,5,5,5,5"
              " --top Weather,Money,Music,Food,Style"
              " --low Politics,Travel,Sports,Romance,Exercise --game-dir game 2>/dev/null");
    ASSERT_EQ(created.status, 0);
    const std::string srf = bytes(game_ + "/TemplateCelebrity/nova.srf");
    const size_t first = srf.find("\r\nSkinFile1=");
    ASSERT_NE(first, std::string::npos) << srf;
    const std::string folder = std::filesystem::path(game_).lexically_normal().string() + "/";
    EXPECT_EQ(srf.compare(first + 12, folder.size(), folder), 0) << srf;
}

}  // namespace

namespace {

const std::string kFullChoices =
    " --traits 5,5,5,5,5 --top Weather,Money,Music,Food,Style"
    " --low Politics,Travel,Sports,Romance,Exercise";

TEST(CommandLine, VersionAndMistypedOptionsNeedNoDisplay) {
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
    auto version = shell(noDisplay + kMarquill + " --version 2>&1");
    EXPECT_EQ(version.status, 0) << version.out;
    EXPECT_EQ(version.out, "marquill " MARQUILL_VERSION "\n");
    auto stray = shell(noDisplay + kMarquill + " --game-dir /tmp --frobnicate 2>&1");
    EXPECT_EQ(stray.status, 2) << stray.out;
    EXPECT_NE(stray.out.find("unknown option '--frobnicate'"), std::string::npos) << stray.out;
}

TEST_F(GameDataCommands, ADescriptionsLineBreaksAreStoredAsCrLfAndFlattenedForTheExchange) {
    auto created = marquill(
        "create --out nova.srf --name Nova --description \"$(printf 'Sings\\nand\\r\\ndances')\"" +
        kFullChoices + " --game-dir " + game_);
    ASSERT_EQ(created.status, 0);
    const std::string srf = bytes(game_ + "/TemplateCelebrity/nova.srf");
    EXPECT_NE(srf.find("\r\nDescription=Sings  and  dances\r\n"), std::string::npos) << srf;
    auto strings = marquill("strings " + game_ + "/TemplateCelebrity/nova.iff CTSS:2000 --json");
    ASSERT_EQ(strings.status, 0);
    EXPECT_NE(strings.out.find("Sings\\u000d\\u000aand\\u000d\\u000adances"), std::string::npos)
        << strings.out;
}

TEST_F(GameDataCommands, CreateChecksInTheWizardsOrderAndSavesAllOrNothing) {
    // A folder with no character data, while a program in it runs: the running game is what the
    // player hears of first, as at the wizard's start.
    const std::string bare = root_ + "/bare";
    std::filesystem::create_directories(bare);
    const std::string program = bare + "/Pemms";
    std::filesystem::copy_file("/bin/sleep", program);
    std::string name = "Pemms", seconds = "60";
    char* argv[] = {name.data(), seconds.data(), nullptr};
    pid_t game = 0;
    ASSERT_EQ(::posix_spawn(&game, program.c_str(), nullptr, nullptr, argv, environ), 0);
    auto refused = marquillWithErrors("create --out x.srf --name X --description d" + kFullChoices +
                                      " --game-dir " + bare);
    ::kill(game, SIGKILL);
    ::waitpid(game, nullptr, 0);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("Looks like The Pemms is running"), std::string::npos)
        << refused.out;

    // Without the template person file nothing of the set is written, an older celebrity of the
    // same name stays, and the command fails.
    ASSERT_EQ(marquill("create --out nova.srf --name Nova --description old" + kFullChoices +
                       " --game-dir " + game_)
                  .status,
              0);
    const std::string folder = game_ + "/TemplateCelebrity/";
    const std::string oldSrf = bytes(folder + "nova.srf"), oldIff = bytes(folder + "nova.iff");
    const std::string lonely = root_ + "/lonely";
    std::filesystem::create_directories(lonely);
    std::filesystem::copy_file(kMarquill, lonely + "/marquill");
    auto failed = shell("cd " + lonely +
                        " && ./marquill create --out nova.srf --name Nova"
                        " --description new" +
                        kFullChoices + " --game-dir " + game_ + " 2>&1");
    EXPECT_EQ(failed.status, 3) << failed.out;
    EXPECT_NE(failed.out.find("Could not create new file."), std::string::npos) << failed.out;
    EXPECT_EQ(failed.out.find("The Pemm was saved"), std::string::npos) << failed.out;
    EXPECT_EQ(bytes(folder + "nova.srf"), oldSrf);
    EXPECT_EQ(bytes(folder + "nova.iff"), oldIff);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

}  // namespace
