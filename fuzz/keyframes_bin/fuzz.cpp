// Keyframe data (".bin"): the first four bytes give the translation and rotation counts as
// the animation would, the rest is the file.
#include <cstddef>
#include <cstdint>

#include "character/KeyframeReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const int32_t translations = data[0] | data[1] << 8;
    const int32_t rotations = data[2] | data[3] << 8;
    marquill::character::Keyframes keys;
    if (marquill::character::decodeBin({data + 4, size - 4}, translations, rotations, keys)) {
        if (keys.translations.size() != size_t(translations) * 3 ||
            keys.rotations.size() != size_t(rotations) * 4)
            __builtin_trap();
    }
    return 0;
}
