#include "character/CharacterCatalogue.h"

#include <gtest/gtest.h>

#include "content/CharacterFileWriter.h"
#include "content/FarWriter.h"
#include "content/KeyframeWriter.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"

namespace marquill::content {
namespace {

using character::FileFormat;

std::string bytes(const platform::VectorSink& s) {
    return {s.data().begin(), s.data().end()};
}

std::string characterFile(const std::string& outfit, int type, const std::string& anim,
                          FileFormat format) {
    character::CharacterFile f;
    character::Outfit o;
    o.name = outfit;
    o.type = type;
    character::SkinPart p;
    p.boneName = "HEAD";
    p.meshName = "xskin-" + outfit + "-HEAD-HEAD";
    o.parts.push_back(p);
    f.outfits.push_back(o);
    if (!anim.empty()) {
        character::Animation a;
        a.name = anim;
        a.keyframeStem = anim;
        a.translationCount = 1;
        a.rotationCount = 1;
        f.animations.push_back(a);
    }
    platform::VectorSink s;
    EXPECT_TRUE(writeCharacterFile(f, format, s));
    return bytes(s);
}

std::string meshFile(const std::string& texture, FileFormat format) {
    character::DeformableMesh m;
    m.name = "mesh";
    m.defaultTexture = texture;
    m.boneNames = {"HEAD"};
    platform::VectorSink s;
    EXPECT_TRUE(writeMesh(m, format, s));
    return bytes(s);
}

TEST(Catalogue, FirstDefinitionWinsAndIndexEntriesLoadOnFind) {
    testing::TempTree tree;
    tree.file("GameData/Skins/a.cmx",
              characterFile("C011MA_Repo", 1, "A2O-Idle1", FileFormat::Text));
    tree.file("GameData/Skins/b.bcf", characterFile("c011ma_repo", 2, "", FileFormat::Binary));
    tree.file("ExpansionPack2/Skins/c.cmx", characterFile("c011ma_repo", 3, "", FileFormat::Text));
    tree.file("GameData/Animation/late.bcf",
              characterFile("lateoutfit", 4, "LateAnim", FileFormat::Binary));
    character::IndexFile ndx;
    ndx.outfits = {{"lateoutfit", "late"}, {"c011ma_repo", "late"}, {"ghost", "missing"}};
    ndx.animations = {{"LateAnim", "late"}};
    platform::VectorSink n;
    ASSERT_TRUE(writeIndexFile(ndx, n));
    tree.file("GameData/Animation/all.ndx", bytes(n));
    platform::VectorSink keys;
    ASSERT_TRUE(writeCfp(std::vector<float>{1, 2, 3}, std::vector<float>{0, 0, 0, 1}, keys));
    tree.file("GameData/Skins/a2o-idle1.cfp", bytes(keys));  // its own path list
    platform::VectorSink raw;
    ASSERT_TRUE(writeBin(std::vector<float>{4, 5, 6}, std::vector<float>{0, 1, 0, 0}, raw));
    tree.file("GameData/Animation/LateAnim.bin", bytes(raw));
    tree.file("GameData/Skins/xskin-c011ma_repo-HEAD-HEAD.skn", meshFile("text", FileFormat::Text));
    platform::VectorSink far;
    ASSERT_TRUE(writeFar({{"Skins\\xskin-c011ma_repo-HEAD-HEAD.bmf",
                           [] {
                               auto s = meshFile("binary", FileFormat::Binary);
                               return std::vector<uint8_t>(s.begin(), s.end());
                           }()}},
                         far));
    tree.file("ExpansionPack2/pack.far", bytes(far));

    fileindex::FolderIndex index(tree.root());
    fileindex::FileTypeRegistry types(index);
    character::CharacterCatalogue cat(index, types);
    std::vector<std::string> progress;
    ASSERT_TRUE(cat.build(character::kCharacterPathList, character::kAnimationPathList,
                          [&](std::string_view p) { progress.emplace_back(p); }));
    EXPECT_EQ(progress.size(), 2u);

    // .cmx before .bcf, and GameData\Skins before ExpansionPack2\Skins.
    character::Outfit* head = cat.findOutfit("c011ma_repo");
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->type, 1);
    EXPECT_EQ(cat.findOutfit("C011MA_Repo"), nullptr);  // case-sensitive keys

    ASSERT_FALSE(cat.outfits().at("lateoutfit").loaded);
    character::Outfit* late = cat.findOutfit("lateoutfit");
    ASSERT_NE(late, nullptr);
    EXPECT_EQ(late->type, 4);
    EXPECT_TRUE(cat.animations().at("LateAnim").loaded);  // same file, registered with it
    EXPECT_EQ(cat.findOutfit("ghost"), nullptr);
    EXPECT_TRUE(cat.outfits().at("ghost").loaded);

    // Archives are indexed, so the binary mesh in the archive comes first.
    auto mesh = cat.meshFor(head->parts[0], *head);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->defaultTexture, "binary");
    EXPECT_EQ(cat.meshFor(head->parts[0], *head), mesh);  // kept in the part

    character::Animation* idle = cat.findAnimation("a2o-idle1");
    ASSERT_NE(idle, nullptr);
    ASSERT_TRUE(cat.loadKeyframes(*idle));
    EXPECT_NEAR(idle->translations[2], 3.0f, kCfpTolerance);
    character::Animation* lateAnim = cat.findAnimation("LateAnim");
    ASSERT_TRUE(cat.loadKeyframes(*lateAnim));  // no .cfp: the raw .bin
    EXPECT_EQ(lateAnim->rotations[1], 1.0f);
}

TEST(Catalogue, BuildFailsWithoutAnyFolder) {
    testing::TempTree tree;
    fileindex::FolderIndex index(tree.root());
    fileindex::FileTypeRegistry types(index);
    character::CharacterCatalogue cat(index, types);
    EXPECT_FALSE(cat.build(character::kCharacterPathList, character::kAnimationPathList));
}

}  // namespace
}  // namespace marquill::content
