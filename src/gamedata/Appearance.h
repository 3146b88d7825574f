#pragma once
// The appearance choices of one person: what the look pages select and what a person file's body
// strings record. Numbers index the record's tables (gender 0 male, 1 female; skin colour 0-2
// light, medium, dark; body type 0-2 fit, full, thin).
#include <string>

namespace marquill::gamedata {

struct Appearance {
    int gender = 0;
    int skinColour = 1;
    int bodyType = 0;
    bool adult = true;
    // The look pages' default selections.
    std::string headMesh = "c011ma_repo";
    std::string headTexture = "C011mamed_rotc";
    std::string bodyMesh = "b003mafit_01";
    std::string bodyTexture = "B003MAFitmed_bmoc";
    std::string fashionBodyMesh = "h552mafit_dude";
    std::string fashionBodyTexture;

    bool operator==(const Appearance&) const = default;
};

}  // namespace marquill::gamedata
