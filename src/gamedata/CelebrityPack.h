#pragma once
// A saved celebrity set packed as a zip for sharing: the files of the set that are present, as
// they lie in TemplateCelebrity, and a short readme.txt for the player who receives it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileLayer.h"

namespace marquill::gamedata {

inline constexpr std::string_view kPackReadmeName = "readme.txt";

struct PackResult {
    std::optional<std::vector<uint8_t>> zip;
    std::vector<std::string> files;  // packed, as spelled in the folder
    std::string problem;             // why there is no zip
};

// The set `name` (matched without regard to case) of `folder`, TemplateCelebrity.
[[nodiscard]] PackResult packCelebrity(const std::string& folder, const std::string& name,
                                       platform::FileLayer& files = platform::diskFiles());

}  // namespace marquill::gamedata
