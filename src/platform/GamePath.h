#pragma once
// Game folders copied from Windows mix the case of their names ("UserData2/characters",
// "GAMEDATA/Skins"), and the game itself names them without regard to case. Every game path goes
// through here: parts are joined with "/", "\" counts as a separator, and each component that
// exists on disk under another spelling takes that spelling. Components that do not exist yet keep
// the spelling given, so a path to a file about to be created resolves too.
#include <string>
#include <string_view>
#include <vector>

namespace marquill::platform {

// `base` is used as it stands (it is a real folder path); `relative` may use "\" or "/".
[[nodiscard]] std::string resolveGamePath(std::string_view base, std::string_view relative);

// The path with its last component in the spelling found on disk (the folder is taken as given):
// the game's platform would open or overwrite that file for this name.
[[nodiscard]] std::string resolveFileName(const std::string& path);

// Names in `dir` (files only) that match a Windows-style pattern ("User*.iff", "*.iff") ignoring
// case, sorted by name ignoring case, which is the order the game's platform lists them in.
[[nodiscard]] std::vector<std::string> findFiles(const std::string& dir, std::string_view pattern);

[[nodiscard]] bool wildcardMatchIgnoringCase(std::string_view pattern, std::string_view name);

}  // namespace marquill::platform
