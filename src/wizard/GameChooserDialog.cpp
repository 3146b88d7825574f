#include "wizard/GameChooserDialog.h"

#include "wizard/ControlIds.h"
#include "wizard/Sounds.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {

namespace {

std::vector<std::string> entriesOf(const std::vector<GameChoice>& games) {
    std::vector<std::string> entries;
    for (const GameChoice& game : games)
        entries.push_back(GameChooserDialog::entryText(game));
    return entries;
}

}  // namespace

ListChoiceDialog::ListChoiceDialog(std::string_view title, std::string_view message,
                                   std::vector<std::string> entries, platform::SoundPlayer& sounds)
    : SmallDialog(gameChooserDialogTemplate(), std::string(title)),
      sounds_(sounds),
      count_(entries.size()) {
    controls_.setText(id::kGameChooserText, message);
    controls_.setItems(id::kGameChooserList, std::move(entries), {0});
}

GameChooserDialog::GameChooserDialog(const std::vector<GameChoice>& games,
                                     platform::SoundPlayer& sounds)
    : ListChoiceDialog(text::kGameChooserTitle, text::kGameChooserMessage, entriesOf(games),
                       sounds) {}

std::string GameChooserDialog::entryText(const GameChoice& game) {
    return game.folder + "   (found by " + game.launchers + ")";
}

void ListChoiceDialog::select(int controlId, const std::vector<int>& selection) {
    if (controlId != id::kGameChooserList || selection.size() != 1) return;
    if (selection[0] < 0 || size_t(selection[0]) >= count_) return;
    controls_.select(id::kGameChooserList, selection[0]);
}

void ListChoiceDialog::click(int controlId) {
    if (controlId != id::kOk && controlId != id::kCancel) return;
    sounds_.playNamed(sound::kClick);
    end(controlId);
}

std::optional<size_t> ListChoiceDialog::chosen() const {
    if (result_ != id::kOk) return std::nullopt;
    const int selected = controls_.at(id::kGameChooserList).selected();
    if (selected < 0) return std::nullopt;
    return size_t(selected);
}

NotDetectedDialog::NotDetectedDialog(platform::SoundPlayer& sounds)
    : SmallDialog(notDetectedDialogTemplate(), std::string(text::kTitleError)), sounds_(sounds) {
    controls_.setText(id::kMessageText, text::kGameNotDetected);
}

void NotDetectedDialog::click(int controlId) {
    if (controlId != id::kOk && controlId != kChooseFolder) return;
    sounds_.playNamed(sound::kClick);
    end(controlId);
}

}  // namespace marquill::wizard
