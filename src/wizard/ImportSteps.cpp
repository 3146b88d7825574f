#include "wizard/ImportSteps.h"

#include <vector>

#include "gamedata/Backups.h"
#include "gamedata/CelebritySearch.h"
#include "gamedata/ChosenPerson.h"
#include "gamedata/Reporter.h"
#include "platform/GamePath.h"
#include "wizard/ControlIds.h"
#include "wizard/PickerDialog.h"
#include "wizard/Sounds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

ImportSteps::ImportSteps(WizardContext& context, ImportOptions options)
    : c_(context), options_(std::move(options)) {}

void ImportSteps::scanProgress(std::string_view status, int position, int count) {
    c_.controls.show(id::kProgress, true);
    c_.controls.setRange(id::kProgress, 0, count);
    c_.controls.setPosition(id::kProgress, position);
    if (!status.empty()) c_.setStatus(status);
    c_.redraw();
}

void ImportSteps::endScan() {
    c_.controls.show(id::kProgress, false);
}

bool ImportSteps::chooseNeighborhood() {
    for (;;) {
        c_.setStatus(text::kStepHints[9]);
        c_.trace(text::kStepTitles[9]);
        c_.flush();
        PickerDialog picker(paths(), c_.host.sounds());
        c_.beginModal();
        (void)c_.host.runModal(picker);
        c_.endModal();
        if (picker.left()) return false;

        neighborhood_ = picker.chosen();
        neighborhoodFile_ = paths().neighborhoodFile(neighborhood_);
        personFolder_ = paths().personFolder(neighborhood_);
        personPath_.clear();
        personName_.clear();
        c_.setCursor(Cursor::Wait);
        c_.controls.setItems(id::kCelebrities, {}, {});
        const gamedata::CelebritySearchResult found = gamedata::searchCelebrities(
            paths(), neighborhood_, [this](std::string_view s, int position, int count) {
                scanProgress(s, position, count);
            });
        endScan();
        c_.setCursor(Cursor::Arrow);
        if (!found.found()) {
            c_.trace(text::kTraceNoCelebrities);
            c_.showMessage(gamedata::kWarningTitle, text::kNoCelebrities);
            continue;
        }
        std::vector<std::string> entries;
        for (const gamedata::CelebrityEntry& e : found.entries)
            entries.push_back(e.listText());
        const bool any = !entries.empty();
        c_.controls.setItems(id::kCelebrities, std::move(entries),
                             any ? std::vector<int>{0} : std::vector<int>{});
        c_.controls.show(id::kCelebrities, true);
        c_.setStatus(text::kSelectCelebrity);
        celebritySelected(0);
        return true;
    }
}

void ImportSteps::listCelebrityFiles() {
    c_.setCursor(Cursor::Wait);
    c_.controls.setItems(id::kCelebrityFiles, {}, {});
    celebrityPath_.clear();
    std::vector<std::string> files = gamedata::listCelebrityFiles(
        paths(),
        [this](std::string_view s, int position, int count) { scanProgress(s, position, count); });
    endScan();
    fileRows_.clear();
    std::string folder = paths().templateCelebrityFolder();
    folder.pop_back();
    for (const std::string& f : files)
        fileRows_.push_back(gamedata::describeCelebrityFile(folder, f));
    const bool any = !files.empty();
    c_.controls.setItems(id::kCelebrityFiles, std::move(files),
                         any ? std::vector<int>{0} : std::vector<int>{});
    c_.controls.show(id::kCelebrityFiles, true);
    celebrityFileSelected(0);
    c_.setCursor(Cursor::Arrow);
}

void ImportSteps::showPerson(const std::string& path) {
    c_.setCursor(Cursor::Wait);
    const gamedata::ChosenPerson person = gamedata::readChosenPerson(path);
    if (person.opened) personName_ = person.displayName;
    if (person.appearance) c_.chooseAppearance(*person.appearance);
    c_.setCursor(Cursor::Arrow);
}

void ImportSteps::celebritySelected(int index) {
    const ControlState& list = c_.controls.at(id::kCelebrities);
    if (list.items.empty() || index < 0 || static_cast<size_t>(index) >= list.items.size()) return;
    c_.controls.select(id::kCelebrities, index);
    c_.play(sound::kClick);
    personPath_ = personFolder_ + gamedata::entryFileName(list.items[static_cast<size_t>(index)]);
    showPerson(personPath_);
}

void ImportSteps::celebrityFileSelected(int index) {
    const ControlState& list = c_.controls.at(id::kCelebrityFiles);
    if (list.items.empty() || index < 0 || static_cast<size_t>(index) >= list.items.size()) return;
    c_.controls.select(id::kCelebrityFiles, index);
    c_.play(sound::kClick);
    celebrityPath_ =
        platform::resolveGamePath(c_.gameFolder, std::string(text::kTemplateFolderName) + "/" +
                                                     list.items[static_cast<size_t>(index)]);
    showPerson(celebrityPath_);
}

void ImportSteps::replace() {
    c_.redraw();
    if (c_.scene) c_.scene->frame();
    c_.host.previewChanged(takePreviewFrame(c_.scene.get()));
    c_.setCursor(Cursor::Wait);
    lastReplace_.reset();
    if (!personPath_.empty() && !celebrityPath_.empty()) {
        c_.beginModal();
        gamedata::ReplaceRequest request;
        request.gameFolder = c_.gameFolder;
        request.neighborhood = neighborhood_;
        request.personPath = personPath_;
        request.celebrityPath = celebrityPath_;
        gamedata::BackupStore backups = options_.backupRoot
                                            ? gamedata::BackupStore(*options_.backupRoot)
                                            : gamedata::BackupStore();
        gamedata::GuidSource& guids = options_.guids ? *options_.guids : clockGuids_;
        lastReplace_ = gamedata::replaceCelebrity(request, backups, guids);
        c_.endModal();
    }
    c_.setCursor(Cursor::Arrow);
    if (!lastReplace_) {
        c_.showMessage(gamedata::kErrorTitle,
                       personPath_.empty() ? text::kNoPersonToReplace : text::kNoCelebrityFile);
        return;
    }
    if (lastReplace_->outcome != gamedata::ReplaceResult::Outcome::Replaced) {
        // The person file is as it was; the player should know the import did not happen.
        c_.showMessage(gamedata::kErrorTitle, lastReplace_->message);
    } else {
        c_.setStatus(text::kReplaced);
        c_.redraw();
    }
}

}  // namespace marquill::wizard
