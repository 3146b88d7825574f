#pragma once
// Where the tool's own data files (the template person file, the players' readme) are found: the
// current folder at launch when it holds the file, else the folder of the executable, else the
// installed data folder (<prefix>/share/marquill).
#include <string>

namespace marquill::platform {

[[nodiscard]] std::string executableFolder();
// The first existing candidate, else the name in the current folder.
[[nodiscard]] std::string findToolDataFile(const std::string& name);

}  // namespace marquill::platform
