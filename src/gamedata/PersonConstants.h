#pragma once
// A person file's constants (BCON 4096): the traits, interest values and fame level the game
// gives the person, read and written in the file's own byte order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "resfile/iResFile.h"

namespace marquill::gamedata {

// Where the values live in BCON 4096: by trait (Neat, Active, Playful, Outgoing, Nice) and by
// interest id; stored as 100 times the trait and the interest score, the fame level as it is.
inline constexpr size_t kTraitConstant[5] = {2, 4, 5, 3, 6};
inline constexpr size_t kInterestConstant[15] = {11, 19, 21, 20, 8,  17, 7, 9,
                                                 10, 18, 12, 13, 14, 16, 15};
inline constexpr size_t kFameConstant = 22;
inline constexpr size_t kPersonConstantCount = 23;

struct PersonConstants {
    uint16_t flag = 0;
    std::vector<int16_t> values;
    std::string name;
    size_t storedCount = 0;  // the count word; more than `values` holds when the data is short
};

// BCON: a 16-bit word (count in bits 0-14, a flag in bit 15), then count signed 16-bit values.
// Stored big-endian, the count word and then each counted value is swapped.
void convertConstants(uint8_t* data, size_t length);

// False when the file has no BCON 4096 or it is shorter than its count word.
[[nodiscard]] bool readPersonConstants(resfile::iResFile& file, PersonConstants* out);

}  // namespace marquill::gamedata
