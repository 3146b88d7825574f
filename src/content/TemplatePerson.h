#pragma once
// The template person file (QT_Template.iff) every new celebrity's person file is copied from.
#include <string>

#include "content/PersonFileWriter.h"

namespace marquill::content {

inline constexpr const char* kTemplateFileName = "QT_Template.iff";

[[nodiscard]] PersonContents templatePersonSpec();
[[nodiscard]] bool writeTemplatePersonFile(const std::string& path, std::string* error);

}  // namespace marquill::content
