#include "character/PreviewPerson.h"

#include <gtest/gtest.h>

#include <memory>

#include "character/AnimationPlayer.h"
#include "character/CharacterCatalogue.h"
#include "character/IndexedFileSource.h"
#include "character/OssaRenderGroup.h"
#include "content/DemoCharacters.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"
#include "platform/soft3d/DrawingModule.h"
#include "platform/soft3d/ImageWindow.h"
#include "render/AnimDevice.h"
#include "render/Device3D.h"
#include "render/Light.h"
#include "render/RenderDIPMesh.h"

namespace marquill::character {
namespace {

constexpr int kWidth = 92, kHeight = 128;
constexpr uint32_t kBackground = 0xE47B04;

// A renderer whose textures come from the demo installation through the folder index.
struct DemoRenderer {
    explicit DemoRenderer(fileindex::FileTypeRegistry& types)
        : source(types),
          window({0, 0, kWidth, kHeight}),
          anim(platform::soft3d::softwareDrawingModule({}), &source) {
        EXPECT_EQ(anim.initialise(&window, render::ScreenMode::Windowed, kWidth, kHeight, 32,
                                  render::DepthBuffer::Wanted),
                  render::kRenderOk);
        anim.setTextureSearchPath(std::string(kTexturePathList));
        EXPECT_EQ(render::Device3D::create(anim, device), render::kRenderOk);
        if (device) {
            EXPECT_EQ(device->createViewport(nullptr, &viewport), render::kRenderOk);
        }
    }
    IndexedFileSource source;
    platform::soft3d::ImageWindow window;
    render::AnimDevice anim;
    std::unique_ptr<render::Device3D> device;
    render::Viewport3D* viewport = nullptr;
};

class PreviewPersonTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        tree_ = new testing::TempTree;
        std::string error;
        ASSERT_TRUE(content::writeDemoCharacters(tree_->root(), content::DemoOptions{}, &error))
            << error;
        index_ = new fileindex::FolderIndex(tree_->root());
        types_ = new fileindex::FileTypeRegistry(*index_);
        catalogue_ = new CharacterCatalogue(*index_, *types_);
        ASSERT_TRUE(catalogue_->build(kCharacterPathList, kAnimationPathList));
        renderer_ = new DemoRenderer(*types_);
    }
    static void TearDownTestSuite() {
        delete renderer_;
        delete catalogue_;
        delete types_;
        delete index_;
        delete tree_;
    }
    static std::unique_ptr<PreviewPerson> person(const std::string& skeleton = "adult") {
        return PreviewPerson::create(*catalogue_, *renderer_->device, skeleton);
    }
    static size_t instanceCount(const PreviewPerson& p) {
        size_t n = 0;
        for (const auto& d : p.dressings())
            n += d->instances.size();
        return n;
    }
    static std::string outfitOf(const Dressing* d) {
        return d && d->outfit ? d->outfit->name : std::string("(none)");
    }
    static std::string textureOf(const Dressing* d) {
        return d && !d->instances.empty() ? d->instances[0]->texture : std::string("(none)");
    }

    static testing::TempTree* tree_;
    static fileindex::FolderIndex* index_;
    static fileindex::FileTypeRegistry* types_;
    static CharacterCatalogue* catalogue_;
    static DemoRenderer* renderer_;
};
testing::TempTree* PreviewPersonTest::tree_ = nullptr;
fileindex::FolderIndex* PreviewPersonTest::index_ = nullptr;
fileindex::FileTypeRegistry* PreviewPersonTest::types_ = nullptr;
CharacterCatalogue* PreviewPersonTest::catalogue_ = nullptr;
DemoRenderer* PreviewPersonTest::renderer_ = nullptr;

