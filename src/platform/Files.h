#pragma once
// Whole-file helpers of the host layer.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace marquill::platform {

[[nodiscard]] std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path);
// Writes a temporary file beside `path` and renames it over `path`: readers see the old file or
// the new one, never a half-written one.
[[nodiscard]] bool writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes);
// A hidden name in `folder` that no other running Marquill uses and that no game search for
// "User*.iff" matches: a file is built there and then renamed into place.
[[nodiscard]] std::string scratchPathIn(const std::string& folder, const std::string& stem);
[[nodiscard]] bool fileExists(const std::string& path);
[[nodiscard]] bool isDirectory(const std::string& path);

}  // namespace marquill::platform
