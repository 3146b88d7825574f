#pragma once
// The game-data side of the demo installation: three neighbourhoods (UserData, UserData2,
// UserData5) with their families and person files, some of them celebrities, one neighbourhood
// without any; and TemplateCelebrity with two ready celebrity files and the generic one.
#include <string>

#include "content/DemoInstallation.h"

namespace marquill::content {

[[nodiscard]] bool writeDemoGameData(const std::string& dir, const DemoOptions& options,
                                     std::string* error);

}  // namespace marquill::content
