#pragma once
// Step 6: the fame level, whose description the status line shows when it is chosen.
#include "wizard/WizardContext.h"

namespace marquill::wizard {

class FamePage {
  public:
    explicit FamePage(WizardContext& context) : c_(context) {}

    // The dialog's start: the eleven levels, "Nobody" chosen; the hidden slider 0 to 10.
    void fill();
    void show();
    void levelChosen(int index);
    void next();
    // The list and slider from the record (a saved celebrity was opened).
    void load(const celeb::PemmData& record);

  private:
    WizardContext& c_;
};

}  // namespace marquill::wizard
