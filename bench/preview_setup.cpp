// The preview's set-up from the first tick to "Ready!" on demo installations of scale 1 and 20:
// devices, viewport, camera and lights, the folder index, the character catalogue, the look
// lists and the dressed, greeting person.
#include <benchmark/benchmark.h>

#include <chrono>

#include "BenchFolders.h"
#include "PreviewBenchHost.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "platform/RandomSource.h"
#include "preview/PreviewScene.h"
#include "preview/SteppedClock.h"

namespace {

using namespace marquill;
using Clock = std::chrono::steady_clock;

void BM_PreviewSetUp(benchmark::State& state) {
    const std::string dir = bench::demoInstallation(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bench::PreviewBenchHost host;
        platform::SeededRandom random;
        preview::SteppedClock clock;
        fileindex::FolderIndex index(dir);
        fileindex::FileTypeRegistry types(index);
        preview::PreviewEnvironment env;
        env.systemTime = clock.source();
        env.index = &index;
        env.types = &types;
        env.randomSeed = 1;
        preview::PreviewScene scene(host, dir, preview::kPreviewWidth, preview::kPreviewHeight,
                                    random, std::move(env));
        const auto start = Clock::now();
        const bool ready = scene.setUp();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!ready || host.failed) state.SkipWithError("the preview did not get ready");
    }
}
BENCHMARK(BM_PreviewSetUp)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
