#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "RenderFixture.h"
#include "render/DDDMaterial.h"
#include "render/RenderDIPMesh.h"
#include "render/RenderGroup.h"

namespace marquill::render {
namespace {

using platform::soft3d::DisplayConfig;
using platform::soft3d::DisplayMode;
using platform::soft3d::Guid;
using testing::Renderer;

TEST(AnimDevice, SmallWindowGetsTheFiftyPixelMinimum) {
    testing::MemoryFileSource files;
    platform::soft3d::ImageWindow window({0, 0, 40, 30});
    AnimDevice anim(platform::soft3d::softwareDrawingModule(), &files);
    ASSERT_EQ(anim.initialise(&window, ScreenMode::Windowed, 40, 30, 32, DepthBuffer::Wanted),
              kRenderOk);
    EXPECT_EQ(anim.backBuffer()->width(), 50u);
    EXPECT_EQ(anim.backBuffer()->height(), 50u);
    EXPECT_EQ(anim.depthBuffer()->width(), 50u);
    EXPECT_FALSE(anim.modeChanged());
    EXPECT_EQ(files.types["IMAG"], "BMP;");
    EXPECT_EQ(files.types["Mesh"], "MSH;MSB;");
    EXPECT_EQ(anim.textureSearchPath(), "Textures; ../Textures");
}

TEST(AnimDevice, DisplayTooSmallNeedsAModeThatExists) {
    DisplayConfig small;
    small.current = {640, 480, 32};
    {
        testing::MemoryFileSource files;
        platform::soft3d::ImageWindow window({0, 0, 800, 600});
        AnimDevice anim(platform::soft3d::softwareDrawingModule(small), &files);
        ASSERT_EQ(anim.initialise(&window, ScreenMode::Windowed, 800, 600, 32, DepthBuffer::Wanted),
                  kRenderOk);
        EXPECT_TRUE(anim.modeChanged());
        EXPECT_EQ(anim.drawingObject()->displayMode(), (DisplayMode{800, 600, 32}));
    }
    testing::MemoryFileSource files;
    platform::soft3d::ImageWindow window({0, 0, 700, 500});
    AnimDevice anim(platform::soft3d::softwareDrawingModule(small), &files);
    EXPECT_EQ(anim.initialise(&window, ScreenMode::Windowed, 700, 500, 32, DepthBuffer::Wanted),
              kRenderNoDisplayMode);
    EXPECT_EQ(anim.lastResult(), kRenderNoDisplayMode);
}

TEST(AnimDevice, ModesAboveTheLimitAreNotOffered) {
    Renderer r;
    for (const DisplayMode& m : r.anim.displayModes()) {
        EXPECT_LE(m.width, 1024u);
        EXPECT_LE(m.height, 768u);
    }
    EXPECT_TRUE(std::is_sorted(r.anim.displayModes().begin(), r.anim.displayModes().end(),
                               [](const DisplayMode& a, const DisplayMode& b) {
                                   return std::tie(a.width, a.height, a.bitsPerPixel) <
                                          std::tie(b.width, b.height, b.bitsPerPixel);
                               }));
}

TEST(AnimDevice, MissingEntryPointOrThreeDeviceIsReported) {
    platform::soft3d::ImageWindow window({0, 0, 64, 64});
    auto module = platform::soft3d::softwareDrawingModule();
    module.enumerate = nullptr;
    AnimDevice noEntry(module, nullptr);
    EXPECT_EQ(noEntry.initialise(&window, ScreenMode::Windowed, 64, 64, 32, DepthBuffer::Wanted),
              kRenderPlatformMissing);

    DisplayConfig no3d;
    no3d.has3D = false;
    AnimDevice flat(platform::soft3d::softwareDrawingModule(no3d), nullptr);
    EXPECT_EQ(flat.initialise(&window, ScreenMode::Windowed, 64, 64, 32, DepthBuffer::Wanted),
              kRenderNoSuitableDevice);
}

TEST(AnimDevice, ChoosesTheFirstDeviceWithPerspectiveAndSixteenBitDepth) {
    Renderer r;
    ASSERT_EQ(r.anim.candidates().size(), 2u);
    EXPECT_FALSE(r.anim.candidates()[0].perspectiveTexturing);
    EXPECT_FALSE(r.anim.candidates()[0].depth16);
    ASSERT_NE(r.anim.chosenDevice(), nullptr);
    EXPECT_EQ(r.anim.chosenDevice()->id, platform::soft3d::Direct3D::rasteriserGuid());
    EXPECT_TRUE(r.anim.chosenDevice()->canRenderWindowed);
}

TEST(Viewport3D, WorldStackPushPopRestoresExactly) {
    Renderer r;
    const Matrix4 base = Matrix4::rotation(1, 0.7f) * Matrix4::translation({3, 4, 5});
    ASSERT_EQ(r.viewport->setWorld(base), kRenderOk);
    ASSERT_EQ(r.viewport->pushWorld(Matrix4::translation({0, -1.75f, 0})), kRenderOk);
    EXPECT_EQ(r.viewport->worldDepth(), 2u);
    EXPECT_EQ(r.viewport->world(), Matrix4::translation({0, -1.75f, 0}) * base);
    ASSERT_EQ(r.viewport->popWorld(), kRenderOk);
    EXPECT_EQ(r.viewport->world(), base);
    ASSERT_EQ(r.viewport->popWorld(), kRenderOk);
    EXPECT_EQ(r.viewport->worldDepth(), 1u) << "the stack never loses its last entry";
}

TEST(Viewport3D, AssigningAnIdenticalRenderStateKeepsTheDirtyFlag) {
    Renderer r;
    ASSERT_EQ(r.viewport->beginScene(true), kRenderOk);
    ASSERT_EQ(r.viewport->endScene(), kRenderOk);
    EXPECT_FALSE(r.viewport->renderStateDirty());
    r.viewport->setRenderState(r.viewport->renderState());
    EXPECT_FALSE(r.viewport->renderStateDirty());
    RenderStateFields f = r.viewport->renderState();
    f.textureFilter = 2;
    r.viewport->setRenderState(f);
    EXPECT_TRUE(r.viewport->renderStateDirty());
}

TEST(Viewport3D, AmbientLightIsPackedAsBytes) {
    Renderer r;
    ASSERT_EQ(r.viewport->setAmbientLight(0.7f, 0.7f, 0.7f, 0.7f), kRenderOk);
    // 0.7 x 255 = 178.5, truncated, as A, R, G, B bytes.
    EXPECT_EQ(r.device->platform().lightState(platform::soft3d::LightState::Ambient), 0xB2B2B2B2u);
}

TEST(Viewport3D, HoldsAtMostSixteenLights) {
    Renderer r;
    std::vector<DirectionalLight*> lights;
    for (int i = 0; i < 16; ++i) {
        DirectionalLight* l = nullptr;
        ASSERT_EQ(r.device->createLight(AddToViewports::Yes, &l), kRenderOk);
        lights.push_back(l);
    }
    EXPECT_EQ(r.viewport->addLight(*lights[3]), kRenderOk) << "a light already held is ignored";
    DirectionalLight* extra = nullptr;
    EXPECT_EQ(r.device->createLight(AddToViewports::Yes, &extra), kRenderTooManyLights);
    EXPECT_EQ(r.viewport->lights().size(), 16u);
    EXPECT_EQ(lights[0]->refCount(), 3u) << "caller, device list and viewport";
    for (DirectionalLight* l : lights)
        l->release();
    if (extra) extra->release();
}

}  // namespace
}  // namespace marquill::render

