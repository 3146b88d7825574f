#pragma once
// Index keys: paths with A-Z lowered and "/" turned into "\", split at the last "\" into a folder
// key (with its trailing "\") and a file name. Comparing keys exactly then ignores letter case.
#include <string>
#include <string_view>

namespace marquill::fileindex {

[[nodiscard]] std::string normalisePath(std::string_view path);

struct SplitKey {
    std::string folder;  // up to and including the last "\"; empty when there is none
    std::string name;
};
[[nodiscard]] SplitKey splitKey(std::string_view normalised);

// A folder path as a folder key: normalised, ending in "\" unless empty.
[[nodiscard]] std::string folderKey(std::string_view folderPath);

// Joins a folder and a name given in the game's "\" spelling into a "/"-separated relative path.
[[nodiscard]] std::string toHostPath(std::string_view gamePath);

[[nodiscard]] bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);
[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace marquill::fileindex
