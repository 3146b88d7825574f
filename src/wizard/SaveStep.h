#pragma once
// Step 7's Save button: the save sequence with the progress bar and its text, the preview paused
// except for the snapshots it takes, and the return to the welcome step.
#include <functional>

#include "celeb/SaveSequence.h"
#include "celeb/SkinFileList.h"
#include "gamedata/Appearance.h"
#include "wizard/WizardContext.h"

namespace marquill::wizard {

class SaveStep {
  public:
    struct Hooks {
        std::function<gamedata::Appearance()> currentLook;
        std::function<void()> backToWelcome;  // step 0 shown
        std::function<void()> refillLists;    // the head and body lists filled again
    };

    SaveStep(WizardContext& context, Hooks hooks) : c_(context), hooks_(std::move(hooks)) {}

    void save();
    [[nodiscard]] const celeb::SaveResult& lastResult() const { return last_; }
    [[nodiscard]] const celeb::SkinFileList& skinFiles() const { return skins_; }

  private:
    void showProgress(const celeb::SaveProgress& progress);
    void hideProgress();
    WizardContext& c_;
    Hooks hooks_;
    celeb::SkinFileList skins_;
    celeb::SaveResult last_;
};

}  // namespace marquill::wizard
