#pragma once
// Step 5: five top and five low interests moved out of the list of available ones.
#include <array>
#include <vector>

#include "celeb/Vocabulary.h"
#include "wizard/WizardContext.h"

namespace marquill::wizard {

class InterestsPage {
  public:
    static constexpr int kChoices = 5;

    explicit InterestsPage(WizardContext& context) : c_(context) {}

    // The dialog's start: the fifteen interests in identifier order, nothing chosen.
    void fill();
    void show();
    // The Add buttons (kAddTop, kAddLow) and the Remove buttons (kRemoveTop, kRemoveLow).
    void add(int targetList);
    void remove(int sourceList);
    [[nodiscard]] bool next();
    // The three lists from interest ids (a saved celebrity was opened): the top and low lists in
    // the order given, every other interest in the available list in its usual order.
    void load(const std::vector<int>& top, const std::vector<int>& low);

    // The record's interest order from the three lists as they stand: the top interests at 0-4
    // in list order, the low ones from 14 downwards in list order, the rest after the top ones
    // in the order the available list shows them.
    [[nodiscard]] std::array<int, celeb::kInterestCount> interestOrder() const;

  private:
    void updateStatus();
    WizardContext& c_;
};

}  // namespace marquill::wizard
