#pragma once
// What the preview person wears beyond the appearance selection: its skeleton, the running idle
// or greeting, and the hands, which follow the normal body. A new person starts from these.
#include <string>

namespace marquill::character {

struct SkinSelections {
    std::string skeleton = "adult";
    std::string animation = "a2o-heyyou1";  // the running idle or greeting
    std::string leftHandOutfit = "hmlo";
    std::string leftHandTexture = "huaomed";
    std::string rightHandOutfit = "hmro";
    std::string rightHandTexture = "huaomed";

    bool operator==(const SkinSelections&) const = default;
};

}  // namespace marquill::character
