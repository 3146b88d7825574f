#include "wizard/FamePage.h"

#include <algorithm>
#include <string>
#include <vector>

#include "celeb/Vocabulary.h"
#include "wizard/ControlIds.h"

namespace marquill::wizard {

void FamePage::fill() {
    std::vector<std::string> names;
    for (const celeb::FameLevel& level : celeb::kFameLevels)
        names.emplace_back(level.name);
    c_.controls.setItems(id::kFame, std::move(names), {0});
    c_.controls.setRange(id::kFameSlider, 0, 10);
}

void FamePage::load(const celeb::PemmData& record) {
    c_.controls.select(id::kFame, std::clamp(record.fameLevel(), 0, celeb::kFameLevelCount - 1));
    c_.controls.setPosition(id::kFameSlider, record.fameSlider());
}

void FamePage::show() {
    for (int controlId : {id::kFameLabel, id::kFame, id::kFamePicture})
        c_.controls.show(controlId, true);
}

void FamePage::levelChosen(int index) {
    if (index < 0 || index >= celeb::kFameLevelCount) return;
    c_.setStatus(celeb::kFameLevels[static_cast<size_t>(index)].description);
}

void FamePage::next() {
    c_.design.record.setFameLevel(c_.controls.at(id::kFame).selected());
    c_.design.record.setFameSlider(c_.controls.at(id::kFameSlider).position);
}

}  // namespace marquill::wizard
