#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "render/DDDMaterial.h"
#include "render/RenderDIPMesh.h"
#include "render/RenderGroup.h"
#include "render/RenderObjectFactory.h"

namespace marquill::render {
namespace {

using platform::soft3d::Vertex;
using testing::Renderer;

// Clip space is world space: identity view and projection.
void identityCamera(Renderer& r) {
    ASSERT_EQ(r.viewport->setViewMatrix(Matrix4(), nullptr), kRenderOk);
    ASSERT_EQ(r.viewport->setProjectionMatrix(Matrix4(), nullptr), kRenderOk);
}

// A quad facing the viewer from (x0, y0) to (x1, y1) in clip space, textured 0..1.
RenderDIPMesh* quadMesh(Device3D& device, float x0, float y0, float x1, float y1,
                        const std::string& texture) {
    RenderDIPMesh* mesh = RenderDIPMesh::create(device);
    mesh->reserveVertices(4);
    auto& v = mesh->vertices();
    v[0] = {x0, y1, 0.5f, 0, 0, -1, 0, 0};
    v[1] = {x1, y1, 0.5f, 0, 0, -1, 1, 0};
    v[2] = {x1, y0, 0.5f, 0, 0, -1, 1, 1};
    v[3] = {x0, y0, 0.5f, 0, 0, -1, 0, 1};
    mesh->indices(0) = {0, 1, 2, 0, 2, 3};
    mesh->setVertexRange(0, 0, 3);
    if (!texture.empty()) mesh->addTextureName(texture);
    EXPECT_EQ(mesh->bindMaterials(), kRenderOk);
    return mesh;
}

TEST(MeshDraw, DrawnGroupRecordsItsRectangleAndPresentsToTheWindow) {
    Renderer r(64, 64);
    identityCamera(r);
    r.files.add("red", testing::solidBitmap(2, 2, 0xFF0000));
    DirectionalLight* light = nullptr;
    ASSERT_EQ(r.device->createLight(AddToViewports::Yes, &light), kRenderOk);
    ASSERT_EQ(light->setPositionDirection({0, 0, -10}, {0, 0, 1}), kRenderOk);
    ASSERT_EQ(r.viewport->setBackgroundColor(0.89453125f, 0.48046875f, 0.015625f, 255.0f),
              kRenderOk);

    RenderGroup* group = RenderGroup::create(1);
    // Screen x = 32 + 32 x, y = 32 - 32 y: this quad covers pixels 16..47 both ways.
    RenderDIPMesh* mesh = quadMesh(*r.device, -0.5f, -0.5f, 0.5f, 0.5f, "red");
    ASSERT_EQ(group->addChild(*mesh), kRenderOk);
    EXPECT_TRUE(group->boundingBox().valid());

    ASSERT_EQ(r.viewport->clear(ClearDepth::Yes), kRenderOk);
    ASSERT_EQ(r.viewport->beginScene(true), kRenderOk);
    ASSERT_EQ(drawWithLocalTransform(*group, *r.viewport, kClipTest), kRenderOk);
    ASSERT_EQ(r.viewport->endScene(), kRenderOk);
    EXPECT_EQ(mesh->screenRect(), (Rect{16, 16, 48, 48}));
    EXPECT_EQ(group->screenRect(), (Rect{16, 16, 48, 48}));
    ASSERT_EQ(r.viewport->drawnThisFrame().rects().size(), 1u);
    EXPECT_EQ(r.viewport->drawnThisFrame().rects()[0], (Rect{16, 16, 48, 48}));
    EXPECT_EQ(r.viewport->lastReported(), (Rect{16, 16, 48, 48}));

    ASSERT_EQ(r.device->present(), kRenderOk);
    EXPECT_EQ(r.window.pixel(20, 20), 0xFF0000u) << "texture x white light";
    EXPECT_EQ(r.window.pixel(5, 5), 0xE47B04u) << "the preview orange background";
    EXPECT_TRUE(r.viewport->drawnThisFrame().empty());
    EXPECT_EQ(r.viewport->drawnPreviousFrame().rects().size(), 1u);
    EXPECT_TRUE(r.anim.presentList().empty());

    // The next frame clears only what was drawn before.
    ASSERT_EQ(r.viewport->clear(ClearDepth::Yes), kRenderOk);
    ASSERT_EQ(r.viewport->clearList().rects().size(), 1u);
    EXPECT_EQ(r.viewport->clearList().rects()[0], (Rect{16, 16, 48, 48}));
    group->release();
    mesh->release();
    light->release();
}

TEST(MeshDraw, BoxBehindTheCameraIsCulledAndOneAcrossASidePlaneIsClipped) {
    Renderer r(64, 64);
    identityCamera(r);
    const Matrix4 wvp = Matrix4();
    BoundingBox behind{{-1, -1, -5}, {1, 1, -2}};
    EXPECT_TRUE(viewTestCulled(viewTest(wvp, behind)));
    BoundingBox inside{{-0.5f, -0.5f, 0.2f}, {0.5f, 0.5f, 0.8f}};
    EXPECT_EQ(viewTest(wvp, inside), 0u);
    BoundingBox straddling{{0.5f, -0.5f, 0.2f}, {1.5f, 0.5f, 0.8f}};
    const uint32_t bits = viewTest(wvp, straddling);
    EXPECT_NE(bits, 0u);
    EXPECT_FALSE(viewTestCulled(bits));
    // With a perspective projection a box wholly behind the eye has w <= 0 at every corner.
    const Matrix4 persp =
        Matrix4::fromValues({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1.01f, 1, 0, 0, -1.01f, 0});
    EXPECT_TRUE(viewTestCulled(viewTest(persp, BoundingBox{{-1, -1, -10}, {1, 1, -5}})));

    RenderDIPMesh* side = quadMesh(*r.device, 0.5f, -0.5f, 1.5f, 0.5f, "");
    RenderDIPMesh* gone = quadMesh(*r.device, 2, 2, 3, 3, "");
    ASSERT_EQ(r.viewport->beginScene(true), kRenderOk);
    ASSERT_EQ(side->draw(*r.viewport, kClipTest), kRenderOk);
    EXPECT_EQ(side->screenRect(), (Rect{48, 16, 64, 48})) << "clipped at the right edge";
    ASSERT_EQ(gone->draw(*r.viewport, kClipTest), kRenderOk);
    EXPECT_TRUE(gone->screenRect().empty());
    ASSERT_EQ(r.viewport->endScene(), kRenderOk);
    side->release();
    gone->release();
}

TEST(RenderGroup, RemovingAStrangerFailsAndReferencesBalance) {
    Renderer r;
    RenderGroup* group = RenderGroup::create();
    RenderDIPMesh* child = RenderDIPMesh::create(*r.device);
    RenderDIPMesh* stranger = RenderDIPMesh::create(*r.device);
    EXPECT_EQ(child->refCount(), 1u);
    EXPECT_EQ(child->flags() & 0x3u, 0x3u) << "a new object has both change bits";
    ASSERT_EQ(group->addChild(*child), kRenderOk);
    EXPECT_EQ(child->flags() & 0x2u, 0u) << "adding clears the child's transform bit";
    EXPECT_EQ(child->refCount(), 2u);
    EXPECT_EQ(group->removeChild(*stranger), kRenderNotAChild);
    EXPECT_EQ(group->removeChild(*child), kRenderOk);
    EXPECT_EQ(child->refCount(), 1u);
    group->release();
    child->release();
    stranger->release();
}

TEST(RenderObjectFactory, BuildsNothingButKeepsItsEntries) {
    Renderer r;
    RenderObjectFactory factory;
    RenderObject* out = nullptr;
    EXPECT_EQ(factory.buildObject("x", &out), kRenderNotSupported);
    EXPECT_EQ(factory.buildGroup("x", &out), kRenderNotSupported);
    RenderDIPMesh* mesh = RenderDIPMesh::create(*r.device);
    factory.addEntry("body", *mesh);
    EXPECT_EQ(factory.find("body"), mesh);
    EXPECT_EQ(mesh->refCount(), 2u);
    mesh->release();
}

}  // namespace
}  // namespace marquill::render
