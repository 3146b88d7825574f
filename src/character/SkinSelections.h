#pragma once
// The twelve selection strings of the look pages, with their defaults; a new celebrity starts
// from a copy of these.
#include <string>

namespace marquill::character {

struct SkinSelections {
    std::string skeleton = "adult";
    std::string animation = "a2o-heyyou1";  // the running idle or greeting
    std::string headOutfit = "c011ma_repo";
    std::string headTexture = "C011mamed_rotc";
    std::string leftHandOutfit = "hmlo";
    std::string leftHandTexture = "huaomed";
    std::string rightHandOutfit = "hmro";
    std::string rightHandTexture = "huaomed";
    std::string bodyOutfit = "b003mafit_01";
    std::string bodyTexture = "B003MAFitmed_bmoc";
    std::string fashionBodyOutfit = "h552mafit_dude";
    std::string fashionBodyTexture;

    bool operator==(const SkinSelections&) const = default;
};

}  // namespace marquill::character
