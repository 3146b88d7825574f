// The table of contents of FAR archives, and reads of every entry it lets through.
#include <cstddef>
#include <cstdint>

#include "fileindex/FarTable.h"
#include "fileindex/PathKey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto table = marquill::fileindex::readFarTable({data, size});
    unsigned sum = 0;
    for (const auto& e : table.entries) {
        // The index reads entries straight from the mapped archive.
        for (uint32_t i = 0; i < e.size; i += 97)
            sum += data[e.offset + i];
        auto parts = marquill::fileindex::splitKey(marquill::fileindex::normalisePath(e.name));
        sum += static_cast<unsigned>(parts.folder.size());
    }
    return sum == 0xFFFFFFFFu ? 1 : 0;
}
