// Character files in binary form: reading must stop cleanly at any malformed field.
#include <cstddef>
#include <cstdint>

#include "character/CharacterFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    marquill::character::BoneNameTable names;
    auto file = marquill::character::readCharacterFile(
        {data, size}, marquill::character::FileFormat::Binary, names);
    for (const auto& s : file.skeletons)
        for (const auto& b : s.bones)
            if (b.parent >= static_cast<int>(s.bones.size())) __builtin_trap();
    return 0;
}
