#pragma once
// A new celebrity's game person file: a copy of the template person file, given the celebrity's
// name and description (every language), personality, interests and fame, and its body strings;
// the template's pictures are removed.
#include <array>
#include <string>

#include "character/Appearance.h"
#include "gamedata/Reporter.h"
#include "platform/FileLayer.h"
#include "platform/ScratchFile.h"

namespace marquill::gamedata {

struct CelebrityValues {
    std::string name;                      // UTF-8
    std::string description;               // UTF-8, line breaks kept
    std::array<int, 5> traits{};           // Neat, Active, Playful, Outgoing, Nice
    std::array<int, 15> interestScores{};  // by interest id: 10, 5 or 1
    int fameLevel = 0;
    character::Appearance appearance;
};

struct NewCelebrityFileResult {
    int code = 0;  // 0, or the first resource-file failure
    std::string path;
    bool traitsWritten = false;
    bool bodyStringsWritten = false;
};

// `basePath` is the exchange-file path without ".srf"; the file is basePath + ".iff". All four
// passes work on a scratch file, which replaces an older file of that name only when finished.
[[nodiscard]] NewCelebrityFileResult makeNewCelebrityFile(
    const std::string& basePath, const std::string& templatePath, const CelebrityValues& values,
    Reporter& reporter, platform::FileLayer& files = platform::diskFiles());

// The same four passes into `work`, left uncommitted for a caller that puts several files into
// place together; `files` is the layer `work` was made on. The result's path is the target's.
[[nodiscard]] NewCelebrityFileResult writeNewCelebrityFile(platform::ScratchFile& work,
                                                           const std::string& templatePath,
                                                           const CelebrityValues& values,
                                                           Reporter& reporter,
                                                           platform::FileLayer& files);

}  // namespace marquill::gamedata
