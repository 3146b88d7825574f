#include "content/DemoCharacters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <set>

#include "character/CharacterCatalogue.h"
#include "character/IndexedFileSource.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"
#include "render/BitmapDecoder.h"

namespace marquill::content {
namespace {

using character::Quat;
using character::Vec3;

Quat mul(Quat a, Quat b) {
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y + a.y * b.w + a.z * b.x - a.x * b.z,
            a.w * b.z + a.z * b.w + a.x * b.y - a.y * b.x,
            a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}
Vec3 rot(Quat q, Vec3 v) {
    const float x = q.x, y = q.y, z = q.z, w = q.w;
    return {(1 - 2 * y * y - 2 * z * z) * v.x + (2 * x * y - 2 * z * w) * v.y +
                (2 * x * z + 2 * y * w) * v.z,
            (2 * x * y + 2 * z * w) * v.x + (1 - 2 * x * x - 2 * z * z) * v.y +
                (2 * y * z - 2 * x * w) * v.z,
            (2 * x * z - 2 * y * w) * v.x + (2 * y * z + 2 * x * w) * v.y +
                (1 - 2 * x * x - 2 * y * y) * v.z};
}

// The skeleton posed as the preview poses it: world = parent + R(parent) t, rotation =
// parent x conjugate(local).
struct Posed {
    std::vector<Vec3> position;
    std::vector<Quat> rotation;
};
Posed pose(const character::Skeleton& s) {
    Posed p{std::vector<Vec3>(s.bones.size()), std::vector<Quat>(s.bones.size())};
    std::function<void(int, Vec3, Quat)> visit = [&](int b, Vec3 pp, Quat pq) {
        const auto& bone = s.bones[static_cast<size_t>(b)];
        Vec3 t = rot(pq, bone.translation);
        p.position[static_cast<size_t>(b)] = {pp.x + t.x, pp.y + t.y, pp.z + t.z};
        Quat c{-bone.rotation.x, -bone.rotation.y, -bone.rotation.z, bone.rotation.w};
        p.rotation[static_cast<size_t>(b)] = mul(pq, c);
        for (int ch = bone.firstChild; ch >= 0; ch = s.bones[static_cast<size_t>(ch)].nextSibling)
            visit(ch, p.position[static_cast<size_t>(b)], p.rotation[static_cast<size_t>(b)]);
    };
    visit(s.root, {0, 0, 0}, {0, 0, 0, 1});
    return p;
}

// Where a model point lands on the 368 x 508 preview at zoom index 2, facing South East, with
// the person placed at (0, -1.75, 0): the camera is orthographic, so the map is linear.
void toPixel(Vec3 p, float& x, float& y) {
    x = 167.28f - 28.44f * p.x + 28.44f * p.z;
    y = 353.58f - 34.84f * p.y + 14.22f * p.x + 14.22f * p.z;
}

class DemoCharacters : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        tree_ = new testing::TempTree;
        std::string error;
        ASSERT_TRUE(writeDemoCharacters(tree_->root(), DemoOptions{}, &error)) << error;
        index_ = new fileindex::FolderIndex(tree_->root());
        types_ = new fileindex::FileTypeRegistry(*index_);
        cat_ = new character::CharacterCatalogue(*index_, *types_);
        ASSERT_TRUE(cat_->build(character::kCharacterPathList, character::kAnimationPathList));
    }
    static void TearDownTestSuite() {
        delete cat_;
        delete types_;
        delete index_;
        delete tree_;
    }
    // Every vertex of the outfit's meshes, posed on the skeleton at rest.
    static std::vector<Vec3> posedVertices(const std::string& outfitName) {
        std::vector<Vec3> out;
        auto* skeleton = cat_->findSkeleton("adult");
        auto* outfit = cat_->findOutfit(outfitName);
        EXPECT_NE(outfit, nullptr) << outfitName;
        if (!skeleton || !outfit) return out;
        Posed p = pose(*skeleton);
        for (auto& part : outfit->parts) {
            auto mesh = cat_->meshFor(part, *outfit);
            EXPECT_NE(mesh, nullptr) << part.meshName;
            if (!mesh) continue;
            const size_t n = mesh->textureCoords.size();
            std::vector<Vec3> placed(mesh->vertices.size());
            for (const auto& b : mesh->bindings) {
                int bone = skeleton->findBone(mesh->boneIds[static_cast<size_t>(b.boneIndex)]);
                EXPECT_GE(bone, 0) << mesh->boneNames[static_cast<size_t>(b.boneIndex)];
                if (bone < 0) continue;
                auto place = [&](size_t v) {
                    Vec3 r = rot(p.rotation[static_cast<size_t>(bone)], mesh->vertices[v].position);
                    const Vec3& o = p.position[static_cast<size_t>(bone)];
                    placed[v] = {o.x + r.x, o.y + r.y, o.z + r.z};
                };
                for (int i = 0; i < b.vertexCount; ++i)
                    place(static_cast<size_t>(b.firstVertex + i));
                for (int i = 0; i < b.blendedVertexCount; ++i)
                    place(n + static_cast<size_t>(b.firstBlendedVertex + i));
            }
            // At rest a blended copy lies on the vertex it pulls, so blending changes nothing.
            for (size_t i = 0; i < mesh->blends.size(); ++i) {
                const Vec3& a = placed[n + i];
                const Vec3& t = placed[static_cast<size_t>(mesh->blends[i].target)];
                EXPECT_NEAR(std::hypot(a.x - t.x, a.y - t.y, a.z - t.z), 0.0f, 1e-4f);
            }
            out.insert(out.end(), placed.begin(), placed.begin() + static_cast<long>(n));
        }
        return out;
    }
    static testing::TempTree* tree_;
    static fileindex::FolderIndex* index_;
    static fileindex::FileTypeRegistry* types_;
    static character::CharacterCatalogue* cat_;
};
testing::TempTree* DemoCharacters::tree_ = nullptr;
fileindex::FolderIndex* DemoCharacters::index_ = nullptr;
fileindex::FileTypeRegistry* DemoCharacters::types_ = nullptr;
character::CharacterCatalogue* DemoCharacters::cat_ = nullptr;

