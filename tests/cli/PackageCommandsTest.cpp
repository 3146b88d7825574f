// `add` and `pack` as a player runs them over a demo installation: a saved celebrity shared as a
// zip and installed elsewhere byte for byte, and what `add` says and exits with.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/ShellRun.h"
#include "gamedata/ArchiveBuilder.h"
#include "platform/Files.h"

namespace {

namespace fs = std::filesystem;

using Run = marquill::test::ShellRun;

Run run(const std::string& arguments) {
    return marquill::test::shell(std::string(MARQUILL_BINARY_DIR) + "/src/cli/marquill " +
                                 arguments + " 2>&1");
}

std::string bytes(const fs::path& path) {
    auto b = marquill::platform::readWholeFile(path.string());
    return b ? std::string(b->begin(), b->end()) : std::string("<missing>");
}

class PackageCommands : public testing::Test {
  protected:
    void SetUp() override {
        root_ = testing::TempDir() + "/marquill-packages-" + std::to_string(::getpid());
        fs::remove_all(root_);
        fs::create_directories(root_);
        ASSERT_EQ(run("demo-game " + root_ + "/game").status, 0);
        ASSERT_EQ(run("demo-game " + root_ + "/other").status, 0);
        g_ = " --game-dir " + root_ + "/game";
        other_ = " --game-dir " + root_ + "/other";
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string root_, g_, other_;
};

TEST_F(PackageCommands, PackedCelebrityInstallsElsewhereByteForByteAndOnceOnly) {
    auto created =
        run("create --out 'Nova Bright.srf' --name 'Nova Bright' --description d"
            " --traits 5,5,5,5,5 --top Weather,Money,Music,Food,Style"
            " --low Politics,Travel,Sports,Romance,Exercise" +
            g_);
    ASSERT_EQ(created.status, 0) << created.out;
    const fs::path saved = root_ + "/game/TemplateCelebrity";
    const std::string zip = root_ + "/nova.zip";
    auto packed = run("pack 'nova bright' --out " + zip + g_);
    ASSERT_EQ(packed.status, 0) << packed.out;

    const fs::path target = root_ + "/other/TemplateCelebrity";
    for (const auto& entry : fs::directory_iterator(target))
        fs::remove_all(entry.path());
    auto added = run("add " + zip + other_);
    EXPECT_EQ(added.status, 0) << added.out;
    EXPECT_NE(added.out.find("Nova Bright: installed\n"), std::string::npos) << added.out;
    EXPECT_NE(added.out.find("readme.txt left out"), std::string::npos) << added.out;
    size_t files = 0;
    for (const char* name :
         {"Nova Bright.iff", "Nova Bright.srf", "Nova Brighthead.jpg", "Nova Brightbody.jpg"}) {
        if (!fs::exists(saved / name)) continue;
        ++files;
        EXPECT_EQ(bytes(target / name), bytes(saved / name)) << name;
    }
    EXPECT_GE(files, 2u);  // the person and exchange files at least
    EXPECT_EQ(std::distance(fs::directory_iterator(target), {}), static_cast<long>(files));

    auto json = run("templates --json" + other_);
    EXPECT_NE(json.out.find("\"name\":\"Nova Bright\""), std::string::npos) << json.out;
    const bool head = fs::exists(saved / "Nova Brighthead.jpg");
    EXPECT_NE(json.out.find(std::string("\"head_snapshot\":") + (head ? "true" : "false")),
              std::string::npos)
        << json.out;

    auto again = run("add " + zip + " --json" + other_);
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.out.find("\"outcome\":\"already there\""), std::string::npos) << again.out;
    EXPECT_NE(again.out.find("\"syncs\":0"), std::string::npos) << again.out;
}

TEST_F(PackageCommands, AddSaysWhatItRefusedAndExitsWithWhatWentWrong) {
    const std::string junk = root_ + "/junk.zip";
    ASSERT_TRUE(marquill::platform::writeFileAtomically(
        junk, std::vector<uint8_t>{'n', 'o', 't', ' ', 'z', 'i', 'p'}));
    auto refused = run("add " + junk + g_);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("junk.zip: refused: "), std::string::npos) << refused.out;

    // Loose files: a snapshot shaped like a JPEG that does not decode refuses its set.
    const std::string loose = root_ + "/Loose";
    fs::copy_file(root_ + "/game/TemplateCelebrity/Star.iff", loose + ".iff");
    ASSERT_TRUE(marquill::platform::writeFileAtomically(
        loose + "head.jpg", marquill::gamedata::testing_files::jpegOfSize(64, 64)));
    auto undecodable = run("add " + loose + ".iff " + loose + "head.jpg" + g_);
    EXPECT_EQ(undecodable.status, 1);
    EXPECT_NE(undecodable.out.find("Loose: refused: the head snapshot does not decode"),
              std::string::npos)
        << undecodable.out;
    EXPECT_FALSE(fs::exists(root_ + "/game/TemplateCelebrity/Loose.iff"));

    EXPECT_EQ(run("add /dev/zero" + g_).status, 1);
    EXPECT_EQ(run("add " + root_ + "/missing.zip" + g_).status, 3);
    EXPECT_EQ(run("add" + g_).status, 2);
    EXPECT_EQ(run("pack Nobody --out " + root_ + "/x.zip" + g_).status, 1);
    EXPECT_FALSE(fs::exists(root_ + "/x.zip"));
}

}  // namespace
