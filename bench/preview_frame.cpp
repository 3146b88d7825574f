// Time per frame of the preview-sized scene through the whole renderer: clear, begin, rewrite
// the vertex buffer, draw the mesh, end, present into the screen surface. Beside it, in the same
// run, one whole preview frame of the demo person: clock, idle check, animation, pose,
// deformation, draw and present; the same on a screen of twice the density; and the same at the
// wizard's own pace, a frame every 10 ms.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

#include "BenchFolders.h"
#include "PreviewBenchScene.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "platform/ByteSink.h"
#include "platform/RandomSource.h"
#include "platform/soft3d/DrawingModule.h"
#include "preview/HeadlessHost.h"
#include "preview/PreviewScene.h"
#include "preview/SteppedClock.h"
#include "render/AnimDevice.h"
#include "render/BitmapWriter.h"
#include "render/Device3D.h"
#include "render/RenderDIPMesh.h"

namespace {

using namespace marquill;
using namespace marquill::render;

class OneFile final : public FileSource {
  public:
    explicit OneFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    void registerFileType(std::string_view, std::string_view) override {}
    FoundFile find(std::string_view, std::string_view, std::string_view) override {
        return {FoundFile::Status::Found, bytes_};
    }

  private:
    std::vector<uint8_t> bytes_;
};

class PresentSink final : public platform::soft3d::Window {
  public:
    platform::soft3d::Rect clientRectOnScreen() const override {
        return {0, 0, bench::kWidth, bench::kHeight};
    }
    void screenUpdated(const platform::soft3d::Surface&, const platform::soft3d::Rect&) override {}
};

// How much of the frame the figure covers: a check that the programs draw alike.
int coveredPixels(const platform::soft3d::Surface& back) {
    int covered = 0;
    for (uint32_t y = 0; y < back.height(); ++y) {
        for (uint32_t x = 0; x < back.width(); ++x) {
            uint32_t p;
            std::memcpy(&p, back.row(y) + x * 4, 4);
            covered += (p & 0xFFFFFF) != 0xE47B04;
        }
    }
    return covered;
}

void BM_PreviewFrame(benchmark::State& state) {
    const bench::Scene scene = bench::makeScene();
    platform::VectorSink bmp;
    BitmapImage tex{bench::kTextureSide, bench::kTextureSide, scene.texture, {}};
    if (!writeBitmap(bmp, tex, BitmapEncoding::Rgb24)) return state.SkipWithError("bitmap");
    OneFile files(bmp.take());
    PresentSink window;
    AnimDevice anim(platform::soft3d::softwareDrawingModule(), &files);
    std::unique_ptr<Device3D> device;
    Viewport3D* vp = nullptr;
    if (anim.initialise(&window, ScreenMode::Windowed, bench::kWidth, bench::kHeight, 32,
                        DepthBuffer::Wanted) != kRenderOk ||
        Device3D::create(anim, device) != kRenderOk ||
        device->createViewport(nullptr, &vp) != kRenderOk)
        return state.SkipWithError("device");
    (void)vp->setBackgroundColor(0.89453125f, 0.48046875f, 0.015625f, 255.0f);
    (void)vp->setAmbientLight(0.7f, 0.7f, 0.7f, 0.7f);
    (void)vp->setViewMatrix(Matrix4(), nullptr);
    (void)vp->setProjectionMatrix(
        Matrix4::fromValues({2.0f / bench::kWidth, 0, 0, 0, 0, 2.0f / bench::kHeight, 0, 0, 0, 0,
                             1.0f / bench::kFar, 0, 0, 0, 0, 1}),
        nullptr);
    DirectionalLight* lights[2] = {};
    for (int i = 0; i < 2; ++i) {
        (void)device->createLight(AddToViewports::Yes, &lights[i]);
        const float s = i == 0 ? 1.0f : -1.0f;
        (void)lights[i]->setPositionDirection(
            {0, 0, 0}, {s * bench::kLightDir[0], s * bench::kLightDir[1], s * bench::kLightDir[2]});
    }
    RenderDIPMesh* mesh = RenderDIPMesh::create(*device);
    mesh->reserveVertices(scene.phases[0].size());
    mesh->indices(0) = scene.indices;
    mesh->setVertexRange(0, 0, uint32_t(scene.phases[0].size() - 1));
    mesh->addTextureName("skin");
    if (mesh->bindMaterials() != kRenderOk) return state.SkipWithError("material");

    const platform::soft3d::Rect all{0, 0, bench::kWidth, bench::kHeight};
    auto frame = [&](int phase) {
        anim.addPresentRect(all);
        (void)vp->clear(ClearDepth::Yes);
        (void)vp->beginScene(true);
        std::memcpy(mesh->vertices().data(), scene.phases[size_t(phase)].data(),
                    scene.phases[0].size() * sizeof(bench::SceneVertex));
        (void)drawWithLocalTransform(*mesh, *vp, kClipTest);
        (void)vp->endScene();
        (void)device->present();
    };
    // A checksum of every phase's finished frame: a change that should only make drawing faster
    // must leave it alone.
    uint32_t checksum = 0;
    for (int phase = 0; phase < bench::kPhases; ++phase) {
        frame(phase);
        for (int y = 0; y < bench::kHeight; ++y) {
            const uint8_t* row = std::as_const(*anim.backBuffer()).row(uint32_t(y));
            for (int i = 0; i < bench::kWidth * 4; ++i)
                checksum = (checksum ^ row[i]) * 16777619u;
        }
    }
    state.counters["frame_checksum"] = double(checksum);
    int phase = 0;
    for (auto _ : state) {
        frame(phase);
        phase = (phase + 1) % bench::kPhases;
        benchmark::DoNotOptimize(std::as_const(*anim.backBuffer()).row(0));
    }
    state.counters["covered_pixels"] = coveredPixels(std::as_const(*anim.backBuffer()));
    mesh->release();
    for (DirectionalLight* l : lights)
        l->release();
}
BENCHMARK(BM_PreviewFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The active preview's 10 ms ticks on a clock that moves only with them, so every run draws the
// same frames: the greeting, then the idle cycle from a fixed seed; at a screen's density.
// `pace`: real time between two frames, spent asleep and not timed. At 0 the frames follow each
// other and find everything they touch still in the caches; at the wizard's own 10 ms much of it
// has been pushed out by the time the next frame starts, as in the running wizard.
void personFrames(benchmark::State& state, double pixelRatio, std::chrono::microseconds pace) {
    const std::string dir = bench::demoInstallation(1);
    preview::HeadlessHost host;
    platform::SeededRandom random;
    preview::SteppedClock clock;
    fileindex::FolderIndex index(dir);
    fileindex::FileTypeRegistry types(index);
    PresentSink window;
    preview::PreviewEnvironment env;
    env.window = &window;
    env.systemTime = clock.source();
    env.index = &index;
    env.types = &types;
    env.randomSeed = 1;
    preview::PreviewScene scene(host, dir, bench::kWidth, bench::kHeight, random, std::move(env));
    scene.setPixelRatio(pixelRatio);
    scene.setToolInitialised(true);
    scene.setApplicationActive(true);
    if (!scene.setUp()) return state.SkipWithError("the preview did not get ready");
    scene.show(true);
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        if (pace.count() > 0) std::this_thread::sleep_for(pace);
        const Clock::time_point start = Clock::now();
        clock.advance(preview::kActivePeriodMs);
        scene.timerTick();
        benchmark::DoNotOptimize(scene.backBuffer()->row(0));
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["covered_pixels"] = coveredPixels(*scene.backBuffer());
}

constexpr std::chrono::microseconds kBackToBack{0};
constexpr std::chrono::microseconds kWizardsPace{preview::kActivePeriodMs * 1000};

void BM_PersonFrame(benchmark::State& state) {
    personFrames(state, 1.0, kBackToBack);
}
BENCHMARK(BM_PersonFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Four times the pixels, the same picture.
void BM_PersonFrameAtTwiceTheDensity(benchmark::State& state) {
    personFrames(state, 2.0, kBackToBack);
}
BENCHMARK(BM_PersonFrameAtTwiceTheDensity)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

// What a frame costs the running wizard, a hundred a second.
void BM_PersonFrameAtTheWizardsPace(benchmark::State& state) {
    personFrames(state, 1.0, kWizardsPace);
}
// Five seconds of frames, asleep for most of them.
BENCHMARK(BM_PersonFrameAtTheWizardsPace)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(500);

}  // namespace

BENCHMARK_MAIN();
