#include "wizard/SaveStep.h"

#include <optional>
#include <string>

#include "wizard/ControlIds.h"
#include "wizard/Sounds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

namespace {

// The save sequence's questions go to the wizard's dialogs; the exchange site is opened only
// once the wizard is back on its welcome step.
class WizardSaveHost final : public celeb::SaveHost {
  public:
    explicit WizardSaveHost(WizardContext& context) : c_(context) {}
    std::optional<std::string> chooseSavePath(const celeb::SaveDialogRequest& request) override {
        c_.flush();
        return c_.host.chooseSavePath(request);
    }
    bool confirm(std::string_view title, std::string_view message) override {
        return c_.confirm(title, message);
    }
    void openAddress(std::string_view address) override { address_ = std::string(address); }
    void status(std::string_view text) override {
        c_.setStatus(text);
        c_.redraw();
    }
    void showMessage(std::string_view title, std::string_view message) override {
        c_.showMessage(title, message);
    }
    [[nodiscard]] const std::optional<std::string>& address() const { return address_; }

  private:
    WizardContext& c_;
    std::optional<std::string> address_;
};

}  // namespace

void SaveStep::showProgress(const celeb::SaveProgress& progress) {
    ControlSet& k = c_.controls;
    k.show(id::kProgress, true);
    k.show(id::kProgressText, true);
    k.setRange(id::kProgress, 0, celeb::kSaveProgressSteps);
    k.setPosition(id::kProgress, progress.position);
    k.setText(id::kProgressText, progress.text);
    if (!progress.text.empty()) c_.setStatus(progress.text);
    c_.redraw();
}

void SaveStep::hideProgress() {
    c_.controls.show(id::kProgress, false);
    c_.controls.show(id::kProgressText, false);
}

bool SaveStep::save() {
    c_.play(sound::kClick);
    // As `create` refuses: the game was not running when the wizard started, but may be now.
    if (c_.environment.isGameRunning(c_.gameFolder)) {
        c_.showMessage(text::kTitleWarning, text::kGameRunning);
        return false;
    }
    c_.beginModal();
    celeb::SaveSetup setup{c_.gameFolder, c_.environment.templatePersonFile(), c_.scene.get(),
                           c_.environment.gameWindowsFolder()};
    // The save's gender and fame come from the Male toggle and the fame list; on this step they
    // show what the design holds (the look pages' toggles and step 6's Next), so the design is
    // read.
    const Design& d = c_.design;
    celeb::SaveChoices choices{d.look.appearance, d.record.fameLevel(),
                               d.openedName != d.record.name() ? d.openedName : std::string()};
    WizardSaveHost saveHost(c_);
    last_ = celeb::saveCelebrity(d.record, choices, setup, skins_, saveHost,
                                 [this](const celeb::SaveProgress& p) { showProgress(p); });
    address_ = saveHost.address();
    if (last_.outcome != celeb::SaveResult::Outcome::Saved) {
        // Cancelled, or a file of the set could not be made (the player was told why): the
        // player stays on this step, and its hint replaces the last progress text.
        hideProgress();
        c_.setStatus(text::kStepHints[7]);
        c_.endModal();
        return false;
    }
    (void)c_.environment.changeFolder(c_.gameFolder);
    c_.design.openedName.clear();
    return true;
}

void SaveStep::finish() {
    c_.endModal();
    hideProgress();
    if (address_) c_.host.openShell(*address_);
    address_.reset();
}

}  // namespace marquill::wizard
