#include "character/Dressing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "character/CharacterCatalogue.h"
#include "character/QuatMath.h"
#include "character/SkeletonPose.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "render/RenderDIPMesh.h"
#include "render/RenderFixture.h"
#include "render/RenderGroup.h"

namespace marquill::character {
namespace {

using platform::soft3d::Vertex;

constexpr float kHalf = 0.70710678f;

// Meshes are put straight into the skin parts, so the catalogue only lends its bone names.
struct Bench {
    fileindex::FolderIndex index;
    fileindex::FileTypeRegistry types{index};
    CharacterCatalogue catalogue{index, types};
    render::testing::Renderer renderer;
    Skeleton skeleton;

    Bench() {
        skeleton.name = "test";
        addBone("PELVIS", "", {1, 2, 3}, {0, 0, -kHalf, kHalf});  // posed: 90 degrees about z
        addBone("HEAD", "PELVIS", {0, 1, 0}, {0, 0, 0, 1});
        skeleton.root = 0;
        skeleton.bones[0].firstChild = 1;
        skeleton.bones[1].parent = 0;
        updatePose(skeleton);
    }
    void addBone(const std::string& name, const std::string& parent, Vec3 t, Quat r) {
        Bone b;
        b.name = name;
        b.parentName = parent;
        b.nameId = catalogue.boneNames().intern(name);
        b.translation = t;
        b.rotation = r;
        skeleton.bones.push_back(b);
    }
    render::Device3D& device() { return *renderer.device; }
};

// Three textured vertices bound to `bone`, one blended vertex, one face.
std::shared_ptr<DeformableMesh> triangle(Bench& b, const std::string& bone,
                                         const std::string& texture = "Jeans") {
    auto m = std::make_shared<DeformableMesh>();
    m->name = "tri";
    m->defaultTexture = texture;
    m->boneNames = {bone};
    m->boneIds = {b.catalogue.boneNames().intern(bone)};
    m->faces = {{0, 1, 2}};
    m->vertices = {{{1, 0, 0}, {1, 0, 0}},
                   {{0, 1, 0}, {0, 1, 0}},
                   {{0, 0, 1}, {0, 0, 1}},
                   {{2, 0, 0}, {0, 1, 0}}};
    m->textureCoords = {{0.25f, 0.5f}, {0.75f, 0.5f}, {0.5f, 1}};
    m->bindings = {{0, 0, 3, 0, 1, {}}};
    m->blends = {{0, 0}};
    for (auto& binding : m->bindings) {
        for (int i = 0; i < 3; ++i)
            binding.box.add(m->vertices[size_t(i)].position);
        binding.box.add(m->vertices[3].position);
    }
    return m;
}

Outfit outfitOf(std::vector<std::pair<std::string, std::shared_ptr<DeformableMesh>>> parts,
                const std::string& bone = "PELVIS") {
    Outfit o;
    o.name = "test";
    for (auto& [meshName, mesh] : parts) {
        SkinPart p;
        p.boneName = bone;
        p.meshName = meshName;
        p.mesh = mesh;
        o.parts.push_back(p);
    }
    return o;
}

void expectNear(const Vertex& v, Vec3 p, Vec3 n) {
    EXPECT_NEAR(v.x, p.x, 1e-5f);
    EXPECT_NEAR(v.y, p.y, 1e-5f);
    EXPECT_NEAR(v.z, p.z, 1e-5f);
    EXPECT_NEAR(v.nx, n.x, 1e-5f);
    EXPECT_NEAR(v.ny, n.y, 1e-5f);
    EXPECT_NEAR(v.nz, n.z, 1e-5f);
}

TEST(Deformation, MovesBindingsByTheirBoneAndKeepsTextureCoordinates) {
    Bench b;
    Outfit o = outfitOf(
        {{"xskin-PELVIS-BODY", triangle(b, "PELVIS")}, {"xskin-HEAD-HEAD", triangle(b, "HEAD")}});
    auto d = attach(b.catalogue, b.device(), o, b.skeleton, "", kAllCensorFlags, nullptr);
    ASSERT_EQ(d->instances.size(), 2u);
    for (auto& i : d->instances)
        deform(*i, b.skeleton);

    // PELVIS at (1, 2, 3) turned a quarter about z: x goes to y, y to -x.
    const auto& pelvis = d->instances[0]->renderMesh->vertices();
    expectNear(pelvis[0], {1, 3, 3}, {0, 1, 0});
    expectNear(pelvis[1], {0, 2, 3}, {-1, 0, 0});
    expectNear(pelvis[2], {1, 2, 4}, {0, 0, 1});
    expectNear(pelvis[3], {1, 4, 3}, {-1, 0, 0});  // the blended vertex moves too
    EXPECT_EQ(pelvis[1].u, 0.75f);
    EXPECT_EQ(pelvis[1].v, 0.5f);
    EXPECT_EQ(pelvis[3].u, 0.0f);  // beyond the textured vertices
    EXPECT_EQ(pelvis[3].v, 0.0f);

    // HEAD one up in PELVIS's frame, so at (0, 2, 3) with the same turn.
    const auto& head = d->instances[1]->renderMesh->vertices();
    expectNear(head[0], {0, 3, 3}, {0, 1, 0});
    EXPECT_EQ(head[2].u, 0.5f);
    EXPECT_EQ(head[2].v, 1.0f);

    const BoundingBox& box = d->instances[0]->box;
    EXPECT_NEAR(box.min.x, 0, 1e-5f);
    EXPECT_NEAR(box.max.y, 4, 1e-5f);
    EXPECT_NEAR(box.max.z, 4, 1e-5f);
    detach(*d, nullptr);
}

TEST(Deformation, BlendWeightsMixTheBlendedVertexIntoItsTarget) {
    struct Case {
        int32_t weight;
        Vec3 position;
    };
    // Target vertex 0 lands on (1, 3, 3), the blended vertex on (1, 4, 3).
    for (const Case& c : {Case{0, {1, 3, 3}}, Case{-5, {1, 3, 3}}, Case{16384, {1, 3.5f, 3}},
                          Case{32768, {1, 4, 3}}, Case{40000, {1, 4, 3}}}) {
        Bench b;
        auto mesh = triangle(b, "PELVIS");
        mesh->vertices[3].normal = {0, 0, 1};
        mesh->blends = {{c.weight, 0}};
        Outfit o = outfitOf({{"m", mesh}});
        auto d = attach(b.catalogue, b.device(), o, b.skeleton, "", kAllCensorFlags, nullptr);
        ASSERT_EQ(d->instances.size(), 1u);
        deform(*d->instances[0], b.skeleton);
        const Vertex& v = d->instances[0]->renderMesh->vertices()[0];
        EXPECT_NEAR(v.x, c.position.x, 1e-5f) << c.weight;
        EXPECT_NEAR(v.y, c.position.y, 1e-5f) << c.weight;
        EXPECT_NEAR(v.z, c.position.z, 1e-5f) << c.weight;
        const float length = std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz);
        EXPECT_NEAR(length, 1.0f, 1e-5f) << c.weight;
        if (c.weight == 16384) {
            EXPECT_NEAR(v.ny, kHalf, 1e-5f);  // (0, 1, 0) and (0, 0, 1) half-way, normalised
            EXPECT_NEAR(v.nz, kHalf, 1e-5f);
        }
        EXPECT_EQ(v.u, 0.25f) << "blending leaves the texture coordinates";
        // A second deformation starts again from the rest pose.
        deform(*d->instances[0], b.skeleton);
        EXPECT_NEAR(d->instances[0]->renderMesh->vertices()[0].y, c.position.y, 1e-5f);
    }
}

TEST(Deformation, BoxesAreMovedAgainOnlyForBonesThatChanged) {
    Bench b;
    auto mesh = triangle(b, "PELVIS");
    mesh->boneNames.push_back("HEAD");
    mesh->boneIds.push_back(b.catalogue.boneNames().intern("HEAD"));
    mesh->bindings = {{0, 0, 2, 0, 1, {}}, {1, 2, 1, 0, 0, {}}};
    mesh->bindings[0].box.add({1, 0, 0});
    mesh->bindings[0].box.add({0, 1, 0});
    mesh->bindings[1].box.add({0, 0, 1});
    Outfit o = outfitOf({{"m", mesh}});
    auto d = attach(b.catalogue, b.device(), o, b.skeleton, "", kAllCensorFlags, nullptr);
    MeshInstance& i = *d->instances[0];
    updatePose(b.skeleton);  // dressing marked the whole skeleton
    deform(i, b.skeleton);
    EXPECT_EQ(i.boxRecomputations, 2u);
    deform(i, b.skeleton);
    EXPECT_EQ(i.boxRecomputations, 2u) << "nothing moved";

    Bone& head = b.skeleton.bones[1];
    head.translation = {0, 5, 0};
    head.localChanged = true;
    updatePose(b.skeleton);
    deform(i, b.skeleton);
    EXPECT_EQ(i.boxRecomputations, 3u) << "only the head's binding";
    // The head binding's (0, 0, 1) now sits five up in PELVIS's frame: at (-4, 2, 4).
    EXPECT_NEAR(i.box.min.x, -4, 1e-5f);
    EXPECT_NEAR(i.box.max.z, 4, 1e-5f);
    expectNear(i.renderMesh->vertices()[2], {-4, 2, 4}, {0, 0, 1});
    detach(*d, nullptr);
}

TEST(Attach, BuildsRenderBuffersOverTheTexturedVertices) {
    Bench b;
    auto mesh = triangle(b, "PELVIS");
    mesh->faces.push_back({0, 1, 3});  // reaches the blended vertex, beyond the drawn range
    mesh->faces.push_back({2, 1, 0});
    Outfit o = outfitOf({{"m", mesh}});
    auto group = render::RenderGroup::create();
    auto d = attach(b.catalogue, b.device(), o, b.skeleton, "", kAllCensorFlags, group);
    ASSERT_EQ(d->instances.size(), 1u);
    render::RenderDIPMesh& rm = *d->instances[0]->renderMesh;
    EXPECT_EQ(rm.vertices().size(), 4u);
    EXPECT_EQ(rm.indices(0), (std::vector<uint16_t>{0, 1, 2, 2, 1, 0}));
    EXPECT_EQ(rm.vertexContainer().textureNames, (std::vector<std::string>{"Jeans"}));
    ASSERT_EQ(group->children().size(), 1u);
    EXPECT_EQ(group->children()[0], &rm);
    EXPECT_TRUE(b.skeleton.changed);

    detach(*d, group);
    EXPECT_TRUE(d->instances.empty());
    EXPECT_TRUE(group->children().empty());
    group->release();
}

TEST(Attach, IndexesTheLastOfSixtyFiveThousandVerticesAndRefusesMore) {
    Bench b;
    auto mesh = triangle(b, "PELVIS");
    mesh->vertices.resize(65536);
    mesh->textureCoords.resize(65536);
    mesh->blends.clear();
    mesh->bindings = {{0, 0, 65536, 0, 0, {}}};
    mesh->faces = {{65535, 65534, 0}};
    Outfit o = outfitOf({{"m", mesh}});
    auto d = attach(b.catalogue, b.device(), o, b.skeleton, "", kAllCensorFlags, nullptr);
    ASSERT_EQ(d->instances.size(), 1u);
    EXPECT_EQ(d->instances[0]->renderMesh->indices(0), (std::vector<uint16_t>{65535, 65534, 0}));
    detach(*d, nullptr);

    auto big = std::make_shared<DeformableMesh>(*mesh);
    big->vertices.resize(65537);
    Outfit tooBig = outfitOf({{"m", big}});
    EXPECT_TRUE(attach(b.catalogue, b.device(), tooBig, b.skeleton, "", kAllCensorFlags, nullptr)
                    ->instances.empty());
}

TEST(Attach, OverrideTexturesOnlyPartsWhoseMeshNameHoldsTheKey) {
    EXPECT_EQ(textureFor("xskin-b003-PELVIS-BODY", "dflt", "BODY=B003MAFitdrk_bmoc"),
              "B003MAFitdrk_bmoc");
    EXPECT_EQ(textureFor("xskin-c011-HEAD-HEAD", "dflt", "BODY=B003MAFitdrk_bmoc"), "dflt");
    EXPECT_EQ(textureFor("xskin-b003-PELVIS-BODY", "dflt", "BODY="), "dflt");
    EXPECT_EQ(textureFor("xskin-b003-PELVIS-BODY", "dflt", ""), "dflt");
    EXPECT_EQ(textureFor("xskin-b003-PELVIS-BODY", "dflt", "BODY"), "dflt") << "no '='";
    EXPECT_EQ(textureFor("xskin-b003-PELVIS-body", "dflt", "BODY=x"), "dflt") << "exact case";
    EXPECT_EQ(textureFor("anything", "dflt", "=x"), "x") << "an empty key is in every name";

    Bench b;
    Outfit o = outfitOf({{"xskin-b-PELVIS-BODY", triangle(b, "PELVIS", "bodyDefault")},
                         {"xskin-b-L_HAND-HAND", triangle(b, "PELVIS", "handDefault")}});
    auto d =
        attach(b.catalogue, b.device(), o, b.skeleton, "BODY=chosen", kAllCensorFlags, nullptr);
    ASSERT_EQ(d->instances.size(), 2u);
    EXPECT_EQ(d->instances[0]->texture, "chosen");
    EXPECT_EQ(d->instances[0]->renderMesh->vertexContainer().textureNames[0], "chosen");
    EXPECT_EQ(d->instances[1]->texture, "handDefault");
}

TEST(Attach, CensorMaskAndMissingBonesLeaveOnlyThoseParts) {
    Bench b;
    Outfit o = outfitOf(
        {{"a", triangle(b, "PELVIS")}, {"b", triangle(b, "PELVIS")}, {"c", triangle(b, "PELVIS")}});
    o.parts[0].censorFlags = 1;
    o.parts[1].censorFlags = 2;
    o.parts[2].censorFlags = 3;
    auto all = attach(b.catalogue, b.device(), o, b.skeleton, "", kAllCensorFlags, nullptr);
    EXPECT_EQ(all->instances.size(), 3u);
    auto masked = attach(b.catalogue, b.device(), o, b.skeleton, "", 2, nullptr);
    ASSERT_EQ(masked->instances.size(), 2u);
    EXPECT_EQ(masked->instances[0]->part, &o.parts[1]);
    EXPECT_EQ(masked->instances[1]->part, &o.parts[2]);
    EXPECT_TRUE(attach(b.catalogue, b.device(), o, b.skeleton, "", 4, nullptr)->instances.empty());

    Outfit gaps = outfitOf({{"hangs on a missing bone", triangle(b, "PELVIS")},
                            {"names a missing bone", triangle(b, "R_FOOT")},
                            {"no mesh at all", nullptr},
                            {"shown", triangle(b, "HEAD")}});
    gaps.parts[0].boneName = "TAIL";
    auto d = attach(b.catalogue, b.device(), gaps, b.skeleton, "", kAllCensorFlags, nullptr);
    ASSERT_EQ(d->instances.size(), 1u);
    EXPECT_EQ(d->instances[0]->part->meshName, "shown");
    EXPECT_EQ(d->instances[0]->bone, 0);
}

TEST(Attach, OutfitsOfAnotherTypeStayOutOfTheGroup) {
    Bench b;
    Outfit o = outfitOf({{"m", triangle(b, "PELVIS")}});
    o.type = 2;
    auto group = render::RenderGroup::create();
    auto d = attach(b.catalogue, b.device(), o, b.skeleton, "", kAllCensorFlags, group);
    EXPECT_EQ(d->instances.size(), 1u);
    EXPECT_TRUE(group->children().empty());
    detach(*d, group);
    group->release();
}

}  // namespace
}  // namespace marquill::character
