#pragma once
// Steps 1 and 2, the look pages: the gender toggles, body type and skin type, and the four choice
// lists, which mirror the preview's look-page lists after every change. Every choice edits the
// design's appearance selection (through the preview's lists when they exist). Without a ready
// preview the lists are empty, and Next refuses.
#include <optional>

#include "character/LookLists.h"
#include "wizard/WizardContext.h"

namespace marquill::wizard {

class LookPage {
  public:
    explicit LookPage(WizardContext& context) : c_(context) {}

    // ShowStep for steps 1 and 2.
    void showNormal();
    void showFashion();
    // Next on steps 1 and 2: the checks and what they store; false when refused.
    [[nodiscard]] bool nextNormal();
    [[nodiscard]] bool nextFashion();

    void genderClicked(int controlId);
    // Head, head texture, body, body texture, body type and skin type lists.
    void listChanged(int controlId, int index);
    // The never-shown Reload button: the texture files are read again.
    void rescan();

    // The preview's set-up: body type "Fit", skin type "Medium".
    void defaultButtonStates();

  private:
    void applyStatus(const std::optional<character::LookStatus>& status);
    WizardContext& c_;
};

}  // namespace marquill::wizard
