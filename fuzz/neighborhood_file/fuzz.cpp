// A neighbourhood file as the celebrity search reads it: its families and their members.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gamedata/CelebritySearch.h"
#include "platform/ByteSink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marquill;
    static const std::string path = [] {
        std::atexit([] {
            std::remove(("/tmp/marquill-fuzz-hood-" + std::to_string(::getpid()) + ".iff").c_str());
        });
        return "/tmp/marquill-fuzz-hood-" + std::to_string(::getpid()) + ".iff";
    }();
    {
        platform::FileSink sink(path);
        sink.write(data, size);
        if (!sink.close()) return 0;
    }
    (void)gamedata::readCelebrityGuids(path);
    return 0;
}
