#pragma once
// Makes a finished file durable before it is renamed over one the player cares about.
#include <string>

namespace marquill::platform {

[[nodiscard]] bool syncFile(const std::string& path);

}  // namespace marquill::platform