namespace marquill::render {
namespace {

using platform::soft3d::DisplayConfig;
using platform::soft3d::DisplayMode;
using platform::soft3d::Guid;
using testing::Renderer;

TEST(AnimDevice, FullScreenFlipsOnTheSecondOfTwoDrivers) {
    DisplayConfig two;
    two.current = {1024, 768, 32};
    platform::soft3d::DisplayDriver second;
    second.guid[0] = 7;
    second.name = "second";
    two.drivers.push_back(second);
    Guid created{};
    auto module = platform::soft3d::softwareDrawingModule(two);
    auto create = module.create;
    module.create = [&](const Guid* driver,
                        platform::soft3d::Ref<platform::soft3d::DrawingObject>& out) {
        created = driver ? *driver : Guid{};
        return create(driver, out);
    };
    platform::soft3d::ImageWindow window({0, 0, 640, 480});
    AnimDevice anim(module, nullptr);
    ASSERT_EQ(anim.initialise(&window, ScreenMode::FullScreen, 640, 480, 16, DepthBuffer::Wanted),
              kRenderOk);
    EXPECT_EQ(created[0], 7) << "the second of exactly two drivers";
    EXPECT_TRUE(anim.modeChanged());
    EXPECT_EQ(anim.drawingObject()->displayMode(), (DisplayMode{640, 480, 16}));
    EXPECT_EQ(anim.drawingObject()->cooperation(),
              platform::soft3d::Cooperation::ExclusiveFullScreen);
    ASSERT_NE(anim.backBuffer(), nullptr);
    EXPECT_NE(anim.backBuffer(), anim.frontSurface());
    EXPECT_EQ(anim.backBuffer()->pixelFormat(), platform::soft3d::PixelFormat::rgb565());
    ASSERT_EQ(anim.backBuffer()->colorFill(nullptr, 0xF800), platform::soft3d::kOk);
    ASSERT_EQ(anim.present(), kRenderOk);
    uint16_t shown;
    std::memcpy(&shown, anim.frontSurface()->row(10) + 20, 2);
    EXPECT_EQ(shown, 0xF800) << "the back buffer was flipped to the front";
}

TEST(AnimDevice, EightBitDisplayGetsAPaletteWithReadOnlyEdges) {
    DisplayConfig eight;
    eight.current = {800, 600, 8};
    platform::soft3d::ImageWindow window({0, 0, 64, 64});
    AnimDevice anim(platform::soft3d::softwareDrawingModule(eight), nullptr);
    ASSERT_EQ(anim.initialise(&window, ScreenMode::Windowed, 64, 64, 8, DepthBuffer::None),
              kRenderOk);
    ASSERT_NE(anim.frontSurface()->palette(), nullptr);
    const auto& entries = anim.frontSurface()->palette()->entries();
    EXPECT_EQ(entries[0].flags, platform::soft3d::PaletteEntry::kReadOnly);
    EXPECT_EQ(entries[9].flags, platform::soft3d::PaletteEntry::kReadOnly);
    EXPECT_EQ(entries[10].flags, platform::soft3d::PaletteEntry::kFree);
    EXPECT_EQ(entries[246].flags, platform::soft3d::PaletteEntry::kReadOnly);
    EXPECT_EQ(anim.backBuffer()->palette(), anim.frontSurface()->palette());
    std::unique_ptr<Device3D> device;
    EXPECT_NE(Device3D::create(anim, device), kRenderOk) << "no 3D rendering into 8-bit surfaces";
}

TEST(AnimDevice, PresentRestoresLostSurfacesAndCopiesAtTheWindowOffset) {
    Renderer r(64, 64);
    ASSERT_EQ(r.anim.backBuffer()->colorFill(nullptr, 0x00123456), platform::soft3d::kOk);
    r.anim.drawingObject()->loseAllSurfaces();
    ASSERT_EQ(r.device->present(), kRenderOk);
    EXPECT_FALSE(r.anim.backBuffer()->isLost());
    EXPECT_EQ(r.window.pixel(10, 10), 0x123456u);
    uint32_t onScreen;
    std::memcpy(&onScreen, r.anim.frontSurface()->row(50 + 10) + (100 + 10) * 4, 4);
    EXPECT_EQ(onScreen & 0xFFFFFF, 0x123456u) << "copied to the window's place on the screen";
    ASSERT_FALSE(r.window.updates().empty());
    EXPECT_EQ(r.window.updates().back(), (Rect{0, 0, 64, 64}));
    // Presenting again with nothing new copies the previous frame's rectangle once more, then
    // nothing.
    r.window.clearUpdates();
    ASSERT_EQ(r.device->present(), kRenderOk);
    EXPECT_EQ(r.window.updates().size(), 1u);
    r.window.clearUpdates();
    ASSERT_EQ(r.device->present(), kRenderOk);
    EXPECT_TRUE(r.window.updates().empty());
}

TEST(AnimDevice, PresentCopiesTheListedRectanglesAndWhatChangedInThem) {
    Renderer r(64, 64);
    ASSERT_EQ(r.anim.backBuffer()->colorFill(nullptr, 0x00101010), platform::soft3d::kOk);
    ASSERT_EQ(r.device->present(), kRenderOk);  // the first frame lists the whole window
    ASSERT_EQ(r.device->present(), kRenderOk);  // and copies it again as the previous frame's
    EXPECT_EQ(r.window.pixel(40, 40), 0x101010u);

    // Only the listed rectangle (its sides widened to multiples of 4) reaches the window.
    ASSERT_EQ(r.anim.backBuffer()->colorFill(nullptr, 0x00202020), platform::soft3d::kOk);
    r.window.clearUpdates();
    r.anim.addPresentRect({9, 8, 22, 16});
    ASSERT_EQ(r.device->present(), kRenderOk);
    ASSERT_EQ(r.window.updates().size(), 1u);
    EXPECT_EQ(r.window.updates()[0], (Rect{8, 8, 24, 16}));
    EXPECT_EQ(r.window.pixel(8, 8), 0x202020u);
    EXPECT_EQ(r.window.pixel(23, 15), 0x202020u);
    EXPECT_EQ(r.window.pixel(7, 8), 0x101010u);
    EXPECT_EQ(r.window.pixel(8, 16), 0x101010u);
    EXPECT_EQ(r.window.pixel(40, 40), 0x101010u);

    // The whole window listed again after a small change: the window is told of all of it and
    // shows the back buffer everywhere, though only what changed needed copying.
    ASSERT_EQ(r.device->present(), kRenderOk);
    const Rect spot{30, 30, 34, 33};
    ASSERT_EQ(r.anim.backBuffer()->colorFill(&spot, 0x00ABCDEF), platform::soft3d::kOk);
    r.window.clearUpdates();
    r.anim.addPresentRect({0, 0, 64, 64});
    ASSERT_EQ(r.device->present(), kRenderOk);
    ASSERT_EQ(r.window.updates().size(), 1u);
    EXPECT_EQ(r.window.updates()[0], (Rect{0, 0, 64, 64}));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            uint32_t back;
            std::memcpy(&back, std::as_const(*r.anim.backBuffer()).row(uint32_t(y)) + x * 4, 4);
            ASSERT_EQ(r.window.pixel(x, y), back & 0xFFFFFF) << x << ", " << y;
        }
    }
    EXPECT_EQ(r.window.pixel(31, 31), 0xABCDEFu);
}

}  // namespace
}  // namespace marquill::render
