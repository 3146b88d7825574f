// The dialog's initialisation: the splash, the game folder, the tool tips and control ranges,
// and the checks that the game is not running and that the TemplateCelebrity folder exists.
#include "celeb/Vocabulary.h"
#include "platform/GamePath.h"
#include "platform/SystemClock.h"
#include "wizard/CMarquillDlg.h"
#include "wizard/ControlIds.h"
#include "wizard/GameChooserDialog.h"
#include "wizard/SmallDialogs.h"
#include "wizard/ToolTips.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

bool CMarquillDlg::initDialog() {
    c_.trace(text::kTraceIniting);
    random_.seed(static_cast<uint32_t>(platform::secondsSinceEpoch()));
    folderAtStart_ = c_.environment.currentFolder();
    c_.startupDirectory = c_.environment.startupDirectory();

    c_.controls.enable(id::kSaveToGame, false);

    if (options_.splash) {
        c_.setCursor(Cursor::Wait);
        SplashDialog splash;
        (void)c_.host.runModal(splash);
    }
    // Cuts the start-up sound off.
    c_.host.sounds().stopAll();
    c_.setCursor(Cursor::Arrow);

    c_.host.appendSystemMenuItem("", 0);
    c_.host.appendSystemMenuItem(text::kOpenSavedMenuItem, id::kSystemMenuOpenSaved);
    c_.host.appendSystemMenuItem(text::kUndoImportMenuItem, id::kSystemMenuUndoImport);
    c_.host.appendSystemMenuItem(text::kAboutMenuItem, id::kSystemMenuAbout);

    c_.setStatus(text::kCheckingForGame);
    c_.trace(text::kTraceChecking);
    c_.flush();
    std::optional<std::string> game = c_.environment.gameFolder();
    if (!game) game = askForGame();
    if (!game) {
        c_.trace(text::kTraceNotFound);
        postQuit(0);
        return false;
    }
    c_.gameFolder = *game;
    c_.trace(std::string(text::kTraceFound) + c_.gameFolder);

    c_.host.setIcon("ICON", "ICONSMALL");

    folderBeforeGame_ = c_.environment.currentFolder();
    (void)c_.environment.changeFolder(c_.gameFolder);
    if (options_.scene) c_.scene = options_.scene(*this, c_.gameFolder, c_.design.look);
    if (c_.scene) c_.scene->setApplicationActive(applicationActive_);
    if (c_.scene) c_.scene->setPixelRatio(pixelRatio_);
    if (c_.scene) c_.scene->setLargestPixelRatio(largestPixelRatio_);

    c_.trace(text::kTraceToolTips);
    for (const ToolTip& tip : toolTips())
        c_.host.addToolTip(tip.controlId, tip.text);

    c_.setStatus(text::kToolInitialized);
    c_.trace(text::kTraceInitialized);
    if (c_.scene) c_.scene->setToolInitialised(true);

    ControlSet& k = c_.controls;
    k.setRange(id::kZoom, preview::kZoomMinimum, preview::kZoomMaximum);
    k.edit(id::kZoom).tickFrequency = 1;
    k.setPosition(id::kZoom, preview::kInitialZoom);
    k.select(id::kFacing, preview::kInitialFacingChoice);
    k.select(id::kRotate, 0);
    for (int trait = 0; trait < celeb::kTraitCount; ++trait) {
        k.setRange(traitSlider(trait), 0, 10);
        k.edit(traitSlider(trait)).tickFrequency = 1;
        k.setPosition(traitSlider(trait), 0);
    }
    interests_.fill();
    fame_.fill();
    c_.flush();

    if (c_.environment.isGameRunning(c_.gameFolder)) {
        c_.showMessage(text::kTitleWarning, text::kGameRunning);
        end(DialogResult::Cancel);
        return false;
    }

    const std::string templateFolder =
        platform::resolveGamePath(c_.gameFolder, text::kTemplateFolderName);
    if (!c_.environment.changeFolder(templateFolder) &&
        !c_.environment.createFolder(templateFolder)) {
        c_.showMessage(text::kTitleWarning, text::kNoTemplateFolder);
        end(DialogResult::Cancel);
        return false;
    }
    (void)c_.environment.changeFolder(c_.gameFolder);

    c_.step = 0;
    showStep();
    c_.flush();
    return true;
}

std::optional<std::string> CMarquillDlg::askForGame() {
    if (auto games = c_.environment.gamesToChoose(); !games.empty()) {
        GameChooserDialog chooser(games, c_.host.sounds());
        (void)c_.host.runModal(chooser);
        if (auto chosen = chooser.chosen()) return c_.environment.chooseGame(*chosen);
        return std::nullopt;
    }
    // Not detected: the message, with a way on through the folder dialog.
    for (;;) {
        NotDetectedDialog message(c_.host.sounds());
        if (c_.host.runModal(message) != NotDetectedDialog::kChooseFolder) return std::nullopt;
        auto folder = c_.host.chooseFolder(text::kChooseGameFolderTitle, folderAtStart_);
        if (!folder) return std::nullopt;
        if (auto game = c_.environment.useGameFolder(*folder)) return game;
        c_.showMessage(text::kTitleError, text::kNoGameInFolder);
    }
}

}  // namespace marquill::wizard
