// The game discovery over a home with many Steam prefixes (each system.reg 2 MB, one holding the
// game's record) and 20 bottles: written once under the temporary folder, read from the page
// cache. No cache of ours: every run reads every system.reg once.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "BenchFolders.h"
#include "platform/GameDiscovery.h"

namespace {

namespace fs = std::filesystem;

// About 2 MB of registry a fresh Proton prefix holds, ahead of the record where there is one.
std::string registryText(bool withGame) {
    std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
    for (int i = 0; text.size() < 2 * 1024 * 1024; ++i)
        text += "[Software\\\\Classes\\\\CLSID\\\\{" + std::to_string(100000 + i) +
                "-0000-0000-C000-000000000046}] 1700000000\n#time=1d9a0b3c4d5e6f7\n"
                "@=\"PSFactoryBuffer\"\n\"ThreadingModel\"=\"Both\"\n\n";
    if (withGame)
        text +=
            "[Software\\\\Wow6432Node\\\\Kavor\\\\The Pemms] 1700000000\n"
            "\"PEMMS_DATA\"=\"C:\\\\Games\\\\The Pemms\"\n";
    return text;
}

void writePrefix(const std::string& prefix, const std::string& registry) {
    fs::create_directories(prefix + "/dosdevices");
    fs::create_directories(prefix + "/drive_c");
    fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
    std::ofstream(prefix + "/system.reg", std::ios::binary) << registry;
}

std::string home(int steamPrefixes) {
    return marquill::bench::preparedFolder(
        "discovery-home-" + std::to_string(steamPrefixes),
        [steamPrefixes](const std::string& dir, std::string*) {
            const std::string plain = registryText(false);
            const std::string steam = dir + "/.local/share/Steam/steamapps/compatdata/";
            for (int i = 0; i < steamPrefixes; ++i) {
                const std::string prefix = steam + std::to_string(200000 + i) + "/pfx";
                writePrefix(prefix, i == steamPrefixes / 2 ? registryText(true) : plain);
                if (i == steamPrefixes / 2)
                    fs::create_directories(prefix + "/drive_c/Games/The Pemms/GameData");
            }
            for (int i = 0; i < 20; ++i)
                writePrefix(dir + "/.local/share/bottles/bottles/bottle" + std::to_string(i),
                            plain);
            return true;
        });
}

void BM_DiscoverGames(benchmark::State& state) {
    const int prefixes = int(state.range(0));
    const auto folders = marquill::platform::HomeFolders::under(home(prefixes));
    for (auto _ : state) {
        auto found = marquill::platform::discoverGames(folders, std::nullopt,
                                                       marquill::platform::Search::UntilChosen);
        if (found.usableCount() != 1) state.SkipWithError("the game was not found");
        benchmark::DoNotOptimize(found);
    }
    state.counters["prefixes"] = prefixes + 20;
}
BENCHMARK(BM_DiscoverGames)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
