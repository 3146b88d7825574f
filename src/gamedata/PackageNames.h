#pragma once
// The file names a celebrity set may be installed under: names Windows and the game can hold,
// so that the game, running under Wine or copied back to Windows, finds every file.
#include <cstddef>
#include <string>
#include <string_view>

namespace marquill::gamedata {

inline constexpr size_t kMaxWindowsPath = 259;

// Why the game could not hold a file of this name (UTF-8); empty when it can.
[[nodiscard]] std::string windowsNameProblem(std::string_view name);

}  // namespace marquill::gamedata
