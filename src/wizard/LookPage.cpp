#include "wizard/LookPage.h"

#include "wizard/ControlIds.h"
#include "wizard/Sounds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

void LookPage::applyStatus(const std::optional<character::LookStatus>& status) {
    if (!status) return;
    c_.setStatus(status->text);
    c_.controls.enable(id::kNext, status->nextEnabled);
}

void LookPage::showNormal() {
    for (int controlId :
         {id::kBodyTypeLabel, id::kBodyType, id::kSkinTypeLabel, id::kSkinType, id::kGenderLabel,
          id::kMale, id::kFemale, id::kBodyMeshLabel, id::kBodyMesh, id::kBodyTextureLabel,
          id::kBodyTexture, id::kHeadMeshLabel, id::kHeadMesh, id::kHeadTextureLabel,
          id::kHeadTexture})
        c_.controls.show(controlId, true);
    // The page starts from the gender Next stored; one the tables do not know presses neither
    // toggle, and Next waits for a click.
    const int gender = c_.design.record.gender();
    c_.design.look.appearance.gender =
        gender == celeb::kFemale ? character::kFemaleGender : character::kMaleGender;
    c_.design.look.fashionPage = false;
    if (character::LookLists* looks = c_.looks()) {
        looks->showNormalPage();
        c_.showLists();
    }
    if (gender == celeb::kMale || gender == celeb::kFemale) {
        c_.showGender();
    } else {
        c_.controls.press(id::kMale, false);
        c_.controls.press(id::kFemale, false);
        c_.controls.enable(id::kNext, false);
    }
}

void LookPage::showFashion() {
    for (int controlId :
         {id::kBodyMeshLabel, id::kBodyMesh, id::kBodyTextureLabel, id::kBodyTexture})
        c_.controls.show(controlId, true);
    c_.design.look.fashionPage = true;
    if (character::LookLists* looks = c_.looks()) {
        looks->showFashionPage();
        c_.showLists();
    }
}

bool LookPage::nextNormal() {
    // Next stores the texts the lists show, in their spelling; without the preview's lists there
    // is nothing to store.
    const character::LookLists* looks = c_.looks();
    if (!looks || looks->bodyTextures().count() == 0 || looks->headTextures().count() == 0) {
        c_.controls.enable(id::kNext, false);
        c_.setStatus(character::kInvalidHeadOrSkin);
        return false;
    }
    c_.setStatus(character::kSkinSelectionOk);
    const character::Appearance& a = c_.design.look.appearance;
    celeb::PemmData& r = c_.design.record;
    r.setBodyType(a.bodyType);
    r.setSkinColour(a.skinColour);
    r.setGender(a.female() ? celeb::kFemale : celeb::kMale);
    r.setBodyMesh(looks->bodies().selectedText());
    r.setBodyTexture(looks->bodyTextures().selectedText());
    r.setHeadMesh(looks->heads().selectedText());
    r.setHeadTexture(looks->headTextures().selectedText());
    return true;
}

bool LookPage::nextFashion() {
    const character::LookLists* looks = c_.looks();
    if (!looks || looks->bodyTextures().count() == 0) {
        c_.controls.enable(id::kNext, false);
        c_.setStatus(character::kInvalidFashionSkin);
        return false;
    }
    c_.setStatus(text::kFashionOk);
    c_.design.record.setFashionBodyMesh(looks->bodies().selectedText());
    c_.design.record.setFashionBodyTexture(looks->bodyTextures().selectedText());
    c_.design.look.fashionPage = false;
    return true;
}

void LookPage::genderClicked(int controlId) {
    c_.play(sound::kClick);
    // The toggles flip each other: a click on the pressed one chooses the other gender.
    const bool pressed = !c_.controls.at(controlId).pressed;
    const bool female = (controlId == id::kFemale) == pressed;
    if (character::LookLists* looks = c_.looks()) {
        looks->genderChanged(female);
        c_.showLists();
    } else {
        c_.design.look.appearance.gender =
            female ? character::kFemaleGender : character::kMaleGender;
    }
    c_.showGender();
    c_.controls.enable(id::kNext, true);
}

void LookPage::listChanged(int controlId, int index) {
    character::LookLists* looks = c_.looks();
    if (!looks) {
        // The lists click themselves once they exist.
        if (controlId != id::kBodyType && controlId != id::kSkinType) return;
        c_.play(sound::kClick);
        if (index < 0 || index > 2) return;
        character::Appearance& a = c_.design.look.appearance;
        (controlId == id::kBodyType ? a.bodyType : a.skinColour) = index;
        return;
    }
    switch (controlId) {
        case id::kHeadMesh:
            applyStatus(looks->headSelected(index));
            break;
        case id::kHeadTexture:
            looks->headTextureSelected(index);
            break;
        case id::kBodyMesh:
            applyStatus(looks->bodySelected(index));
            break;
        case id::kBodyTexture:
            looks->bodyTextureSelected(index);
            break;
        case id::kSkinType:
            applyStatus(looks->skinColourChanged(index));
            break;
        case id::kBodyType:
            applyStatus(looks->bodyTypeChanged(index));
            break;
        default:
            return;
    }
    c_.showLists();
}

void LookPage::rescan() {
    character::LookLists* looks = c_.looks();
    if (!looks) {
        c_.play(sound::kClick);
        return;
    }
    looks->rescan();
    c_.showLists();
}

void LookPage::defaultButtonStates() {
    const character::Appearance defaults;
    c_.controls.select(id::kBodyType, defaults.bodyType);
    c_.controls.select(id::kSkinType, defaults.skinColour);
}

}  // namespace marquill::wizard
