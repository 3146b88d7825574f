#include "wizard/CMarquillDlg.h"

#include <algorithm>

#include "wizard/ControlIds.h"
#include "wizard/ImportUndo.h"
#include "wizard/Sounds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

SceneFactory standardSceneFactory(platform::RandomSource& random,
                                  preview::PreviewEnvironment environment) {
    auto shared = std::make_shared<preview::PreviewEnvironment>(std::move(environment));
    return [&random, shared](preview::PreviewHost& host, const std::string& gameFolder,
                             character::LookSelection& look) {
        preview::PreviewEnvironment sceneEnvironment = *shared;
        sceneEnvironment.look = &look;
        return std::make_unique<preview::PreviewScene>(host, gameFolder, preview::kPreviewWidth,
                                                       preview::kPreviewHeight, random,
                                                       std::move(sceneEnvironment));
    };
}

CMarquillDlg::CMarquillDlg(WizardHost& host, WizardEnvironment& environment,
                           platform::RandomSource& random, WizardOptions options)
    : c_(host, environment),
      random_(random),
      options_(std::move(options)),
      look_(c_),
      name_(c_),
      personality_(c_),
      interests_(c_),
      fame_(c_),
      save_(c_),
      import_(c_, options_.import) {}

// The scene goes first: it may still call back into the controls while it is torn down.
CMarquillDlg::~CMarquillDlg() {
    c_.scene.reset();
}

std::string CMarquillDlg::caption() const {
    return std::string(c_.controls.dialogTemplate().caption);
}

bool CMarquillDlg::accepts(int controlId) const {
    if (result_) return false;
    const ControlLayout* layout = c_.controls.dialogTemplate().find(controlId);
    if (!layout) return false;
    const ControlState& s = c_.controls.at(controlId);
    // A never-shown button still takes a click sent to it, as a platform button does.
    return s.enabled && (s.visible || layout->has(style::kHidden));
}

void CMarquillDlg::click(int controlId) {
    if (!accepts(controlId)) return;
    switch (controlId) {
        case id::kNext:
        case id::kCreate:
            next();
            break;
        case id::kBack:
            back();
            break;
        case id::kReplace:
            replaceClicked();
            break;
        case id::kSave:
            if (save_.save()) {
                goToStep(0);
                c_.redraw();
                c_.refillLists();
                save_.finish();
            }
            break;
        case id::kHelp:
            openReadme();
            break;
        case id::kAbout:
            c_.host.sounds().playNamedAndWait(sound::kClick);
            about();
            break;
        case id::kQuit:
            quit();
            break;
        case id::kMale:
        case id::kFemale:
            look_.genderClicked(controlId);
            break;
        case id::kSign:
            personality_.signClicked();
            break;
        case id::kAddTop:
        case id::kAddLow:
            interests_.add(controlId);
            break;
        case id::kRemoveTop:
        case id::kRemoveLow:
            interests_.remove(controlId);
            break;
        case id::kReload:
            look_.rescan();
            break;
        default:
            // The default OK (Enter), and the never-used Load and Save-to-game buttons.
            break;
    }
    c_.flush();
}

void CMarquillDlg::enter() {}

void CMarquillDlg::escape() {
    if (!result_) quit();
}

void CMarquillDlg::close() {
    if (!result_) quit();
}

void CMarquillDlg::listSelectionChanged(int controlId, std::vector<int> selection) {
    if (!accepts(controlId)) return;
    const ControlLayout* layout = c_.controls.dialogTemplate().find(controlId);
    if (layout->kind != ControlKind::List && layout->kind != ControlKind::DropList) return;
    const int count = static_cast<int>(c_.controls.at(controlId).items.size());
    std::sort(selection.begin(), selection.end());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
    std::erase_if(selection, [count](int i) { return i < 0 || i >= count; });
    if (!layout->has(style::kMultipleSelection) && selection.size() > 1)
        selection.erase(selection.begin() + 1, selection.end());
    {
        const ControlState& s = c_.controls.at(controlId);
        if (s.selection != selection) c_.controls.edit(controlId).selection = selection;
    }
    const int first = selection.empty() ? -1 : selection.front();
    switch (controlId) {
        case id::kHeadMesh:
        case id::kHeadTexture:
        case id::kBodyMesh:
        case id::kBodyTexture:
        case id::kBodyType:
        case id::kSkinType:
            look_.listChanged(controlId, first);
            break;
        case id::kFacing:
            if (c_.scene && first >= 0)
                c_.scene->selectFacing(first);
            else
                c_.play(sound::kClick);
            break;
        case id::kRotate:
            if (c_.scene && first >= 0)
                c_.scene->selectRotate(first);
            else
                c_.play(sound::kClick);
            break;
        case id::kFame:
            fame_.levelChosen(first);
            break;
        case id::kCelebrities:
            import_.celebritySelected(first);
            break;
        case id::kCelebrityFiles:
            import_.celebrityFileSelected(first);
            break;
        default:
            break;
    }
    c_.flush();
}

