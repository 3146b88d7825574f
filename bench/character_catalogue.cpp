// Index plus catalogue build on demo installations of scale 1 and 20 (written once into the
// temporary folder and reused), and the full load of every mesh and keyframe file.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "BenchFolders.h"
#include "character/CharacterCatalogue.h"
#include "content/DemoCharacters.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"

namespace {

using namespace marquill;
using Clock = std::chrono::steady_clock;

std::string installation(int scale) {
    return bench::preparedFolder("characters-scale" + std::to_string(scale),
                                 [scale](const std::string& dir, std::string* error) {
                                     content::DemoOptions options;
                                     options.scale = scale;
                                     return content::writeDemoCharacters(dir, options, error);
                                 });
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void BM_IndexAndCatalogue(benchmark::State& state) {
    const std::string dir = installation(static_cast<int>(state.range(0)));
    double indexTime = 0, loadTime = 0;
    uint64_t bytes = 0;
    size_t outfits = 0, animations = 0, folders = 0;
    for (auto _ : state) {
        fileindex::FolderIndex index(dir);
        fileindex::FileTypeRegistry types(index);
        character::CharacterCatalogue cat(index, types);
        const auto start = Clock::now();
        auto loading = start;
        const bool ok = cat.build(character::kCharacterPathList, character::kAnimationPathList,
                                  [&](std::string_view text) {
                                      if (text.starts_with("Loading")) loading = Clock::now();
                                  });
        const auto end = Clock::now();
        if (!ok) state.SkipWithError("no character folders");
        indexTime += seconds(loading - start);
        loadTime += seconds(end - loading);
        bytes += cat.bytesRead();
        outfits = cat.outfits().size();
        animations = cat.animations().size();
        folders = index.folderCount();
    }
    const double n = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["index_ms"] = indexTime / n * 1e3;
    state.counters["load_ms"] = loadTime / n * 1e3;
    state.counters["outfits"] = static_cast<double>(outfits);
    state.counters["animations"] = static_cast<double>(animations);
    state.counters["folders"] = static_cast<double>(folders);
}
BENCHMARK(BM_IndexAndCatalogue)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

// Build, then every index entry, every mesh and every keyframe file: the whole installation.
void BM_LoadEverything(benchmark::State& state) {
    const std::string dir = installation(static_cast<int>(state.range(0)));
    uint64_t bytes = 0;
    double buildTime = 0, meshTime = 0, keyTime = 0;
    for (auto _ : state) {
        fileindex::FolderIndex index(dir);
        fileindex::FileTypeRegistry types(index);
        character::CharacterCatalogue cat(index, types);
        const auto t0 = Clock::now();
        if (!cat.build(character::kCharacterPathList, character::kAnimationPathList))
            state.SkipWithError("no character folders");
        const auto t1 = Clock::now();
        std::vector<std::string> outfitNames, animationNames;
        for (const auto& [name, e] : cat.outfits())
            outfitNames.push_back(name);
        for (const auto& [name, e] : cat.animations())
            animationNames.push_back(name);
        size_t meshes = 0;
        for (const auto& name : outfitNames)
            if (auto* o = cat.findOutfit(name))
                for (auto& part : o->parts)
                    meshes += cat.meshFor(part, *o) != nullptr;
        const auto t2 = Clock::now();
        size_t keys = 0;
        for (const auto& name : animationNames)
            if (auto* a = cat.findAnimation(name)) keys += cat.loadKeyframes(*a);
        const auto t3 = Clock::now();
        if (meshes != outfitNames.size() || keys != animationNames.size())
            state.SkipWithError("some mesh or keyframe file did not load");
        buildTime += seconds(t1 - t0);
        meshTime += seconds(t2 - t1);
        keyTime += seconds(t3 - t2);
        bytes += cat.bytesRead();
    }
    const double n = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["build_ms"] = buildTime / n * 1e3;
    state.counters["meshes_ms"] = meshTime / n * 1e3;
    state.counters["keyframes_ms"] = keyTime / n * 1e3;
}
BENCHMARK(BM_LoadEverything)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
