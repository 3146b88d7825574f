#pragma once
// Choosing an entry in either import list reads that person file: its display name and, from its
// body strings (STR# 200), the appearance to show in the preview.
#include <optional>
#include <string>
#include <vector>

#include "character/Appearance.h"
#include "platform/FileLayer.h"

namespace marquill::gamedata {

struct ChosenPerson {
    std::string path;
    bool opened = false;
    std::string displayName;                          // UTF-8
    std::optional<character::Appearance> appearance;  // none without STR# 200
};

[[nodiscard]] ChosenPerson readChosenPerson(const std::string& path,
                                            platform::FileLayer& files = platform::diskFiles());

// Body strings, 1-based (strings[0] is string 1). Starts from the look pages' defaults; the names
// are as stored, for the look lists to find (a list selects its first entry for a name it lacks).
[[nodiscard]] character::Appearance appearanceFromBodyStrings(
    const std::vector<std::string>& strings);

}  // namespace marquill::gamedata
