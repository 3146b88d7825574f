#pragma once
// The wizard dialog as a model: the controls of its template, the step machine that shows and
// hides them, and the handlers of every event a view forwards (clicks, list selections, slider
// moves, edits and their focus, Enter, Escape, closing, activation, timer ticks, the system
// menu). The preview scene, created once the game folder is known, sets itself up on the first
// timer tick; until then (and without a scene at all) every page but the look lists works.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/RandomSource.h"
#include "preview/PreviewHost.h"
#include "preview/PreviewScene.h"
#include "wizard/DialogModel.h"
#include "wizard/FamePage.h"
#include "wizard/ImportSteps.h"
#include "wizard/InterestsPage.h"
#include "wizard/LookPage.h"
#include "wizard/NamePage.h"
#include "wizard/PersonalityPage.h"
#include "wizard/SaveStep.h"
#include "wizard/WizardContext.h"
#include "wizard/WizardEnvironment.h"
#include "wizard/WizardHost.h"

namespace marquill::wizard {

// Makes the preview scene for a game folder; the scene reports to the host it is given, and its
// look lists edit the design's appearance selection.
using SceneFactory = std::function<std::unique_ptr<preview::PreviewScene>(
    preview::PreviewHost& host, const std::string& gameFolder, character::LookSelection& look)>;

// The scene the tool shows: the preview window's size, the platform's drawing and clock.
[[nodiscard]] SceneFactory standardSceneFactory(platform::RandomSource& random,
                                                preview::PreviewEnvironment environment = {});

struct WizardOptions {
    SceneFactory scene;  // none: no preview at all
    bool splash = true;
    ImportOptions import;
};

class CMarquillDlg final : public DialogModel, private preview::PreviewHost {
  public:
    CMarquillDlg(WizardHost& host, WizardEnvironment& environment, platform::RandomSource& random,
                 WizardOptions options);
    ~CMarquillDlg() override;
    CMarquillDlg(const CMarquillDlg&) = delete;
    CMarquillDlg& operator=(const CMarquillDlg&) = delete;

    // The dialog's initialisation; false when a start-up check ended the dialog.
    bool initDialog();

    // --- Events --------------------------------------------------------------------------------
    void click(int controlId) override;
    void enter() override;
    void escape() override;
    void close() override;
    // The new selection of a list or drop list (indices, ascending).
    void listSelectionChanged(int controlId, std::vector<int> selection);
    void sliderMoved(int controlId, int position);
    void editChanged(int controlId, std::string_view text);
    void editFocus(int controlId, bool gained);
    // The application became active or inactive. Kept before the preview exists (the splash is
    // up then), so the scene starts from the state the application is in.
    void activate(bool active);
    void timerTick();
    void systemMenu(int command);
    // Celebrities were installed into TemplateCelebrity: an open step 10 lists them again.
    void celebrityFilesChanged();
    // The window was shown by a direct request (true) or hidden, minimised, covered (false).
    void shown(bool direct);
    void moved();
    void paint();
    // A drag on the preview began, and went on `dx` window units from where it began (right
    // positive): the person turns with the pointer, and a rotation stops.
    void previewDragStarted();
    void previewDragged(int dx);
    // The density of the screen the window is on (pixels per window unit), before it is shown
    // and whenever it changes; the preview draws at it.
    void pixelRatioChanged(double ratio);
    // The highest density of all the screens, before the window is first shown: the preview's
    // buffer is made large enough for it.
    void largestPixelRatioKnown(double ratio);

    // --- State ---------------------------------------------------------------------------------
    [[nodiscard]] const ControlSet& controls() const override { return c_.controls; }
    [[nodiscard]] std::string caption() const override;
    [[nodiscard]] std::optional<int> result() const override { return result_; }
    [[nodiscard]] int step() const { return c_.step; }
    [[nodiscard]] bool fashion() const { return c_.design.look.fashionPage; }
    [[nodiscard]] const celeb::PemmData& record() const { return c_.design.record; }
    [[nodiscard]] const std::string& gameFolder() const { return c_.gameFolder; }
    // Where the wizard asks whether the game runs, for the front end's own commands.
    [[nodiscard]] WizardEnvironment& environment() { return c_.environment; }
    [[nodiscard]] preview::PreviewScene* scene() { return c_.scene.get(); }
    [[nodiscard]] const ImportSteps& import() const { return import_; }
    [[nodiscard]] const SaveStep& saveStep() const { return save_; }

    // ShowStep: lays out the current step.
    void showStep();
    // The step machine moves to a step and lays it out, as the save's return to the welcome step
    // does; tests start a page this way.
    void goToStep(int step);

  private:
    // The game when the start-up lookup found none to use at once: the player's pick among
    // several, or a folder chosen through the "not detected" message; none to quit.
    [[nodiscard]] std::optional<std::string> askForGame();
    // The preview's host calls, answered with the wizard's controls and host.
    void setStatus(std::string_view text) override;
    void showMessage(std::string_view title, std::string_view message) override;
    void postQuit(int exitCode) override;
    void setCursor(preview::Cursor cursor) override;
    [[nodiscard]] bool isForeground() const override;
    void defaultButtonStates() override;
    void previewReady() override;
    platform::SoundPlayer& sounds() override;
    void timerChanged(int periodMs) override;

    void hideStepControls();
    void layOutStep();
    void next();
    void back();
    void replaceClicked();
    void quit();
    void about();
    // "Open a saved celebrity...": the file's record and look fill every page, the repairs are
    // listed, and the wizard goes to step 1.
    void openSavedCelebrity();
    void openReadme();
    void end(DialogResult result);
    [[nodiscard]] bool accepts(int controlId) const;

    WizardContext c_;
    platform::RandomSource& random_;
    WizardOptions options_;
    LookPage look_;
    NamePage name_;
    PersonalityPage personality_;
    InterestsPage interests_;
    FamePage fame_;
    SaveStep save_;
    ImportSteps import_;
    std::optional<int> result_;
    bool applicationActive_ = false;
    std::string folderAtStart_, folderBeforeGame_;  // for the trace only
    float dragStartFacing_ = 0;
    double pixelRatio_ = 1.0;
    double largestPixelRatio_ = 1.0;
};

}  // namespace marquill::wizard
