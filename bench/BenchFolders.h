#pragma once
// Game folders the benchmarks read, written once under the temporary folder and reused by later
// runs (a marker file tells a complete folder from one a crash left half-written).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "content/DemoInstallation.h"

namespace marquill::bench {

using FolderWriter = std::function<bool(const std::string& dir, std::string* error)>;

inline std::string preparedFolder(const std::string& name, const FolderWriter& write) {
    const auto dir = std::filesystem::temp_directory_path() / "marquill-bench" / name;
    const auto marker = dir / "complete";
    if (!std::filesystem::exists(marker)) {
        std::filesystem::remove_all(dir);
        std::fprintf(stderr, "writing %s\n", dir.string().c_str());
        std::string error;
        if (!write(dir.string(), &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
        std::ofstream(marker) << "ok\n";
    }
    return dir.string();
}

// A whole demo installation, as `marquill demo-game DIR --scale N` writes it.
inline std::string demoInstallation(int scale) {
    return preparedFolder("game-scale" + std::to_string(scale),
                          [scale](const std::string& dir, std::string* error) {
                              content::DemoOptions options;
                              options.scale = scale;
                              return content::writeDemoInstallation(dir, options, error);
                          });
}

}  // namespace marquill::bench
