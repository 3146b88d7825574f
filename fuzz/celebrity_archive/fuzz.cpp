// A downloaded archive through the whole installing path: reading, grouping, checking each file,
// choosing names and writing into TemplateCelebrity, all in memory. A second pass over the same
// files meets every name taken.
#include <cstdint>
#include <vector>

#include "gamedata/PackageInstall.h"
#include "platform/MemoryFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marquill;
    platform::MemoryFiles files;
    const std::vector<gamedata::AddInput> inputs = {
        {"download.zip", std::vector<uint8_t>(data, data + size)}};
    const std::string folder = "/game/TemplateCelebrity";
    (void)gamedata::installCelebrities(inputs, folder, files);
    (void)gamedata::installCelebrities(inputs, folder, files);
    return 0;
}
