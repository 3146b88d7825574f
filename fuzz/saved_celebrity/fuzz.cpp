// A saved celebrity's person file opened again, as Marquill saved it or as another tool left it:
// the record, the appearance and the repairs read from it, and its resources against a template.
#include <cstdint>
#include <string>
#include <vector>

#include "celeb/SavedCelebrity.h"
#include "platform/MemoryFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marquill;
    platform::MemoryFiles files;
    const std::string input = "/fuzz/B.iff";
    files.put(input, std::vector<uint8_t>(data, data + size));
    // Through the exchange file's name, with the input standing in for the template as well.
    (void)celeb::readSavedCelebrity("/fuzz/B.srf", input, files);
    return 0;
}
