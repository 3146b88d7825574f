#pragma once
// Folder listings with what the folder index needs of each entry, and whole-file operations;
// the game's case-insensitive spelling of paths is GamePath.h's.
#include <optional>
#include <string>
#include <vector>

namespace marquill::platform {

struct DirectoryEntry {
    std::string name;  // as spelled on disk
    bool isFolder = false;
    bool readOnly = false;
    bool isLink = false;  // a symbolic link to what the other fields describe
};

// The entries of a folder other than "." and ".." (a link that leads nowhere is left out), sorted
// by name; none when it cannot be listed.
[[nodiscard]] std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path);

// Creates (or truncates) an empty file.
[[nodiscard]] bool createEmptyFile(const std::string& path);
// Copies a file; fails when `to` exists already.
[[nodiscard]] bool copyFileNoReplace(const std::string& from, const std::string& to);

// The process's current folder, which relative paths are taken in.
[[nodiscard]] bool changeCurrentFolder(const std::string& path);
// One new folder (its parent must exist); false when it exists already or cannot be made.
[[nodiscard]] bool createFolder(const std::string& path);

}  // namespace marquill::platform
