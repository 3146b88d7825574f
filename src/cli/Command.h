#pragma once
// The subcommands of `marquill`. Each takes the words after its name and returns the exit status.
#include <string>
#include <vector>

namespace marquill::cli {

enum Exit : int {
    kExitDone = 0,
    kExitRefused = 1,  // the refusal text, as the wizard words it, on standard error
    kExitUsage = 2,
    kExitFileError = 3,  // the result code on standard error
};

using Words = std::vector<std::string>;

struct Command {
    const char* name;
    const char* synopsis;  // the words after the name
    const char* summary;
    int (*run)(const Words& words);
};

int runDemoGame(const Words& words);
int runCatalog(const Words& words);
int runNeighborhoods(const Words& words);
int runCelebrities(const Words& words);
int runTemplates(const Words& words);
int runImport(const Words& words);
int runRestore(const Words& words);
int runCreate(const Words& words);
int runRender(const Words& words);
int runIff(const Words& words);
int runStrings(const Words& words);
int runSkins(const Words& words);
int runAdd(const Words& words);
int runPack(const Words& words);
int runGames(const Words& words);
int runShow(const Words& words);

// Prints "marquill: <message>" to standard error and returns `code`.
int fail(int code, const std::string& message);

}  // namespace marquill::cli