void CMarquillDlg::celebrityFilesChanged() {
    if (c_.step == 10) {
        import_.listCelebrityFiles();
        c_.setStatus(text::kStepHints[10]);  // in place of the scan's last progress text
    }
    c_.flush();
}

void CMarquillDlg::sliderMoved(int controlId, int position) {
    if (!accepts(controlId)) return;
    c_.controls.setPosition(controlId, position);
    switch (controlId) {
        case id::kZoom:
            if (c_.scene) c_.scene->setZoom(c_.controls.at(id::kZoom).position);
            break;
        case id::kNice:
        case id::kNeat:
        case id::kOutgoing:
        case id::kActive:
        case id::kPlayful:
            personality_.refresh();
            break;
        default:
            break;
    }
    c_.flush();
}

void CMarquillDlg::editChanged(int controlId, std::string_view text) {
    if (!accepts(controlId)) return;
    name_.edited(controlId, text);
    c_.flush();
}

void CMarquillDlg::editFocus(int controlId, bool gained) {
    if (!accepts(controlId)) return;
    name_.focus(controlId, gained);
    c_.flush();
}

void CMarquillDlg::activate(bool active) {
    applicationActive_ = active;
    if (c_.scene) c_.scene->setApplicationActive(active);
}

void CMarquillDlg::timerTick() {
    if (result_ || !c_.scene) return;
    c_.scene->timerTick();
    c_.host.previewChanged(takePreviewFrame(c_.scene.get()));
    c_.flush();
}

void CMarquillDlg::systemMenu(int command) {
    if (result_) return;
    if (command == id::kSystemMenuAbout) about();
    if (command == id::kSystemMenuOpenSaved) openSavedCelebrity();
    if (command == id::kSystemMenuUndoImport) {
        const gamedata::BackupStore store = options_.import.backupRoot
                                                ? gamedata::BackupStore(*options_.import.backupRoot)
                                                : gamedata::BackupStore();
        (void)ImportUndo(store, c_.host, c_.environment).run();
    }
    c_.flush();
}

void CMarquillDlg::shown(bool direct) {
    if (c_.scene && !result_) c_.scene->show(direct);
}

void CMarquillDlg::moved() {
    if (c_.scene) c_.scene->windowMoved();
}

void CMarquillDlg::paint() {
    if (!c_.scene) return;
    c_.scene->paint();
    c_.host.previewChanged(takePreviewFrame(c_.scene.get()));
}

void CMarquillDlg::previewDragStarted() {
    if (c_.scene) dragStartFacing_ = c_.scene->cameraSettings().facing;
}

void CMarquillDlg::previewDragged(int dx) {
    if (!c_.scene || c_.scene->busy()) return;
    // A drag across the whole preview turns the person once around. A growing facing moves the
    // person's near side left on the screen; a drag to the right lowers it, so that side follows
    // the pointer.
    constexpr float kQuarterTurnsPerUnit = 4.0f / static_cast<float>(preview::kPreviewWidth);
    c_.scene->setFacing(dragStartFacing_ - static_cast<float>(dx) * kQuarterTurnsPerUnit);
}

void CMarquillDlg::pixelRatioChanged(double ratio) {
    pixelRatio_ = ratio;
    if (c_.scene) c_.scene->setPixelRatio(ratio);
}

void CMarquillDlg::largestPixelRatioKnown(double ratio) {
    largestPixelRatio_ = ratio;
    if (c_.scene) c_.scene->setLargestPixelRatio(ratio);
}

// --- The preview's host --------------------------------------------------------------------------

void CMarquillDlg::setStatus(std::string_view text) {
    c_.setStatus(text);
    c_.redraw();
}

void CMarquillDlg::showMessage(std::string_view title, std::string_view message) {
    c_.showMessage(title, message);
}

void CMarquillDlg::postQuit(int exitCode) {
    if (result_) return;
    result_ = static_cast<int>(DialogResult::Cancel);
    c_.host.postQuit(exitCode);
}

void CMarquillDlg::setCursor(preview::Cursor cursor) {
    c_.setCursor(cursor);
}

bool CMarquillDlg::isForeground() const {
    return c_.host.isForeground();
}

void CMarquillDlg::defaultButtonStates() {
    look_.defaultButtonStates();
}

void CMarquillDlg::previewReady() {
    name_.limitFields();
    c_.showLists();
    c_.flush();
}

platform::SoundPlayer& CMarquillDlg::sounds() {
    return c_.host.sounds();
}

void CMarquillDlg::timerChanged(int periodMs) {
    c_.host.setFrameTimer(periodMs);
}

void CMarquillDlg::end(DialogResult result) {
    if (result_) return;
    result_ = static_cast<int>(result);
    c_.host.endDialog(result);
}

}  // namespace marquill::wizard
