// Resource files at scale: opening 20,000 resources through the map and by walking the chain,
// lookups by id and by name, and a write-heavy session that ends in compaction.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "resfile/IFFResFile2.h"

using namespace marquill::resfile;

namespace {

constexpr int kResources = 20000;
const ResType kTypes[] = {MakeResType("STR#"), MakeResType("OBJD"), MakeResType("BHAV"),
                          MakeResType("TTAB")};

std::string BenchDir() {
    static const std::string dir = [] {
        auto path = std::filesystem::temp_directory_path() / "marquill-bench-resfile";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return dir;
}

std::string NameOf(int i) {
    return "resource number " + std::to_string(i);
}

// 20,000 resources of 16 to 80 bytes in four types, closed with a map; and a copy whose header
// names no map, so it is read by walking the chain.
struct LargeFiles {
    std::string withMap = BenchDir() + "/large-map.iff";
    std::string withoutMap = BenchDir() + "/large-chain.iff";

    LargeFiles() {
        IFFResFile2 file;
        (void)file.Create(withMap);
        (void)file.Open(withMap, Access::ReadWrite);
        for (int i = 0; i < kResources; ++i) {
            MemoryBlock* block = NewBlock(16 + static_cast<size_t>(i % 65));
            (void)file.AddResource(block, kTypes[i % 4], static_cast<int16_t>(i / 4), NameOf(i),
                                   DataOrder::Native);
            (void)file.WriteResource(block);
        }
        (void)file.Close();
        std::filesystem::copy_file(withMap, withoutMap,
                                   std::filesystem::copy_options::overwrite_existing);
        // Header bytes 60-63 are the map offset: zero means "walk the chain".
        std::fstream copy(withoutMap, std::ios::in | std::ios::out | std::ios::binary);
        copy.seekp(60);
        copy.write("\0\0\0\0", 4);
    }
};

const LargeFiles& Files() {
    static const LargeFiles files;
    return files;
}

void BM_OpenWithMap(benchmark::State& state) {
    const auto& files = Files();
    for (auto _ : state) {
        IFFResFile2 file;
        if (file.Open(files.withMap, Access::ReadOnly) != kResOk || file.MapOffset() == 0)
            state.SkipWithError("no map");
        benchmark::DoNotOptimize(file.CountResources(kTypes[0]));
        state.counters["reads"] = static_cast<double>(file.ReadCount());
    }
    state.SetItemsProcessed(state.iterations() * kResources);
}
BENCHMARK(BM_OpenWithMap)->Unit(benchmark::kMillisecond);

void BM_OpenWalkingTheChain(benchmark::State& state) {
    const auto& files = Files();
    for (auto _ : state) {
        IFFResFile2 file;
        if (file.Open(files.withoutMap, Access::ReadOnly) != kResOk || file.MapOffset() != 0)
            state.SkipWithError("has a map");
        benchmark::DoNotOptimize(file.CountResources(kTypes[0]));
        state.counters["reads"] = static_cast<double>(file.ReadCount());
    }
    state.SetItemsProcessed(state.iterations() * kResources);
}
BENCHMARK(BM_OpenWalkingTheChain)->Unit(benchmark::kMillisecond);

// The same walk with every chunk header read by its own system call.
void BM_OpenWalkingTheChainUnbuffered(benchmark::State& state) {
    const auto& files = Files();
    for (auto _ : state) {
        IFFResFile2 file;
        file.SetBufferSizes(0, 0);
        if (file.Open(files.withoutMap, Access::ReadOnly) != kResOk || file.MapOffset() != 0)
            state.SkipWithError("has a map");
        benchmark::DoNotOptimize(file.CountResources(kTypes[0]));
    }
    state.SetItemsProcessed(state.iterations() * kResources);
}
BENCHMARK(BM_OpenWalkingTheChainUnbuffered)->Unit(benchmark::kMillisecond);

void BM_LookupById(benchmark::State& state) {
    IFFResFile2 file;
    (void)file.Open(Files().withMap, Access::ReadOnly);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            file.GetResource(kTypes[i % 4], static_cast<int16_t>((i / 4) % 5000)));
        i = (i + 7919) % kResources;
    }
}
BENCHMARK(BM_LookupById);

void BM_LookupByName(benchmark::State& state) {
    IFFResFile2 file;
    (void)file.Open(Files().withMap, Access::ReadOnly);
    std::vector<std::string> names;
    for (int i = 0; i < kResources; i += 97)
        names.push_back(NameOf(i));
    size_t n = 0;
    for (auto _ : state) {
        const size_t index = n % names.size();
        benchmark::DoNotOptimize(file.GetNamedResource(kTypes[(index * 97) % 4], names[index]));
        ++n;
    }
}
BENCHMARK(BM_LookupByName);

// 2,000 resources; each session rewrites 600 with other sizes, removes 300, adds 300 and
// closes, which compacts the file and writes a new map.
void BM_WriteHeavySessionWithCompaction(benchmark::State& state) {
    const std::string base = BenchDir() + "/write-base.iff";
    const std::string work = BenchDir() + "/write-work.iff";
    {
        IFFResFile2 file;
        std::filesystem::remove(base);
        (void)file.Create(base);
        (void)file.Open(base, Access::ReadWrite);
        for (int i = 0; i < 2000; ++i) {
            MemoryBlock* block = NewBlock(100 + static_cast<size_t>(i % 400));
            (void)file.AddResource(block, kTypes[0], static_cast<int16_t>(i), "",
                                   DataOrder::Native);
            (void)file.WriteResource(block);
        }
        (void)file.Close();
    }
    size_t compactedSize = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(base, work, std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        IFFResFile2 file;
        (void)file.Open(work, Access::ReadWrite);
        for (int i = 0; i < 600; ++i) {
            MemoryBlock* block = NewBlock(50 + static_cast<size_t>((i * 37) % 700));
            (void)file.AddResource(block, kTypes[0], static_cast<int16_t>(i * 3), "",
                                   DataOrder::Native);
            (void)file.WriteResource(block);
        }
        for (int i = 0; i < 300; ++i)
            (void)file.RemoveResource(file.GetResource(kTypes[0], static_cast<int16_t>(i * 3 + 1)));
        for (int i = 0; i < 300; ++i) {
            MemoryBlock* block = NewBlock(200);
            (void)file.AddResource(block, kTypes[1], static_cast<int16_t>(i), "",
                                   DataOrder::Native);
            (void)file.WriteResource(block);
        }
        if (file.Close() != kResOk) state.SkipWithError("close failed");
        compactedSize = std::filesystem::file_size(work);
    }
    state.counters["file_bytes"] = static_cast<double>(compactedSize);
}
BENCHMARK(BM_WriteHeavySessionWithCompaction)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
