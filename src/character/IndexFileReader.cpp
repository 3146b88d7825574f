#include "character/IndexFileReader.h"

#include "character/FieldSource.h"

namespace marquill::character {

IndexFile readIndexFile(std::span<const uint8_t> bytes) {
    IndexFile out;
    BinaryFieldSource in(bytes);
    for (IndexFile::Entries* section : {&out.skeletons, &out.outfits, &out.animations}) {
        auto count = in.integer();
        if (!count || *count < 0) return out;
        for (int32_t i = 0; i < *count; ++i) {
            auto name = in.text(kIndexStringLimit);
            auto stem = name ? in.text(kIndexStringLimit) : std::nullopt;
            if (!stem) return out;
            section->emplace_back(std::move(*name), std::move(*stem));
        }
    }
    out.complete = true;
    return out;
}

}  // namespace marquill::character
