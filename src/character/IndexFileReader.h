#pragma once
// Index files (".ndx", binary): three sections, skeletons, outfits, animations; each an int32
// count and per entry a name string and the stem of the binary character file that holds it.
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace marquill::character {

struct IndexFile {
    using Entries = std::vector<std::pair<std::string, std::string>>;  // name, file stem
    Entries skeletons;
    Entries outfits;
    Entries animations;
    bool complete = false;
};

inline constexpr size_t kIndexStringLimit = 1023;

[[nodiscard]] IndexFile readIndexFile(std::span<const uint8_t> bytes);

}  // namespace marquill::character
