#pragma once
// Edits a resource file without touching it until the edit is complete: the edit runs on a copy
// under a scratch name beside the file (platform/ScratchFile.h), and the copy replaces the file
// only after it closed cleanly and was synced. A kill at any moment leaves the file as it was
// or the finished new one; on a failure the copy is removed and the file is unchanged.
#include <functional>
#include <string>

#include "platform/FileLayer.h"
#include "resfile/IFFChunkFile.h"

namespace marquill::resfile {

// Changes the open copy; a code other than 0 abandons the edit.
using ResourceEdit = std::function<ResCode(IFFChunkFile& file)>;

// -50 when the file cannot be read or the copy cannot be put in its place, -45 when the file is
// not writable, -46 when the copy cannot be written; otherwise the first failure of opening the
// copy, the edit, or closing the copy.
[[nodiscard]] ResCode EditOnScratchCopy(const std::string& path, const ResourceEdit& edit,
                                        platform::FileLayer& files = platform::diskFiles());

}  // namespace marquill::resfile
