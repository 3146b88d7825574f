// Seeds: random sessions from a fixed seed, so that `make test` runs the same random mix of
// edits and cut-off points every time.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/ByteSink.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    std::mt19937 random(20251209);
    for (int i = 0; i < 1000; ++i) {
        std::vector<uint8_t> bytes(3 + 4 * (1 + random() % 12));
        for (auto& b : bytes)
            b = static_cast<uint8_t>(random());
        marquill::platform::FileSink sink(dir + "/session-" + std::to_string(i));
        sink.write(bytes.data(), bytes.size());
        if (!sink.close()) return 1;
    }
    return 0;
}