TEST_F(DemoCharacters, OffersTheNamesTheWizardAsksFor) {
    auto* adult = cat_->findSkeleton("adult");
    ASSERT_NE(adult, nullptr);
    int keyBones = 0;
    for (const auto& b : adult->bones)
        keyBones += b.keyBone;
    EXPECT_EQ(keyBones, 6);
    for (const char* name :
         {"c011ma_repo", "c006ma_boss", "c005ma_hipster", "c036fa_cowg", "c038fa_rave",
          "b003mafit_01", "b708mafit_ct", "b713fafit_ct", "b717fafit_ct", "b718fafit_ct",
          "b003mafat_01", "h552mafit_dude", "hmlo", "hmro", "hflo", "hfro", "hulo", "huro"})
        EXPECT_NE(cat_->findOutfit(name), nullptr) << name;
    const char* animations[] = {"a2o-heyyou1",
                                "a2o-idle1",
                                "a2o-idle8",
                                "a2o-idle-armsdown-fidget",
                                "a2o-idle-armsdown-lookoff",
                                "a2o-idle-transition-armsdown-handships",
                                "a2o-idle-armsdown-breathe",
                                "a2o-idle-handships-shiftside",
                                "a2o-idle-handships-lookoff",
                                "a2o-idle-transition-handships-armscrossed",
                                "a2o-idle-handships-breathe",
                                "a2o-idle-armscrossed-scratchchin",
                                "a2o-idle-armscrossed-lookoff",
                                "a2o-idle-transition-armscrossed-armsdown",
                                "a2o-idle-armscrossed-breathe"};
    bool sound = false;
    for (const char* name : animations) {
        auto* a = cat_->findAnimation(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_TRUE(cat_->loadKeyframes(*a)) << name;
        for (const auto& t : a->tracks)
            for (const auto& tp : t.timeProperties)
                sound = sound || tp.properties.get("sound");
    }
    EXPECT_TRUE(sound);
    // One of them comes from the expansion archive, keyframes and all.
    EXPECT_EQ(cat_->animations().at("a2o-idle-armscrossed-lookoff").folder,
              "ExpansionPack3\\Animations\\");
}

TEST_F(DemoCharacters, TexturesFollowTheNamingTheFiltersExpect) {
    std::set<std::string> names;
    fileindex::FileRequest req;
    auto collect = [&](fileindex::FileRequest& r) {
        names.insert(character::lowerAscii(r.name));
        return 0;
    };
    (void)types_->enumerate(req, fileindex::splitPathList(character::kAnimationPathList),
                            fileindex::extensionCode("BMP"), collect);
    (void)types_->enumerate(req, fileindex::splitPathList(character::kCharacterPathList),
                            fileindex::extensionCode("BMP"), collect);
    for (const char* skin : {"lgt", "med", "drk"}) {
        EXPECT_TRUE(names.count(std::string("c011ma") + skin + "_rotc")) << skin;
        EXPECT_TRUE(names.count(std::string("b003mafit") + skin + "_bmoc")) << skin;
        EXPECT_TRUE(names.count(std::string("c036fa") + skin + "_cowg")) << skin;  // archive
        EXPECT_TRUE(names.count(std::string("b010mafat") + skin + "_casu")) << skin;
        EXPECT_TRUE(names.count(std::string("huao") + skin)) << skin;
    }
}

// The demo's bitmaps are written by our writer and read by the renderer's decoder: every one,
// loose or archived, must decode through the same lookup the texture library uses.
TEST_F(DemoCharacters, EveryTextureDecodesThroughTheRenderersLookup) {
    std::set<std::string> names;
    fileindex::FileRequest req;
    (void)types_->enumerate(req, fileindex::splitPathList(character::kTexturePathList),
                            fileindex::extensionCode("BMP"), [&](fileindex::FileRequest& r) {
                                names.insert(r.name);
                                return 0;
                            });
    ASSERT_GT(names.size(), 50u);
    character::IndexedFileSource source(*types_);
    source.registerFileType("IMAG", "BMP");
    size_t paletted = 0;
    for (const std::string& name : names) {
        render::FoundFile found = source.find(name, character::kTexturePathList, "IMAG");
        ASSERT_EQ(found.status, render::FoundFile::Status::Found) << name;
        render::BitmapHeader header;
        ASSERT_EQ(render::readBitmapHeader(found.bytes, header), render::kRenderOk) << name;
        const auto format = platform::soft3d::PixelFormat::rgb565();
        std::vector<uint8_t> pixels(size_t(header.width) * size_t(header.height) * 2);
        platform::soft3d::PaletteEntries palette{};
        EXPECT_EQ(render::decodeBitmap(found.bytes, header,
                                       {format, pixels.data(), header.width * 2,
                                        uint32_t(header.width), uint32_t(header.height)},
                                       palette),
                  render::kRenderOk)
            << name;
        paletted += header.bits == 8;
    }
    EXPECT_GT(paletted, 0u) << "the 8-bit path is exercised too";
}

TEST_F(DemoCharacters, FigureStandsOnTheGroundInsideTheSnapshotRegions) {
    float minY = 1e9f;
    auto inside = [](const std::vector<Vec3>& vs, float l, float t, float r, float b) {
        for (const Vec3& v : vs) {
            float x, y;
            toPixel(v, x, y);
            if (x < l || x > r || y < t || y > b) {
                ADD_FAILURE() << "(" << v.x << ", " << v.y << ", " << v.z << ") at " << x << ", "
                              << y;
                return false;
            }
        }
        return !vs.empty();
    };
    for (const char* head : {"c011ma_repo", "c036fa_cowg", "c025fa_curly"}) {
        auto vs = posedVertices(head);
        EXPECT_TRUE(inside(vs, 140, 141, 195, 205)) << head;
    }
    for (const char* body : {"b003mafit_01", "b010mafat_casual", "h570fafit_gown", "hmlo"}) {
        auto vs = posedVertices(body);
        EXPECT_TRUE(inside(vs, 120, 146, 220, 366)) << body;
        for (const Vec3& v : vs)
            minY = std::min(minY, v.y);
    }
    EXPECT_NEAR(minY, 0.0f, 0.01f);  // the soles
    // The head fills its region: its top near the region's top.
    float top = 1e9f;
    for (const Vec3& v : posedVertices("c011ma_repo")) {
        float x, y;
        toPixel(v, x, y);
        top = std::min(top, y);
    }
    EXPECT_LT(top, 152.0f);
}

TEST_F(DemoCharacters, SkinFilesOfTheDefaultBodyAreLooseTextFiles) {
    std::ifstream cmx(tree_->root() + "/GameData/Skins/b003mafit_01.cmx");
    ASSERT_TRUE(cmx);
    std::string line, mesh;
    while (std::getline(cmx, line))
        if (line.find("xskin") != std::string::npos) mesh = line.substr(0, line.size() - 1);
    ASSERT_FALSE(mesh.empty());
    std::ifstream skn(tree_->root() + "/GameData/Skins/" + mesh + ".skn");
    ASSERT_TRUE(skn);
    std::getline(skn, line);
    std::getline(skn, line);
    line.pop_back();  // the line end
    EXPECT_TRUE(tree_->has("GameData/Skins/" + line + ".bmp")) << line;
}

}  // namespace
}  // namespace marquill::content
