#include "wizard/LookPage.h"

#include <array>
#include <utility>

#include "wizard/ControlIds.h"
#include "wizard/Sounds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

namespace {

std::vector<int> selectionOf(const character::LookList& list) {
    if (list.selected() < 0) return {};
    return {list.selected()};
}

}  // namespace

bool LookPage::femalePressed() const {
    return c_.controls.at(id::kFemale).pressed;
}

void LookPage::mirror() {
    character::LookLists* looks = c_.looks();
    if (!looks) return;
    const std::array<std::pair<int, const character::LookList*>, 4> lists = {{
        {id::kHeadMesh, &looks->heads()},
        {id::kHeadTexture, &looks->headTextures()},
        {id::kBodyMesh, &looks->bodies()},
        {id::kBodyTexture, &looks->bodyTextures()},
    }};
    for (const auto& [controlId, list] : lists)
        c_.controls.setItems(controlId, list->entries(), selectionOf(*list));
}

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
    const int gender = c_.record.gender();
    c_.controls.press(id::kMale, gender == celeb::kMale);
    c_.controls.press(id::kFemale, gender == celeb::kFemale);
    c_.setFashion(false);
    if (character::LookLists* looks = c_.looks()) {
        // The filters follow the toggles, which follow the record here.
        looks->inputs().female = femalePressed();
        looks->inputs().male = !femalePressed();
        looks->showNormalPage();
        mirror();
    }
    if (!c_.controls.at(id::kMale).pressed && !femalePressed())
        c_.controls.enable(id::kNext, false);
}

void LookPage::showFashion() {
    for (int controlId :
         {id::kBodyMeshLabel, id::kBodyMesh, id::kBodyTextureLabel, id::kBodyTexture})
        c_.controls.show(controlId, true);
    c_.setFashion(true);
    if (character::LookLists* looks = c_.looks()) {
        looks->showFashionPage();
        mirror();
    }
}

bool LookPage::nextNormal() {
    const ControlSet& k = c_.controls;
    if (k.at(id::kBodyTexture).items.empty() || k.at(id::kHeadTexture).items.empty()) {
        c_.controls.enable(id::kNext, false);
        c_.setStatus(character::kInvalidHeadOrSkin);
        return false;
    }
    c_.setStatus(character::kSkinSelectionOk);
    celeb::PemmData& r = c_.record;
    r.setBodyType(k.at(id::kBodyType).selected());
    r.setSkinColour(k.at(id::kSkinType).selected());
    r.setGender(k.at(id::kMale).pressed ? celeb::kMale : celeb::kFemale);
    r.setBodyMesh(k.at(id::kBodyMesh).selectedText());
    r.setBodyTexture(k.at(id::kBodyTexture).selectedText());
    r.setHeadMesh(k.at(id::kHeadMesh).selectedText());
    r.setHeadTexture(k.at(id::kHeadTexture).selectedText());
    return true;
}

bool LookPage::nextFashion() {
    const ControlSet& k = c_.controls;
    if (k.at(id::kBodyTexture).items.empty()) {
        c_.controls.enable(id::kNext, false);
        c_.setStatus(character::kInvalidFashionSkin);
        return false;
    }
    c_.setStatus(text::kFashionOk);
    c_.record.setFashionBodyMesh(k.at(id::kBodyMesh).selectedText());
    c_.record.setFashionBodyTexture(k.at(id::kBodyTexture).selectedText());
    c_.setFashion(false);
    return true;
}

void LookPage::genderClicked(int controlId) {
    c_.play(sound::kClick);
    const int other = controlId == id::kMale ? id::kFemale : id::kMale;
    const bool pressed = !c_.controls.at(controlId).pressed;
    c_.controls.press(controlId, pressed);
    c_.controls.press(other, !pressed);
    c_.controls.enable(id::kNext, true);
    if (character::LookLists* looks = c_.looks()) {
        looks->genderChanged(femalePressed());
        mirror();
    }
}

void LookPage::listChanged(int controlId, int index) {
    character::LookLists* looks = c_.looks();
    if (!looks) {
        // The lists click themselves once they exist.
        if (controlId == id::kBodyType || controlId == id::kSkinType) c_.play(sound::kClick);
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
    mirror();
}

void LookPage::rescan() {
    character::LookLists* looks = c_.looks();
    if (!looks) {
        c_.play(sound::kClick);
        return;
    }
    looks->rescan();
    mirror();
}

gamedata::Appearance LookPage::currentAppearance() const {
    const celeb::PemmData& r = c_.record;
    gamedata::Appearance a;
    a.gender = c_.controls.at(id::kMale).pressed ? celeb::kMale : celeb::kFemale;
    const int skin = c_.controls.at(id::kSkinType).selected();
    const int body = c_.controls.at(id::kBodyType).selected();
    a.skinColour = skin >= 0 ? skin : r.skinColour();
    a.bodyType = body >= 0 ? body : r.bodyType();
    if (character::LookLists* looks = c_.looks()) {
        const character::SkinSelections& s = looks->selections();
        a.adult = looks->inputs().adult;
        a.headMesh = s.headOutfit;
        a.headTexture = s.headTexture;
        a.bodyMesh = s.bodyOutfit;
        a.bodyTexture = s.bodyTexture;
        a.fashionBodyMesh = s.fashionBodyOutfit;
        a.fashionBodyTexture = s.fashionBodyTexture;
    } else {
        a.headMesh = r.headMesh();
        a.headTexture = r.headTexture();
        a.bodyMesh = r.bodyMesh();
        a.bodyTexture = r.bodyTexture();
        a.fashionBodyMesh = r.fashionBodyMesh();
        a.fashionBodyTexture = r.fashionBodyTexture();
    }
    return a;
}

void LookPage::showChosen(const gamedata::Appearance& look) {
    const bool male = look.gender == celeb::kMale;
    c_.controls.press(id::kMale, male);
    c_.controls.press(id::kFemale, !male);
    c_.controls.select(id::kSkinType, look.skinColour);
    c_.controls.select(id::kBodyType, look.bodyType);
    c_.fashion = false;
    if (character::LookLists* looks = c_.looks()) {
        character::ChosenLook chosen;
        chosen.adult = look.adult;
        chosen.male = male;
        chosen.skinColour = look.skinColour;
        chosen.bodyType = look.bodyType;
        chosen.bodyOutfit = look.bodyMesh;
        chosen.bodyTexture = look.bodyTexture;
        chosen.headOutfit = look.headMesh;
        chosen.headTexture = look.headTexture;
        looks->applyChosenLook(chosen);
        mirror();
    }
}

void LookPage::defaultButtonStates() {
    c_.controls.select(id::kBodyType, 0);
    c_.controls.select(id::kSkinType, 1);
}

}  // namespace marquill::wizard
