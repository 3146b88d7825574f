#pragma once
// The hands follow the normal-page body: its outfit name tells adult or child and male or female,
// its texture name the skin colour.
#include <string>

namespace marquill::character {

struct HandSelections {
    std::string leftOutfit, leftTexture, rightOutfit, rightTexture;
    bool operator==(const HandSelections&) const = default;
};

[[nodiscard]] HandSelections handSelectionsFor(const std::string& bodyOutfit,
                                               const std::string& bodyTexture);

}  // namespace marquill::character
