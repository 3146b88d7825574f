#include "wizard/PersonalityPage.h"

#include <string>

#include "celeb/NearestSign.h"
#include "celeb/RecordChecks.h"
#include "gamedata/Reporter.h"
#include "wizard/ControlIds.h"
#include "wizard/Sounds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

namespace {

constexpr std::array<int, celeb::kTraitCount> kTraitSliders = {id::kNeat, id::kActive, id::kPlayful,
                                                               id::kOutgoing, id::kNice};

// The order the sign profiles use.
constexpr std::array<int, 5> kSignOrder = {celeb::kOutgoing, celeb::kNice, celeb::kPlayful,
                                           celeb::kNeat, celeb::kActive};

}  // namespace

int traitSlider(int trait) {
    return kTraitSliders.at(static_cast<size_t>(trait));
}

std::array<int, 5> PersonalityPage::traits() const {
    std::array<int, 5> t{};
    for (size_t k = 0; k < t.size(); ++k)
        t[k] = c_.controls.at(kTraitSliders[k]).position;
    return t;
}

int PersonalityPage::currentSign() const {
    const std::array<int, 5> t = traits();
    std::array<int, 5> values{};
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = t[static_cast<size_t>(kSignOrder[i])];
    return celeb::nearestSign(values);
}

void PersonalityPage::load(const celeb::PemmData& record) {
    for (int trait = 0; trait < celeb::kTraitCount; ++trait)
        c_.controls.setPosition(traitSlider(trait), record.trait(trait));
}

void PersonalityPage::show() {
    for (int controlId : {id::kSign, id::kPointsLabel, id::kPoints, id::kNiceLabel, id::kNeatLabel,
                          id::kOutgoingLabel, id::kActiveLabel, id::kPlayfulLabel})
        c_.controls.show(controlId, true);
    for (int slider : kTraitSliders)
        c_.controls.show(slider, true);
    refresh();
}

void PersonalityPage::refresh() {
    int sum = 0;
    for (int t : traits())
        sum += t;
    const int left = celeb::kPersonalityPoints - sum;
    if (left < 0) {
        c_.controls.enable(id::kNext, false);
        c_.setStatus(text::kTooManyPoints);
    } else {
        c_.controls.enable(id::kNext, true);
        c_.setStatus(left > 0 ? text::kPointsLeft : text::kPointsDone);
    }
    c_.controls.setText(id::kPoints, std::to_string(left));
    const std::string_view sign = celeb::kSigns[static_cast<size_t>(currentSign())].name;
    c_.controls.setText(id::kSign, sign);
    c_.controls.setText(id::kSignLabel, sign);
}

void PersonalityPage::signClicked() {
    c_.play(sound::kClick);
    const int following = (currentSign() + 1) % celeb::kSignCount;
    const auto& profile = celeb::kSigns[static_cast<size_t>(following)].profile;
    for (size_t i = 0; i < kSignOrder.size(); ++i)
        c_.controls.setPosition(kTraitSliders[static_cast<size_t>(kSignOrder[i])], profile[i]);
    refresh();
}

bool PersonalityPage::next() {
    const std::array<int, 5> t = traits();
    if (auto refusal = celeb::checkPersonality(t)) {
        c_.showMessage(gamedata::kWarningTitle, refusal->message);
        return false;
    }
    for (int k = 0; k < celeb::kTraitCount; ++k)
        c_.design.record.setTrait(k, t[static_cast<size_t>(k)]);
    return true;
}

}  // namespace marquill::wizard
