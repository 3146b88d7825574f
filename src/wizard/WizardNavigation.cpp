// The step machine: ShowStep, Next with its checks, Back, Create and Replace, and the buttons
// every step shows (Help, About, Quit).
#include <array>

#include "wizard/CMarquillDlg.h"
#include "wizard/ControlIds.h"
#include "wizard/SmallDialogs.h"
#include "wizard/Sounds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

namespace {

// Everything only some steps show.
constexpr std::array kStepControls = {
    id::kCelebrities, id::kCelebrityFiles, id::kCreate, id::kReplace, id::kProgress,
    id::kProgressText, id::kWelcomePicture, id::kWelcomeText,
    // Steps 1 and 2.
    id::kBodyTypeLabel, id::kBodyType, id::kSkinTypeLabel, id::kSkinType, id::kGenderLabel,
    id::kMale, id::kFemale, id::kBodyMeshLabel, id::kBodyMesh, id::kBodyTextureLabel,
    id::kBodyTexture, id::kHeadMeshLabel, id::kHeadMesh, id::kHeadTextureLabel, id::kHeadTexture,
    // Step 3.
    id::kNameLabel, id::kName, id::kDescriptionLabel, id::kDescription,
    // Step 4.
    id::kSign, id::kPointsLabel, id::kPoints, id::kNiceLabel, id::kNeatLabel, id::kOutgoingLabel,
    id::kActiveLabel, id::kPlayfulLabel, id::kNice, id::kNeat, id::kOutgoing, id::kActive,
    id::kPlayful,
    // Step 5.
    id::kAvailable, id::kAddTop, id::kRemoveTop, id::kAddLow, id::kRemoveLow, id::kTopLabel,
    id::kTop, id::kLowLabel, id::kLow,
    // Step 6.
    id::kFameLabel, id::kFame, id::kFamePicture, id::kFameSliderLabel, id::kFameSlider,
    // Step 7.
    id::kExportText, id::kSave};

constexpr int kLastStep = 11;

}  // namespace

void CMarquillDlg::hideStepControls() {
    for (int controlId : kStepControls)
        c_.controls.show(controlId, false);
    c_.controls.enable(id::kBack, true);
    c_.controls.enable(id::kNext, true);
}

void CMarquillDlg::showStep() {
    hideStepControls();
    if (c_.step < 0 || c_.step > kLastStep) return;
    if (!text::kStepTitles[static_cast<size_t>(c_.step)].empty())
        c_.trace(text::kStepTitles[static_cast<size_t>(c_.step)]);
    layOutStep();
}

void CMarquillDlg::layOutStep() {
    ControlSet& k = c_.controls;
    const int step = c_.step;
    if (step != 8) c_.setStatus(text::kStepHints[static_cast<size_t>(step)]);
    switch (step) {
        case 0:
            k.show(id::kWelcomePicture, true);
            k.show(id::kCreate, true);
            k.show(id::kReplace, true);
            k.enable(id::kBack, false);
            k.enable(id::kNext, false);
            break;
        case 1:
            look_.showNormal();
            break;
        case 2:
            look_.showFashion();
            break;
        case 3:
            name_.show();
            break;
        case 4:
            personality_.show();
            break;
        case 5:
            interests_.show();
            break;
        case 6:
            fame_.show();
            break;
        case 7:
            k.show(id::kExportText, true);
            k.show(id::kSave, true);
            k.enable(id::kNext, false);
            break;
        case 8:
            goToStep(0);
            break;
        case 9:
            if (!import_.chooseNeighborhood()) goToStep(0);
            break;
        case 10:
            import_.listCelebrityFiles();
            c_.setStatus(text::kStepHints[10]);
            break;
        case 11:
            import_.replace();
            goToStep(0);
            break;
        default:
            break;
    }
}

void CMarquillDlg::goToStep(int step) {
    c_.step = step;
    showStep();
    c_.flush();
}

void CMarquillDlg::next() {
    c_.play(sound::kClick);
    bool passed = true;
    switch (c_.step) {
        case 1:
            passed = look_.nextNormal();
            break;
        case 2:
            passed = look_.nextFashion();
            break;
        case 3:
            passed = name_.next();
            break;
        case 4:
            passed = personality_.next();
            break;
        case 5:
            passed = interests_.next();
            break;
        case 6:
            fame_.next();
            break;
        default:
            break;
    }
    if (!passed) return;
    ++c_.step;
    showStep();
}

void CMarquillDlg::back() {
    c_.play(sound::kClick);
    if (c_.step == 2) c_.design.look.fashionPage = false;
    --c_.step;
    showStep();
}

void CMarquillDlg::replaceClicked() {
    c_.play(sound::kClick);
    c_.step = 9;
    showStep();
}

void CMarquillDlg::quit() {
    if (!c_.confirm(text::kTitleMarquill, text::kQuitQuestion)) return;
    end(DialogResult::Cancel);
    c_.scene.reset();
}

void CMarquillDlg::about() {
    c_.flush();
    AboutDialog dialog(c_.host.sounds(), [this] { openReadme(); });
    (void)c_.host.runModal(dialog);
}

void CMarquillDlg::openReadme() {
    c_.play(sound::kClick);
    c_.host.openShell(c_.startupDirectory + "/" + std::string(text::kReadmeName));
}

}  // namespace marquill::wizard
