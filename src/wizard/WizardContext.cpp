#include "wizard/WizardContext.h"

#include "wizard/ControlIds.h"
#include "wizard/SmallDialogs.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

WizardContext::WizardContext(WizardHost& h, WizardEnvironment& e)
    : host(h), environment(e), controls(wizardDialogTemplate()) {}

character::LookLists* WizardContext::looks() const {
    return scene ? scene->lookLists() : nullptr;
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

void WizardContext::setFashion(bool on) {
    fashion = on;
    if (auto* l = looks()) l->inputs().fashionPage = on;
}

}  // namespace marquill::wizard
