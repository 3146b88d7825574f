#pragma once
// Where the tool's own data files (the template person file, the players' readme) are found: the
// current folder at launch when it holds the template, else the folder of the executable (a
// build tree), else the installed data folder (<prefix>/share/marquill).
#include <string>

namespace marquill::platform {

inline constexpr const char* kTemplateFileName = "QT_Template.iff";
inline constexpr const char* kReadmeFileName = "readme.txt";

[[nodiscard]] std::string executableFolder();
[[nodiscard]] std::string currentFolder();
// The first of the folders above that holds `name`; the current folder when none does.
[[nodiscard]] std::string toolDataFolderFor(const std::string& name);
// The tool's start-up folder: toolDataFolderFor(kTemplateFileName).
[[nodiscard]] std::string toolStartupFolder();
// toolDataFolderFor(name) + "/" + name.
[[nodiscard]] std::string findToolDataFile(const std::string& name);

}  // namespace marquill::platform
