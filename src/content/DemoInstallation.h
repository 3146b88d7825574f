#pragma once
// `marquill demo-game DIR`: a small but complete game installation made by our own writers, for
// trying the tool and for tests and benchmarks.
#include <string>

namespace marquill::content {

struct DemoOptions {
    int scale = 1;  // multiplies outfits, textures and animations, for benchmarks
};

[[nodiscard]] bool writeDemoInstallation(const std::string& dir, const DemoOptions& options,
                                         std::string* error);

}  // namespace marquill::content
