#include "wizard/WizardContext.h"

#include <array>
#include <utility>
#include <vector>

#include "wizard/ControlIds.h"
#include "wizard/SmallDialogs.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

WizardContext::WizardContext(WizardHost& h, WizardEnvironment& e)
    : host(h), environment(e), controls(wizardDialogTemplate()) {}

character::LookLists* WizardContext::looks() const {
    return scene ? scene->lookLists() : nullptr;
}

namespace {

std::vector<int> selectionOf(const character::LookList& list) {
    if (list.selected() < 0) return {};
    return {list.selected()};
}

}  // namespace

void WizardContext::chooseAppearance(const character::Appearance& appearance) {
    if (character::LookLists* lists = looks()) {
        lists->applyChosenLook(appearance);
    } else {
        design.look.appearance = appearance;
        design.look.fashionPage = false;
    }
    showLook();
}

void WizardContext::showLook() {
    showLists();
    showGender();
    controls.select(id::kSkinType, design.look.appearance.skinColour);
    controls.select(id::kBodyType, design.look.appearance.bodyType);
}

void WizardContext::refillLists() {
    if (character::LookLists* lists = looks()) {
        lists->refill(true, true);
        showLists();
    }
}

void WizardContext::showLists() {
    character::LookLists* lists = looks();
    if (!lists) return;
    const std::array<std::pair<int, const character::LookList*>, 4> shown = {{
        {id::kHeadMesh, &lists->heads()},
        {id::kHeadTexture, &lists->headTextures()},
        {id::kBodyMesh, &lists->bodies()},
        {id::kBodyTexture, &lists->bodyTextures()},
    }};
    for (const auto& [controlId, list] : shown)
        controls.setItems(controlId, list->entries(), selectionOf(*list));
}

void WizardContext::showGender() {
    const bool female = design.look.appearance.female();
    controls.press(id::kMale, !female);
    controls.press(id::kFemale, female);
}

void WizardContext::setStatus(std::string_view text) {
    controls.setText(id::kStatus, text);
}

void WizardContext::showMessage(std::string_view title, std::string_view message) {
    flush();
    MessageDialog dialog(title, message, host.sounds());
    (void)host.runModal(dialog);
}

bool WizardContext::confirm(std::string_view title, std::string_view message) {
    flush();
    ConfirmDialog dialog(title, message, host.sounds());
    return host.runModal(dialog) == static_cast<int>(DialogResult::Ok);
}

void WizardContext::play(std::string_view sound) {
    host.sounds().playNamed(sound);
}

void WizardContext::trace(std::string_view line) {
    host.trace(std::string(text::kTracePrefix) + std::string(line));
}

void WizardContext::flush() {
    if (controls.anyChanged()) host.controlsChanged(controls.takeChanged());
}

void WizardContext::redraw() {
    flush();
    host.redraw();
}

void WizardContext::beginModal() {
    if (scene) scene->beginModal();
}

void WizardContext::endModal() {
    if (scene) scene->endModal();
}

}  // namespace marquill::wizard
