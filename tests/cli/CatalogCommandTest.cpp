#include <gtest/gtest.h>

#include "cli/Command.h"
#include "content/DemoCharacters.h"
#include "fileindex/TempTree.h"

namespace marquill::cli {
namespace {

class CatalogCommand : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        tree_ = new testing::TempTree;
        std::string error;
        ASSERT_TRUE(content::writeDemoCharacters(tree_->root(), {}, &error)) << error;
    }
    static void TearDownTestSuite() { delete tree_; }
    static int run(Words words, std::string* out = nullptr) {
        words.insert(words.begin(), {"--game-dir", tree_->root()});
        ::testing::internal::CaptureStdout();
        int rc = runCatalog(words);
        std::string text = ::testing::internal::GetCapturedStdout();
        if (out) *out = text;
        return rc;
    }
    static testing::TempTree* tree_;
};
testing::TempTree* CatalogCommand::tree_ = nullptr;

TEST_F(CatalogCommand, ListsAndShowsObjectsInFull) {
    std::string out;
    ASSERT_EQ(run({"--json"}, &out), kExitDone);
    EXPECT_NE(out.find("\"name\":\"adult\",\"loaded\":true,\"bones\":22"), std::string::npos);
    EXPECT_NE(out.find("\"name\":\"a2o-heyyou1\",\"loaded\":false"), std::string::npos);
    ASSERT_EQ(run({}, &out), kExitDone);
    EXPECT_NE(out.find("c011ma_repo"), std::string::npos);

    ASSERT_EQ(run({"--animation", "a2o-heyyou1", "--json"}, &out), kExitDone);
    EXPECT_NE(out.find("\"keyframes_loaded\":true"), std::string::npos);
    EXPECT_NE(out.find("\"rotations\":[["), std::string::npos);
    EXPECT_NE(out.find("\"sound\":"), std::string::npos);
    ASSERT_EQ(run({"--outfit", "c038fa_rave"}, &out), kExitDone);  // from the archive
    EXPECT_NE(out.find("xskin-c038fa_rave-HEAD-HEAD"), std::string::npos);
    ASSERT_EQ(run({"--skeleton", "adult"}, &out), kExitDone);
    EXPECT_NE(out.find("\"key_bone\":true"), std::string::npos);
}

TEST_F(CatalogCommand, RefusesUnknownNamesAndBadUsage) {
    EXPECT_EQ(run({"--outfit", "nobody"}), kExitRefused);
    EXPECT_EQ(run({"--outfit", "a", "--animation", "b"}), kExitUsage);
    EXPECT_EQ(run({"--frobnicate"}), kExitUsage);
    testing::TempTree empty;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(runCatalog({"--game-dir", empty.root()}), kExitFileError);
    ::testing::internal::GetCapturedStdout();
}

}  // namespace
}  // namespace marquill::cli
