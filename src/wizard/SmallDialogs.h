#pragma once
// The tool's small modal dialogs as models: the message dialog CPemmSaved, the confirmation
// CDMOKCancel, the splash IDD_TITLE and the About dialog. Every accepted button press clicks.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/SoundPlayer.h"
#include "wizard/DialogModel.h"

namespace marquill::wizard {

// What the small dialogs share: their controls, caption and result.
class SmallDialog : public DialogModel {
  public:
    [[nodiscard]] const ControlSet& controls() const override { return controls_; }
    [[nodiscard]] std::string caption() const override { return caption_; }
    [[nodiscard]] std::optional<int> result() const override { return result_; }

  protected:
    SmallDialog(const DialogTemplate& dialog, std::string caption)
        : controls_(dialog), caption_(std::move(caption)) {}
    void end(int value) {
        if (!result_) result_ = value;
    }
    ControlSet controls_;
    std::string caption_;
    std::optional<int> result_;
};

// Titles are kept to 1023 characters, messages to 1023 (CPemmSaved) or 2047 (CDMOKCancel).
inline constexpr size_t kTitleLimit = 1023;
inline constexpr size_t kMessageLimit = 1023;
inline constexpr size_t kQuestionLimit = 2047;

class MessageDialog final : public SmallDialog {
  public:
    MessageDialog(std::string_view title, std::string_view message, platform::SoundPlayer& sounds);
    void click(int controlId) override;
    void enter() override { click(1); }
    void escape() override { end(static_cast<int>(DialogResult::Cancel)); }
    void close() override { escape(); }

  private:
    platform::SoundPlayer& sounds_;
};

class ConfirmDialog final : public SmallDialog {
  public:
    ConfirmDialog(std::string_view title, std::string_view message, platform::SoundPlayer& sounds);
    void click(int controlId) override;
    void enter() override { click(1); }
    void escape() override { end(static_cast<int>(DialogResult::Cancel)); }
    void close() override { escape(); }

  private:
    platform::SoundPlayer& sounds_;
};

// Closes by itself after 6300 ms, on a click inside it, or on Enter.
class SplashDialog final : public SmallDialog {
  public:
    static constexpr int kShowMs = 6300;
    SplashDialog();
    void click(int) override { end(static_cast<int>(DialogResult::Ok)); }
    void enter() override { end(static_cast<int>(DialogResult::Ok)); }
    void escape() override { end(static_cast<int>(DialogResult::Cancel)); }
    void close() override { escape(); }
    [[nodiscard]] int autoCloseMs() const override { return kShowMs; }
    void timeout() override { end(static_cast<int>(DialogResult::Ok)); }
};

// OK clicks and closes; the small HELP button in the corner opens the readme and closes.
class AboutDialog final : public SmallDialog {
  public:
    AboutDialog(platform::SoundPlayer& sounds, std::function<void()> openReadme);
    void click(int controlId) override;
    void enter() override { click(1); }
    void escape() override { end(static_cast<int>(DialogResult::Cancel)); }
    void close() override { escape(); }

  private:
    platform::SoundPlayer& sounds_;
    std::function<void()> openReadme_;
};

// The first `limit` characters of UTF-8 text (a character being one code point).
[[nodiscard]] std::string firstCharacters(std::string_view text, size_t limit);
[[nodiscard]] size_t characterCount(std::string_view text);

}  // namespace marquill::wizard
