#include "celeb/AppearanceLook.h"

namespace marquill::celeb {

character::ChosenLook chosenLookFrom(const gamedata::Appearance& appearance) {
    character::ChosenLook look;
    look.adult = appearance.adult;
    look.male = appearance.gender == 0;
    look.skinColour = appearance.skinColour;
    look.bodyType = appearance.bodyType;
    look.bodyOutfit = appearance.bodyMesh;
    look.bodyTexture = appearance.bodyTexture;
    look.headOutfit = appearance.headMesh;
    look.headTexture = appearance.headTexture;
    return look;
}

gamedata::Appearance appearanceFrom(const character::LookInputs& inputs,
                                    const character::SkinSelections& selections) {
    gamedata::Appearance appearance;
    appearance.gender = inputs.female ? 1 : 0;
    appearance.skinColour = inputs.skinColour;
    appearance.bodyType = inputs.bodyType;
    appearance.adult = inputs.adult;
    appearance.headMesh = selections.headOutfit;
    appearance.headTexture = selections.headTexture;
    appearance.bodyMesh = selections.bodyOutfit;
    appearance.bodyTexture = selections.bodyTexture;
    appearance.fashionBodyMesh = selections.fashionBodyOutfit;
    appearance.fashionBodyTexture = selections.fashionBodyTexture;
    return appearance;
}

}  // namespace marquill::celeb
