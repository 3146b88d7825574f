#pragma once
// Opens a resource file of whichever version its header is: 2.0/2.5, else 1.0.
#include <memory>
#include <string>

#include "resfile/IFFChunkFile.h"

namespace marquill::resfile {

// The open file, or none with the code of the last attempt in `code`.
[[nodiscard]] std::unique_ptr<IFFChunkFile> OpenIFFFile(
    const std::string& path, Access access, ResCode& code,
    platform::FileLayer& files = platform::diskFiles());

}  // namespace marquill::resfile