TEST_F(PreviewPersonTest, DressesHeadHandsAndBodyFromTheSelectionsInOrder) {
    auto p = person();
    ASSERT_TRUE(p->hasSkeleton());
    EXPECT_NE(p->skeleton(), catalogue_->findSkeleton("adult")) << "its own copy";
    Appearance a;
    SkinSelections s;
    a.bodyTexture = "B003MAFitdrk_bmoc";
    p->dressFromSelections(a, s, false);

    ASSERT_EQ(p->dressings().size(), 4u);
    EXPECT_EQ(p->dressings()[0].get(), p->headDressing());
    EXPECT_EQ(p->dressings()[1].get(), p->leftHandDressing());
    EXPECT_EQ(p->dressings()[2].get(), p->rightHandDressing());
    EXPECT_EQ(p->dressings()[3].get(), p->bodyDressing());
    EXPECT_EQ(outfitOf(p->leftHandDressing()), "hmlo");
    EXPECT_EQ(outfitOf(p->bodyDressing()), "b003mafit_01");
    EXPECT_EQ(textureOf(p->headDressing()), "C011mamed_rotc");
    EXPECT_EQ(textureOf(p->leftHandDressing()), "HUAOdrk") << "the hands follow the body";
    EXPECT_EQ(textureOf(p->bodyDressing()), "B003MAFitdrk_bmoc");
    EXPECT_EQ(s.leftHandTexture, "HUAOdrk");

    EXPECT_EQ(p->renderGroup()->children().size(), instanceCount(*p));
    EXPECT_FALSE(p->skeleton()->changed) << "posed and deformed right away";
    const BoundingBox box = p->bounds();
    ASSERT_TRUE(box.valid());
    EXPECT_GT(box.max.y - box.min.y, 4.0f) << "head to feet";
    const render::BoundingBox handed = p->renderGroup()->boundingBox();
    EXPECT_EQ(handed.max.y, box.max.y);
    const auto* bodyMesh = p->bodyDressing()->instances[0]->renderMesh;
    EXPECT_EQ(bodyMesh->boundingBox().min.y, box.min.y) << "every mesh gets the person's box";
}

TEST_F(PreviewPersonTest, RedressingTakesEverythingOffFirst) {
    auto p = person();
    Appearance a;
    SkinSelections s;
    p->dressFromSelections(a, s, false);
    const size_t shown = instanceCount(*p);
    ASSERT_NE(p->dress(*catalogue_->findOutfit("c006ma_boss"), ""), nullptr);
    EXPECT_EQ(p->dressings().size(), 5u);

    a.headMesh = "c005ma_hipster";
    a.headTexture.clear();  // the mesh's own texture
    p->dressFromSelections(a, s, false);
    ASSERT_EQ(p->dressings().size(), 4u) << "the extra dressing is gone too";
    EXPECT_EQ(outfitOf(p->headDressing()), "c005ma_hipster");
    EXPECT_EQ(textureOf(p->headDressing()), p->headDressing()->instances[0]->mesh->defaultTexture);
    EXPECT_EQ(instanceCount(*p), shown);
    EXPECT_EQ(p->renderGroup()->children().size(), shown);

    a.bodyMesh = "no such body";
    p->dressFromSelections(a, s, false);
    EXPECT_EQ(p->dressings().size(), 3u) << "a missing outfit is left off, the rest shown";
    EXPECT_EQ(p->bodyDressing(), nullptr);
    EXPECT_EQ(s.leftHandOutfit, "hulo") << "the hands follow even a body that is missing";
    EXPECT_NE(p->leftHandDressing(), nullptr);

    p->undressAll();
    EXPECT_TRUE(p->dressings().empty());
    EXPECT_TRUE(p->renderGroup()->children().empty());
    EXPECT_EQ(p->headDressing(), nullptr);
}

TEST_F(PreviewPersonTest, TheFashionPageDressesItsBodyWhileHandsFollowTheNormalOne) {
    auto p = person();
    Appearance a;
    SkinSelections s;
    a.bodyMesh = "b713fafit_ct";
    a.bodyTexture = "B713FAFitlgt_ct";
    a.fashionBodyMesh = "h552mafit_dude";
    a.fashionBodyTexture = "chosen-fashion-texture";
    p->dressFromSelections(a, s, true);
    EXPECT_EQ(outfitOf(p->bodyDressing()), "h552mafit_dude");
    EXPECT_EQ(textureOf(p->bodyDressing()), "chosen-fashion-texture");
    EXPECT_EQ(outfitOf(p->leftHandDressing()), "hflo");
    EXPECT_EQ(outfitOf(p->rightHandDressing()), "hfro");
    EXPECT_EQ(textureOf(p->rightHandDressing()), "HUAOlgt");

    // Emptiness is noted before the hands are recomputed, so an empty hand texture keeps the
    // mesh's own although the recomputed one is never empty.
    a.fashionBodyTexture.clear();
    s.leftHandTexture.clear();
    p->dressFromSelections(a, s, true);
    EXPECT_EQ(textureOf(p->bodyDressing()), p->bodyDressing()->instances[0]->mesh->defaultTexture);
    EXPECT_EQ(s.leftHandTexture, "HUAOlgt");
    EXPECT_EQ(textureOf(p->leftHandDressing()), "huaomed");
    EXPECT_EQ(textureOf(p->rightHandDressing()), "HUAOlgt");
}

