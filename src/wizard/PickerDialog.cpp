#include "wizard/PickerDialog.h"

#include "wizard/ControlIds.h"
#include "wizard/Sounds.h"

namespace marquill::wizard {

PickerDialog::PickerDialog(gamedata::GamePaths paths, platform::SoundPlayer& sounds)
    : SmallDialog(pickerDialogTemplate(), gamedata::NeighborhoodPicker::kTitle),
      picker_(std::move(paths)),
      sounds_(sounds) {
    showText();
}

bool PickerDialog::left() const {
    return result_ && *result_ == id::kPickerLeave;
}

void PickerDialog::showText() {
    controls_.setText(id::kPickerMessage, picker_.text());
}

void PickerDialog::click(int controlId) {
    if (result_) return;
    switch (controlId) {
        case id::kOk:
            sounds_.playNamed(sound::kClick);
            end(id::kOk);
            return;
        case id::kPickerLeave:
            sounds_.playNamed(sound::kClick);
            end(id::kPickerLeave);
            return;
        case id::kPickerNext:
            sounds_.playNamed(sound::kClick);
            picker_.next();
            showText();
            return;
        case id::kPickerBack:
            sounds_.playNamed(sound::kClick);
            picker_.back();
            showText();
            return;
        default:
            return;
    }
}

}  // namespace marquill::wizard
