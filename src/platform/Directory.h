#pragma once
// Folder listings and whole-file operations of the host layer, with the game's case-insensitive
// path spelling mapped onto a case-sensitive file system.
#include <optional>
#include <string>
#include <vector>

namespace marquill::platform {

struct DirectoryEntry {
    std::string name;  // as spelled on disk
    bool isFolder = false;
    bool readOnly = false;
};

// The entries of a folder other than "." and "..", sorted by name; none when it cannot be listed.
[[nodiscard]] std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path);

// The existing on-disk spelling of `path` ("/"-separated), each component matched ignoring
// letter case when the exact spelling is missing; none when some component does not exist.
[[nodiscard]] std::optional<std::string> resolvePathIgnoringCase(const std::string& path);

// Creates (or truncates) an empty file.
[[nodiscard]] bool createEmptyFile(const std::string& path);
// Copies a file; fails when `to` exists already.
[[nodiscard]] bool copyFileNoReplace(const std::string& from, const std::string& to);
[[nodiscard]] bool deleteFile(const std::string& path);
[[nodiscard]] bool isReadOnlyFile(const std::string& path);

}  // namespace marquill::platform
