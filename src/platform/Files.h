#pragma once
// Whole-file helpers of the host layer.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/FileLayer.h"

namespace marquill::platform {

// Any readable file of the host (also a pipe or a device).
[[nodiscard]] std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path);
// A regular file of `files`.
[[nodiscard]] std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path,
                                                                FileLayer& files);
// Builds the file under a scratch name beside `path` and renames it over `path`: readers see the
// old file or the new one, never a half-written one (ScratchFile.h).
[[nodiscard]] bool writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                                       FileLayer& files = diskFiles());
[[nodiscard]] bool fileExists(const std::string& path);
[[nodiscard]] bool isDirectory(const std::string& path);

// "/a/b/c.iff" -> "/a/b" and "c.iff"; a name without a folder lies in ".".
[[nodiscard]] std::string parentFolder(const std::string& path);
[[nodiscard]] std::string fileNameOf(const std::string& path);

}  // namespace marquill::platform
