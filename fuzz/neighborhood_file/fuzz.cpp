// A neighbourhood file as the celebrity search reads it: its families and their members.
#include <unistd.h>

#include <cstdint>
#include <string>

#include "gamedata/CelebritySearch.h"
#include "platform/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marquill;
    static const std::string path = "/tmp/marquill-fuzz-hood-" + std::to_string(::getpid()) + ".iff";
    if (!platform::writeFileAtomically(path, std::span(data, size))) return 0;
    (void)gamedata::readCelebrityGuids(path);
    return 0;
}
