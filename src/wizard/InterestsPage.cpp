#include "wizard/InterestsPage.h"

#include <algorithm>
#include <vector>

#include "gamedata/Reporter.h"
#include "wizard/ControlIds.h"
#include "wizard/Sounds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

namespace {

int countOf(const ControlSet& k, int list) {
    return static_cast<int>(k.at(list).items.size());
}

struct Pair {
    int list, add, remove;
};
Pair pairOf(int control) {
    if (control == id::kTop || control == id::kAddTop || control == id::kRemoveTop)
        return {id::kTop, id::kAddTop, id::kRemoveTop};
    return {id::kLow, id::kAddLow, id::kRemoveLow};
}

// Moves the selected entries of `from`, in list order, to `to`.
void moveSelected(ControlSet& k, int from, int to) {
    const ControlState& source = k.at(from);
    std::vector<int> chosen = source.selection;
    std::vector<std::string> texts;
    for (int i : chosen)
        texts.push_back(source.items[static_cast<size_t>(i)]);
    for (std::string& t : texts)
        k.addItem(to, std::move(t));
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        k.removeItem(from, *it);
}

}  // namespace

void InterestsPage::fill() {
    std::vector<std::string> names;
    for (const celeb::Interest& interest : celeb::kInterests)
        names.emplace_back(interest.name);
    c_.controls.setItems(id::kAvailable, std::move(names), {});
    c_.controls.setItems(id::kTop, {}, {});
    c_.controls.setItems(id::kLow, {}, {});
}

void InterestsPage::load(const std::vector<int>& top, const std::vector<int>& low) {
    auto namesOf = [](const std::vector<int>& ids) {
        std::vector<std::string> names;
        for (int id : ids)
            if (id >= 0 && id < celeb::kInterestCount)
                names.emplace_back(celeb::kInterests[static_cast<size_t>(id)].name);
        return names;
    };
    std::vector<std::string> available;
    for (int id = 0; id < celeb::kInterestCount; ++id)
        if (std::find(top.begin(), top.end(), id) == top.end() &&
            std::find(low.begin(), low.end(), id) == low.end())
            available.emplace_back(celeb::kInterests[static_cast<size_t>(id)].name);
    c_.controls.setItems(id::kAvailable, std::move(available), {});
    c_.controls.setItems(id::kTop, namesOf(top), {});
    c_.controls.setItems(id::kLow, namesOf(low), {});
}

void InterestsPage::show() {
    for (int controlId : {id::kAvailable, id::kTop, id::kLow, id::kTopLabel, id::kLowLabel,
                          id::kAddTop, id::kRemoveTop, id::kAddLow, id::kRemoveLow})
        c_.controls.show(controlId, true);
    for (int list : {id::kTop, id::kLow}) {
        const Pair p = pairOf(list);
        c_.controls.enable(p.add, countOf(c_.controls, list) <= kChoices - 1);
        c_.controls.enable(p.remove, countOf(c_.controls, list) > 0);
    }
    updateStatus();
}

void InterestsPage::updateStatus() {
    const bool topDone = countOf(c_.controls, id::kTop) >= kChoices;
    const bool lowDone = countOf(c_.controls, id::kLow) >= kChoices;
    c_.controls.enable(id::kNext, topDone && lowDone);
    c_.setStatus(!topDone   ? text::kNeedInterests
                 : !lowDone ? text::kNeedLowInterests
                            : text::kInterestsDone);
}

void InterestsPage::add(int addButton) {
    const Pair p = pairOf(addButton);
    const int n = static_cast<int>(c_.controls.at(id::kAvailable).selection.size());
    if (n == 0) {
        c_.play(sound::kDenied);
        return;
    }
    if (n + countOf(c_.controls, p.list) > kChoices) {
        c_.play(sound::kDenied);
        c_.setStatus(p.list == id::kTop ? text::kTooManyTop : text::kTooManyLow);
        return;
    }
    c_.play(sound::kClick);
    moveSelected(c_.controls, id::kAvailable, p.list);
    if (countOf(c_.controls, p.list) >= kChoices) c_.controls.enable(p.add, false);
    if (countOf(c_.controls, p.list) > 0) c_.controls.enable(p.remove, true);
    updateStatus();
}

void InterestsPage::remove(int removeButton) {
    const Pair p = pairOf(removeButton);
    if (c_.controls.at(p.list).selection.empty()) {
        c_.play(sound::kDenied);
        return;
    }
    c_.play(sound::kClick);
    moveSelected(c_.controls, p.list, id::kAvailable);
    if (countOf(c_.controls, p.list) < kChoices) c_.controls.enable(p.add, true);
    if (countOf(c_.controls, p.list) == 0) c_.controls.enable(p.remove, false);
    updateStatus();
}

std::array<int, celeb::kInterestCount> InterestsPage::interestOrder() const {
    std::array<int, celeb::kInterestCount> order{};
    size_t front = 0;
    for (int list : {id::kTop, id::kAvailable})
        for (const std::string& name : c_.controls.at(list).items)
            if (front < order.size()) order[front++] = celeb::interestIdByName(name);
    size_t back = order.size();
    for (const std::string& name : c_.controls.at(id::kLow).items)
        if (back > front) order[--back] = celeb::interestIdByName(name);
    return order;
}

bool InterestsPage::next() {
    if (countOf(c_.controls, id::kTop) < kChoices) {
        c_.showMessage(gamedata::kWarningTitle, text::kNotInteresting);
        return false;
    }
    const auto order = interestOrder();
    for (int p = 0; p < celeb::kInterestCount; ++p)
        c_.design.record.setInterestAt(p, order[static_cast<size_t>(p)]);
    return true;
}

}  // namespace marquill::wizard
