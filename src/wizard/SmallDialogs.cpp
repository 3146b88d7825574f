#include "wizard/SmallDialogs.h"

#include "wizard/ControlIds.h"
#include "wizard/Sounds.h"

namespace marquill::wizard {

namespace {
bool continuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

size_t characterCount(std::string_view text) {
    size_t n = 0;
    for (char c : text)
        if (!continuationByte(c)) ++n;
    return n;
}

std::string firstCharacters(std::string_view text, size_t limit) {
    size_t n = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (continuationByte(text[i])) continue;
        if (n == limit) return std::string(text.substr(0, i));
        ++n;
    }
    return std::string(text);
}

MessageDialog::MessageDialog(std::string_view title, std::string_view message,
                             platform::SoundPlayer& sounds)
    : SmallDialog(messageDialogTemplate(), firstCharacters(title, kTitleLimit)), sounds_(sounds) {
    controls_.setText(id::kMessageText, firstCharacters(message, kMessageLimit));
}

void MessageDialog::click(int controlId) {
    if (controlId != id::kOk) return;
    sounds_.playNamed(sound::kClick);
    end(static_cast<int>(DialogResult::Ok));
}

ConfirmDialog::ConfirmDialog(std::string_view title, std::string_view message,
                             platform::SoundPlayer& sounds)
    : SmallDialog(confirmDialogTemplate(), firstCharacters(title, kTitleLimit)), sounds_(sounds) {
    controls_.setText(id::kMessageText, firstCharacters(message, kQuestionLimit));
}

void ConfirmDialog::click(int controlId) {
    if (controlId != id::kOk && controlId != id::kCancel) return;
    sounds_.playNamed(sound::kClick);
    end(controlId == id::kOk ? static_cast<int>(DialogResult::Ok)
                             : static_cast<int>(DialogResult::Cancel));
}

SplashDialog::SplashDialog() : SmallDialog(splashDialogTemplate(), "") {}

AboutDialog::AboutDialog(platform::SoundPlayer& sounds, std::function<void()> openReadme)
    : SmallDialog(aboutDialogTemplate(), std::string(aboutDialogTemplate().caption)),
      sounds_(sounds),
      openReadme_(std::move(openReadme)) {}

void AboutDialog::click(int controlId) {
    if (controlId == id::kOk) {
        sounds_.playNamed(sound::kClick);
        end(static_cast<int>(DialogResult::Ok));
    } else if (controlId == id::kAboutHelp) {
        if (openReadme_) openReadme_();
        end(static_cast<int>(DialogResult::Ok));
    }
}

}  // namespace marquill::wizard
