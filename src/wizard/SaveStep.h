#pragma once
// Step 7's Save button: the save sequence with the progress bar and its text, the preview paused
// except for the snapshots it takes; the wizard returns to the welcome step in between save() and
// finish().
#include <optional>
#include <string>

#include "celeb/SaveSequence.h"
#include "celeb/SkinFileList.h"
#include "wizard/WizardContext.h"

namespace marquill::wizard {

class SaveStep {
  public:
    explicit SaveStep(WizardContext& context) : c_(context) {}

    // True when the celebrity was saved; the preview stays paused until finish(). Otherwise the
    // player stays on this step.
    [[nodiscard]] bool save();
    // After a save, back on the welcome step: the preview runs again, and the exchange site opens
    // when the player asked for it.
    void finish();
    [[nodiscard]] const celeb::SaveResult& lastResult() const { return last_; }

  private:
    void showProgress(const celeb::SaveProgress& progress);
    void hideProgress();
    WizardContext& c_;
    celeb::SkinFileList skins_;
    celeb::SaveResult last_;
    std::optional<std::string> address_;  // the exchange site, opened by finish()
};

}  // namespace marquill::wizard
