#include "wizard/NamePage.h"

#include "celeb/RecordChecks.h"
#include "gamedata/Reporter.h"
#include "wizard/ControlIds.h"
#include "wizard/SmallDialogs.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

bool NamePage::bothFilled() const {
    return !c_.controls.at(id::kName).text.empty() &&
           !c_.controls.at(id::kDescription).text.empty();
}

void NamePage::show() {
    for (int controlId : {id::kNameLabel, id::kName, id::kDescriptionLabel, id::kDescription})
        c_.controls.show(controlId, true);
    c_.controls.enable(id::kNext, bothFilled());
}

void NamePage::edited(int controlId, std::string_view text) {
    if (controlId != id::kName && controlId != id::kDescription) return;
    const int limit = c_.controls.at(controlId).textLimit;
    c_.controls.setText(controlId, limit > 0 ? firstCharacters(text, static_cast<size_t>(limit))
                                             : std::string(text));
    c_.controls.enable(id::kNext, bothFilled());
}

void NamePage::focus(int controlId, bool gained) {
    if (controlId != id::kName && controlId != id::kDescription) return;
    if (gained) {
        c_.setStatus(controlId == id::kName ? text::kEnterName : text::kEnterDescription);
    } else if (bothFilled()) {
        c_.controls.enable(id::kNext, true);
        c_.setStatus(text::kNameDone);
    }
}

bool NamePage::refused(const std::optional<celeb::Refusal>& refusal) {
    if (!refusal) return false;
    c_.showMessage(gamedata::kWarningTitle, refusal->message);
    if (!refusal->status.empty()) c_.setStatus(refusal->status);
    return true;
}

bool NamePage::next() {
    const std::string name = c_.controls.at(id::kName).text;
    if (refused(celeb::checkName(name))) return false;
    c_.design.record.setName(name);
    const std::string description = c_.controls.at(id::kDescription).text;
    if (refused(celeb::checkDescription(description))) return false;
    c_.design.record.setDescription(description);
    return true;
}

void NamePage::load(const celeb::PemmData& record) {
    c_.controls.setText(id::kName, record.name());
    c_.controls.setText(id::kDescription, record.description());
}

void NamePage::limitFields() {
    c_.controls.edit(id::kName).textLimit = kNameLimit;
    c_.controls.edit(id::kDescription).textLimit = kDescriptionLimit;
}

}  // namespace marquill::wizard
