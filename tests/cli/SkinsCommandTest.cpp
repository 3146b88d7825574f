#include <gtest/gtest.h>

#include <string>

#include "cli/Command.h"
#include "content/CharacterFileWriter.h"
#include "content/DemoCharacters.h"
#include "fileindex/TempTree.h"

namespace marquill::cli {
namespace {

struct Output {
    int code = -1;
    std::string out, err;
};

Output skins(const std::string& game, Words words) {
    words.insert(words.begin(), {"--game-dir", game});
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    Output o;
    o.code = runSkins(words);
    o.out = ::testing::internal::GetCapturedStdout();
    o.err = ::testing::internal::GetCapturedStderr();
    return o;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class SkinsCommand : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        demo_ = new testing::TempTree;
        std::string error;
        ASSERT_TRUE(content::writeDemoCharacters(demo_->root(), {}, &error)) << error;
    }
    static void TearDownTestSuite() { delete demo_; }
    static Output run(Words words) { return skins(demo_->root(), std::move(words)); }
    static testing::TempTree* demo_;
};
testing::TempTree* SkinsCommand::demo_ = nullptr;

TEST_F(SkinsCommand, ShowsTheStartUpPageAsJson) {
    Output o = run({"--json"});
    ASSERT_EQ(o.code, kExitDone) << o.err;
    EXPECT_TRUE(has(o.out,
                    "\"heads\":{\"entries\":[\"c003ma_casual\",\"c008ma_geek\","
                    "\"c011ma_repo\"],\"selected\":\"c011ma_repo\"}"))
        << o.out;
    EXPECT_TRUE(has(o.out,
                    "\"bodies\":{\"entries\":[\"b003mafit_01\",\"b004mafit_suit\"],"
                    "\"selected\":\"b003mafit_01\"}"));
    EXPECT_TRUE(has(o.out, "\"body_textures\":{\"entries\":[\"b003mafitmed_bmoc\""));
    EXPECT_TRUE(has(o.out, "\"status\":\"Skin Selection Ok\""));
    // The stored default keeps its spelling while the list offers it in its own.
    EXPECT_TRUE(has(o.out,
                    "\"selections\":{\"skeleton\":\"adult\",\"animation\":"
                    "\"a2o-heyyou1\",\"head_outfit\":\"c011ma_repo\","
                    "\"head_texture\":\"C011mamed_rotc\""));
    EXPECT_TRUE(has(o.out, "\"head_textures\":{\"entries\":[\"c011mamed_rotc\""));
}

TEST_F(SkinsCommand, AppliesChoicesInThePlayersOrder) {
    Output woman = run({"--json", "--gender", "female", "--skin", "dark", "--body-type", "thin"});
    ASSERT_EQ(woman.code, kExitDone) << woman.err;
    EXPECT_TRUE(has(woman.out, "\"c036fa_cowg\""));  // a dark-skinned woman's head
    EXPECT_TRUE(has(woman.out, "\"bodies\":{\"entries\":[\"b012faskn_tee\"]"));
    EXPECT_TRUE(has(woman.out, "\"body_texture\":\"b012faskndrk_teey\""));

    Output head = run({"--json", "--skin", "dark", "--head", "C006MA_BOSS"});
    ASSERT_EQ(head.code, kExitDone) << head.err;
    EXPECT_TRUE(has(head.out, "\"head_outfit\":\"c006ma_boss\""));
    EXPECT_TRUE(has(head.out, "\"head_texture\":\"c006madrk_boss\""));

    Output fashion = run({"--fashion", "--gender", "female", "--json"});
    ASSERT_EQ(fashion.code, kExitDone) << fashion.err;
    EXPECT_TRUE(has(fashion.out, "\"page\":\"fashion\""));
    EXPECT_TRUE(has(fashion.out, "\"bodies\":{\"entries\":[\"h570fafit_gown\"]"));
    EXPECT_TRUE(has(fashion.out, "\"fashion_body_texture\":\"h570fafitmed_gown\""));
    EXPECT_TRUE(has(fashion.out, "\"body_outfit\":\"b005fafit_dress\""));

    Output text = run({"--body", "b004mafit_suit"});
    ASSERT_EQ(text.code, kExitDone);
    EXPECT_TRUE(has(text.out, "  * b004mafit_suit\n"));
    EXPECT_TRUE(has(text.out, "status: Skin Selection Ok (Next enabled)"));
}

TEST_F(SkinsCommand, NamesTheListWhenAChoiceIsNotOffered) {
    Output head = run({"--gender", "female", "--head", "c011ma_repo"});
    EXPECT_EQ(head.code, kExitUsage);
    EXPECT_TRUE(has(head.err, "c012fa_bob, c020fa_pony")) << head.err;
    EXPECT_EQ(run({"--body", "b708mafit_ct"}).code, kExitUsage);    // never offered
    EXPECT_EQ(run({"--body", "h552mafit_dude"}).code, kExitUsage);  // high fashion only
    EXPECT_EQ(run({"--fashion", "--fashion-body", "h552mafit_dude"}).code, kExitDone);
    EXPECT_EQ(run({"--fashion-body", "h552mafit_dude"}).code, kExitUsage);
    EXPECT_EQ(run({"--head-texture", "c011malgt_rotc"}).code, kExitUsage);  // Medium skin
    EXPECT_EQ(run({"--gender", "other"}).code, kExitUsage);
    EXPECT_EQ(run({"--colour", "red"}).code, kExitUsage);
}

TEST(SkinsCommandRefusals, MissingSkeletonOrUnreadableOutfit) {
    testing::TempTree tree;
    auto write = [&](const std::string& path, const character::CharacterFile& f) {
        platform::VectorSink sink;
        ASSERT_TRUE(content::writeCharacterFile(f, character::FileFormat::Binary, sink));
        tree.file(path, std::string(sink.data().begin(), sink.data().end()));
    };
    character::CharacterFile looks;
    for (const char* name : {"c011ma_repo", "b003mafit_01"}) {
        character::Outfit o;
        o.name = name;
        looks.outfits.push_back(o);
    }
    write("GameData/Skins/looks.bcf", looks);
    tree.file("GameData/Skins/c011mamed_rotc.bmp", "BM");
    tree.file("GameData/Skins/b003mafitmed_bmoc.bmp", "BM");

    Output noSkeleton = skins(tree.root(), {});
    EXPECT_EQ(noSkeleton.code, kExitRefused);
    EXPECT_TRUE(has(noSkeleton.err, "skeleton 'adult'")) << noSkeleton.err;

    character::CharacterFile bones;
    character::Skeleton adult;
    adult.name = "adult";
    character::Bone root;
    root.name = "ROOT";
    adult.bones.push_back(root);
    bones.skeletons.push_back(adult);
    write("GameData/Skins/adult.bcf", bones);
    // An index names a body whose file is missing: listed, but not to be had.
    character::IndexFile ndx;
    ndx.outfits = {{"b004mafit_gone", "missing"}};
    platform::VectorSink n;
    ASSERT_TRUE(content::writeIndexFile(ndx, n));
    tree.file("GameData/Animation/all.ndx", std::string(n.data().begin(), n.data().end()));

    EXPECT_EQ(skins(tree.root(), {}).code, kExitDone);
    Output gone = skins(tree.root(), {"--body", "b004mafit_gone"});
    EXPECT_EQ(gone.code, kExitRefused);
    EXPECT_TRUE(has(gone.err, "outfit 'b004mafit_gone'")) << gone.err;

    testing::TempTree empty;
    EXPECT_EQ(skins(empty.root(), {}).code, kExitFileError);
}

}  // namespace
}  // namespace marquill::cli
