#pragma once
// The appearance selection of one person: what the look pages select, what the preview person
// wears, what the save writes and what a person file's body strings record. The look lists, the
// preview, the save, the import lists and the command line all edit or read this one value.
// Numbers index the record's tables (gender 0 male, 1 female; skin colour 0-2 light, medium, dark;
// body type 0-2 fit, full, thin).
#include <string>

namespace marquill::character {

inline constexpr int kMaleGender = 0;
inline constexpr int kFemaleGender = 1;

struct Appearance {
    int gender = kMaleGender;
    int skinColour = 1;
    int bodyType = 0;
    bool adult = true;  // only a person read from the game is ever a child
    // The look pages' default selections.
    std::string headMesh = "c011ma_repo";
    std::string headTexture = "C011mamed_rotc";
    std::string bodyMesh = "b003mafit_01";
    std::string bodyTexture = "B003MAFitmed_bmoc";
    std::string fashionBodyMesh = "h552mafit_dude";
    std::string fashionBodyTexture;

    [[nodiscard]] bool female() const { return gender == kFemaleGender; }
    bool operator==(const Appearance&) const = default;
};

// What the look pages edit: the appearance, and which of the two pages shows (the high-fashion
// page edits the fashion body and its texture, the normal page everything else).
struct LookSelection {
    Appearance appearance;
    bool fashionPage = false;

    bool operator==(const LookSelection&) const = default;
};

}  // namespace marquill::character
