#pragma once
// The character side of the demo installation: the "adult" skeleton, heads, bodies, hands and
// their textures for both genders and three skin tones, the greeting and the idle animations,
// spread over the places a real installation uses (loose text files, binary files with an
// index, and an archive in an expansion folder).
#include <string>

#include "content/DemoInstallation.h"

namespace marquill::content {

[[nodiscard]] bool writeDemoCharacters(const std::string& dir, const DemoOptions& options,
                                       std::string* error);

}  // namespace marquill::content
