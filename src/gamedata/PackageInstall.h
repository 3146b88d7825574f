#pragma once
// Installing downloaded celebrity sets into TemplateCelebrity, the only folder written.
//
// Every input is read whole first (an archive, or a loose .iff, .srf or .jpg; loose files of one
// installation group together), every set checked, and a free name chosen for each: a set whose
// files are byte-identical to an installed set of its name, or of one of its "B (n)" names, is
// already there; any other set whose name is taken goes under the first free "B (2)",
// "B (3)", ... Then all files are written under scratch names, made durable with one wait,
// given their names (the person file last, so a killed run never leaves a set the import can
// offer half-written) and the folder made durable with one more. A set is complete or absent.
#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/CelebrityPackage.h"
#include "platform/FileLayer.h"

namespace marquill::gamedata {

struct AddInput {
    std::string label;  // the name the player gave
    std::vector<uint8_t> bytes;
};

struct AddReport {
    std::vector<AddLine> lines;
    bool readError = false;  // an input could not be read, or a file could not be written
    int syncs = 0;           // waits for the disk
    [[nodiscard]] bool anyRefused() const;
};

// "Star: installed as \"Star (2)\" (the name was taken)": one line for the player.
[[nodiscard]] std::string addLineText(const AddLine& line);

// Reads a file given to install; a line saying why when it cannot be taken.
struct ReadInput {
    std::optional<AddInput> input;
    std::optional<AddLine> failure;
    bool readError = false;
};
[[nodiscard]] ReadInput readAddInput(const std::string& path,
                                     platform::FileLayer& files = platform::diskFiles());

// `folder` is TemplateCelebrity (without a trailing "/"), made when missing.
[[nodiscard]] AddReport installCelebrities(const std::vector<AddInput>& inputs,
                                           const std::string& folder,
                                           platform::FileLayer& files = platform::diskFiles(),
                                           const image::JpegDecoder* decoder = nullptr);

}  // namespace marquill::gamedata
