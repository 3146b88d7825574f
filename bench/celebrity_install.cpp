// Installing a downloaded archive of 200 celebrity sets (about 40 MB: each set a person file, an
// exchange file and two snapshots of about 100 KB) into an empty TemplateCelebrity, beside
// unpacking the same archive with bsdtar in the same run. The install reports how many times it
// waited for the disk.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "content/PersonFileWriter.h"
#include "gamedata/CelebrityPack.h"
#include "gamedata/PackageInstall.h"
#include "platform/Files.h"

namespace {

using namespace marquill;

std::vector<uint8_t> snapshot(std::mt19937& random) {
    // Start, a 256 x 256 three-component frame, the scan header; then scan bytes and the end.
    std::vector<uint8_t> j = {0xFF, 0xD8, 0xFF, 0xC0, 0,    17,   8, 1,    0, 1,    0,    3,
                              1,    0x11, 0,    2,    0x11, 0,    3, 0x11, 0, 0xFF, 0xDA, 0,
                              12,   3,    1,    0,    2,    0x11, 3, 0x11, 0, 0x3F, 0};
    j.reserve(j.size() + 100 * 1024 + 2);
    for (int i = 0; i < 100 * 1024; ++i)
        j.push_back(static_cast<uint8_t>(random() % 255));  // never a marker
    j.push_back(0xFF);
    j.push_back(0xD9);
    return j;
}

// The archive, packed set by set as `pack` packs one, joined into one zip of 200 sets.
const std::string& benchArchive() {
    static const std::string path = [] {
        const std::string dir = "/tmp/marquill-bench-install-" + std::to_string(::getpid());
        const std::string saved = dir + "/saved";
        std::filesystem::create_directories(saved);
        std::mt19937 random(7);
        std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
        for (int i = 1; i <= 200; ++i) {
            const std::string name = "Celebrity " + std::to_string(i);
            content::PersonContents person;
            person.guid = 0x20000u + static_cast<uint32_t>(i);
            person.objectName = name;
            person.namesByLanguage = {{name, "A celebrity."}};
            person.constants.assign(27, 100);
            std::string error;
            if (!content::writePersonFile(saved + "/" + name + ".iff", person, &error))
                std::fprintf(stderr, "%s\n", error.c_str());
            const std::string srf = "[Marquill]\r\nName=" + name + "\r\nVersion=4\r\n";
            (void)platform::writeFileAtomically(saved + "/" + name + ".srf",
                                                std::vector<uint8_t>(srf.begin(), srf.end()));
            (void)platform::writeFileAtomically(saved + "/" + name + "head.jpg", snapshot(random));
            (void)platform::writeFileAtomically(saved + "/" + name + "body.jpg", snapshot(random));
        }
        const std::string zip = dir + "/celebrities.zip";
        // bsdtar writes the zip; the install reads it as it reads any player's download.
        const std::string command = "cd '" + saved + "' && bsdtar -a -cf '" + zip + "' .";
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "bsdtar failed\n");
        std::atexit([] {
            std::filesystem::remove_all("/tmp/marquill-bench-install-" +
                                        std::to_string(::getpid()));
        });
        return zip;
    }();
    return path;
}

void BM_Install200Sets(benchmark::State& state) {
    const std::string folder = std::filesystem::path(benchArchive()).parent_path() / "install";
    int syncs = 0;
    uint64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        state.ResumeTiming();
        auto read = gamedata::readAddInput(benchArchive());
        auto report = gamedata::installCelebrities({*read.input}, folder);
        syncs = report.syncs;
        bytes = read.input->bytes.size();
        if (report.anyRefused() || report.readError) state.SkipWithError("not installed");
    }
    state.counters["syncs"] = syncs;
    state.counters["archive_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_BsdtarExtract(benchmark::State& state) {
    const std::string folder = std::filesystem::path(benchArchive()).parent_path() / "bsdtar";
    const std::string command = "bsdtar -xf '" + benchArchive() + "' -C '" + folder + "'";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) state.SkipWithError("bsdtar failed");
    }
}

BENCHMARK(BM_Install200Sets)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_BsdtarExtract)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