TEST_F(PreviewPersonTest, CreationCanDressAnOutfitAndStartAnAnimation) {
    auto p = PreviewPerson::create(*catalogue_, *renderer_->device, "adult", "c011ma_repo",
                                   "a2o-heyyou1", 0);
    ASSERT_EQ(p->dressings().size(), 1u);
    EXPECT_EQ(textureOf(p->dressings()[0].get()), "C011mamed_rotc");
    ASSERT_EQ(p->animations()->running().size(), 1u);
    EXPECT_EQ(p->runningAnimation(), p->animations()->running()[0].get());
    EXPECT_TRUE(p->bounds().valid());
    auto plain = PreviewPerson::create(*catalogue_, *renderer_->device, "adult", "nothing",
                                       "nothing either", 0);
    EXPECT_TRUE(plain->dressings().empty());
    EXPECT_TRUE(plain->animations()->running().empty());
}

TEST_F(PreviewPersonTest, TheRootSkeletonIsOneKeyBoneAtTheOrigin) {
    auto p = person("Root");
    ASSERT_TRUE(p->hasSkeleton());
    EXPECT_EQ(p->skeletonName(), "Root");
    ASSERT_EQ(p->skeleton()->bones.size(), 1u);
    const Bone& bone = p->skeleton()->bones[0];
    EXPECT_EQ(bone.name, "ROOT");
    EXPECT_TRUE(bone.keyBone);
    EXPECT_EQ(bone.worldPosition, (Vec3{0, 0, 0}));
    EXPECT_EQ(bone.worldRotation, (Quat{0, 0, 0, 1}));
    EXPECT_NE(p->animations(), nullptr);

    // Nothing hangs on ROOT, so nothing shows; the box is then the bones'.
    Appearance a;
    SkinSelections s;
    p->dressFromSelections(a, s, false);
    EXPECT_EQ(instanceCount(*p), 0u);
    const BoundingBox box = p->bounds();
    ASSERT_TRUE(box.valid());
    EXPECT_EQ(box.min, (Vec3{0, 0, 0}));
    EXPECT_EQ(box.max, (Vec3{0, 0, 0}));
}

TEST_F(PreviewPersonTest, ASkeletonTheCatalogueLacksGivesAPersonThatDoesNothing) {
    auto p = person("giant");
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->hasSkeleton());
    EXPECT_EQ(p->skeleton(), nullptr);
    EXPECT_EQ(p->animations(), nullptr);
    ASSERT_NE(p->renderGroup(), nullptr);
    EXPECT_EQ(p->dress(*catalogue_->findOutfit("c011ma_repo"), ""), nullptr);
    Appearance a;
    SkinSelections s;
    a.bodyMesh = "b003fafit_01";
    p->dressFromSelections(a, s, false);
    EXPECT_TRUE(p->dressings().empty());
    EXPECT_EQ(s.leftHandOutfit, "hflo") << "the selections still follow the body";
    p->tick(render::Matrix4::translation({0, -1.75f, 0}), 100, true);
    EXPECT_EQ(p->renderGroup()->localTransform().kind(), render::MatrixKind::Identity);
    EXPECT_EQ(p->draw(*renderer_->viewport, 100), render::kRenderOk);
    EXPECT_EQ(p->bounds().min.x, 1e38f);
    EXPECT_EQ(p->bounds().max.x, -1e38f);
    p->undressAll();
}

