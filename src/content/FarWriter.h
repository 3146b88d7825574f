#pragma once
// FAR archives: header, the entries' data, then the table of contents (layout in
// fileindex/FarTable.h).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ByteSink.h"

namespace marquill::content {

struct FarFile {
    std::string name;  // may hold "\"-separated sub-folders
    std::vector<uint8_t> data;
};

[[nodiscard]] bool writeFar(const std::vector<FarFile>& files, platform::ByteSink& out);

}  // namespace marquill::content
