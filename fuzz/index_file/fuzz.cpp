// Index files (".ndx").
#include <cstddef>
#include <cstdint>

#include "character/IndexFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto index = marquill::character::readIndexFile({data, size});
    for (const auto* section : {&index.skeletons, &index.outfits, &index.animations})
        for (const auto& [name, stem] : *section)
            if (name.size() > marquill::character::kIndexStringLimit) __builtin_trap();
    return 0;
}