TEST_F(PreviewPersonTest, TickPlacesAnimatesAndHandsTheBoxToTheGroup) {
    auto p = person();
    Appearance a;
    SkinSelections s;
    p->dressFromSelections(a, s, false);
    Animation* wave = catalogue_->findAnimation("a2o-heyyou1");
    ASSERT_NE(wave, nullptr);
    AnimationInstance* running = p->animations()->start(*catalogue_, *wave, 1, 1.0f, 1.0f, 0);
    ASSERT_NE(running, nullptr);
    p->setRunningAnimation(running);

    const render::Matrix4 offset = render::Matrix4::translation({0, -1.75f, 0});
    p->tick(offset, 0, true);
    EXPECT_EQ(p->renderGroup()->localTransform(), offset);
    auto* hand = p->rightHandDressing()->instances[0]->renderMesh;
    const float before = hand->vertices()[0].y + hand->vertices()[0].x;
    p->tick(offset, static_cast<int32_t>(wave->duration / 2), true);
    const float during = hand->vertices()[0].y + hand->vertices()[0].x;
    EXPECT_NE(before, during) << "the greeting moves the hand";

    // The group answers for its own bounds only, and never says yes to the query.
    OssaRenderGroup* group = p->renderGroup();
    EXPECT_FALSE(group->boundsOutOfDate());
    auto* child = static_cast<render::RenderObject*>(group->children()[0]);
    child->setFlag(render::RenderObject::kBoundsOutOfDate, true);
    EXPECT_FALSE(group->boundsOutOfDate());
    group->setFlag(render::RenderObject::kBoundsOutOfDate, true);
    EXPECT_TRUE(group->boundsOutOfDate());
    p->tick(offset, static_cast<int32_t>(wave->duration / 2), true);
    EXPECT_FALSE(group->boundsOutOfDate()) << "cleared when new bounds are handed over";
    EXPECT_FALSE(group->query());

    p->undressAll();
    EXPECT_TRUE(p->animations()->running().empty());
    EXPECT_EQ(p->runningAnimation(), nullptr);
}

TEST_F(PreviewPersonTest, TheDressedPersonDrawsIntoTheDevice) {
    auto p = person();
    Appearance a;
    SkinSelections s;
    p->dressFromSelections(a, s, false);
    p->tick(render::Matrix4::translation({0, -1.75f, 0}), 0, true);

    render::Viewport3D& vp = *renderer_->viewport;
    // Orthographic: x in -4..4 and y in -2..6 fill the view, z in -10..10 the depth range.
    ASSERT_EQ(vp.setViewMatrix(render::Matrix4(), nullptr), render::kRenderOk);
    ASSERT_EQ(vp.setProjectionMatrix(render::Matrix4::fromValues({0.25f, 0, 0, 0, 0, 0.25f, 0, 0, 0,
                                                                  0, 0.05f, 0, 0, -0.5f, 0.5f, 1}),
                                     nullptr),
              render::kRenderOk);
    ASSERT_EQ(vp.setBackgroundColor(0.89453125f, 0.48046875f, 0.015625f, 255.0f),
              render::kRenderOk);
    render::DirectionalLight* light = nullptr;
    ASSERT_EQ(renderer_->device->createLight(render::AddToViewports::Yes, &light),
              render::kRenderOk);
    ASSERT_EQ(light->setPositionDirection({0, 0, -10}, {0, 0, 1}), render::kRenderOk);

    ASSERT_EQ(vp.clear(render::ClearDepth::Yes), render::kRenderOk);
    ASSERT_EQ(vp.beginScene(true), render::kRenderOk);
    ASSERT_EQ(p->draw(vp, 0), render::kRenderOk);
    ASSERT_EQ(vp.endScene(), render::kRenderOk);
    ASSERT_EQ(renderer_->device->present(), render::kRenderOk);
    EXPECT_FALSE(p->renderGroup()->screenRect().empty());

    int figure = 0;
    for (uint32_t px : renderer_->window.pixels())
        figure += (px & 0xFFFFFF) != kBackground;
    EXPECT_GT(figure, kWidth * kHeight / 20) << "the figure covers part of the view";
    EXPECT_EQ(renderer_->window.pixel(1, 1), kBackground);
    light->release();
}

}  // namespace
}  // namespace marquill::character
