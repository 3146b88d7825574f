// The celebrity search over a neighbourhood of 2,000 person files (500 of them celebrities, the
// last one in the last file, so every file is read), and the making of one celebrity file from
// the template.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "content/NeighborhoodWriter.h"
#include "content/PersonFileWriter.h"
#include "content/TemplatePerson.h"
#include "gamedata/CelebritySearch.h"
#include "gamedata/NewCelebrityFile.h"

namespace {

using namespace marquill;

const std::string& benchGame() {
    static const std::string game = [] {
        std::string dir = "/tmp/marquill-bench-" + std::to_string(::getpid());
        std::filesystem::create_directories(dir + "/UserData/Characters");
        std::filesystem::create_directories(dir + "/TemplateCelebrity");
        content::FamilySpec celebrities{5000, "Celebrities", {}};
        for (int i = 1; i <= 2000; ++i) {
            content::PersonContents person;
            person.guid = 0x10000u + static_cast<uint32_t>(i);
            person.objectName = "user";
            person.namesByLanguage = {{"Person " + std::to_string(i), "A person."}};
            person.catalogName = i % 2 == 0;
            person.bodyStrings =
                content::personBodyStrings(i % 2, i % 3, i % 3, "c011ma_repo", "C011mamed_rotc",
                                           "b003mafit_01", "B003MAFitmed_bmoc");
            person.constants.assign(27, 100);
            person.pictures = 1;
            char name[32];
            std::snprintf(name, sizeof name, "/User%05d.iff", i);
            std::string error;
            if (!content::writePersonFile(dir + "/UserData/Characters" + name, person, &error))
                std::fprintf(stderr, "%s\n", error.c_str());
            if (i % 4 == 0) celebrities.members.push_back(person.guid);
        }
        std::string error;
        if (!content::writeNeighborhoodFile(dir + "/UserData/Neighborhood.iff", {celebrities},
                                            &error) ||
            !content::writeTemplatePersonFile(dir + "/QT_Template.iff", &error))
            std::fprintf(stderr, "%s\n", error.c_str());
        std::atexit([] {
            std::filesystem::remove_all("/tmp/marquill-bench-" + std::to_string(::getpid()));
        });
        return dir;
    }();
    return game;
}

void BM_CelebritySearch2000Persons(benchmark::State& state) {
    gamedata::GamePaths paths(benchGame());
    for (auto _ : state) {
        auto result = gamedata::searchCelebrities(paths, 1);
        if (result.entries.size() != 500) state.SkipWithError("expected 500 celebrities");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CelebritySearch2000Persons)->Unit(benchmark::kMillisecond);

void BM_MakeNewCelebrityFile(benchmark::State& state) {
    const std::string game = benchGame();
    gamedata::CelebrityValues values;
    values.name = "Bench Star";
    values.description = "Made over and over.";
    values.interestScores.fill(5);
    gamedata::SilentReporter reporter;
    for (auto _ : state) {
        auto result = gamedata::makeNewCelebrityFile(game + "/TemplateCelebrity/bench",
                                                     game + "/QT_Template.iff", values, reporter);
        if (result.code != 0) state.SkipWithError("creation failed");
    }
}
BENCHMARK(BM_MakeNewCelebrityFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
