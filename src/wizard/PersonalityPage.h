#pragma once
// Step 4: five personality sliders sharing 25 points, and the zodiac sign that follows from them.
#include <array>

#include "wizard/WizardContext.h"

namespace marquill::wizard {

class PersonalityPage {
  public:
    explicit PersonalityPage(WizardContext& context) : c_(context) {}

    void show();
    // After any slider moved, when the page is shown, and after the sign button.
    void refresh();
    // The sign button: the sliders take the profile of the sign after the one they give now;
    // after Pisces comes Aries again.
    void signClicked();
    [[nodiscard]] bool next();
    // The sliders from the record's traits (a saved celebrity was opened).
    void load(const celeb::PemmData& record);

    // The slider positions by trait (Neat, Active, Playful, Outgoing, Nice).
    [[nodiscard]] std::array<int, 5> traits() const;
    [[nodiscard]] int currentSign() const;

  private:
    WizardContext& c_;
};

// The slider of each trait, by trait index (Neat, Active, Playful, Outgoing, Nice).
[[nodiscard]] int traitSlider(int trait);

}  // namespace marquill::wizard
