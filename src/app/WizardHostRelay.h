#pragma once
// The host the application gives the wizard: the front end's host, except that documents and
// addresses open through the desktop's opener, and that the application's quit request is kept
// as the process's exit status.
#include <optional>

#include "platform/ShellOpener.h"
#include "wizard/WizardHost.h"

namespace marquill::app {

class WizardHostRelay final : public wizard::WizardHost {
  public:
    WizardHostRelay(wizard::WizardHost& frontEnd, platform::ShellOpener& shell)
        : frontEnd_(frontEnd), shell_(shell) {}

    // The exit code of the quit request, when there was one.
    [[nodiscard]] std::optional<int> quitCode() const { return quitCode_; }

    int runModal(wizard::DialogModel& dialog) override { return frontEnd_.runModal(dialog); }
    std::optional<std::string> chooseSavePath(const celeb::SaveDialogRequest& request) override {
        return frontEnd_.chooseSavePath(request);
    }
    std::optional<std::string> chooseFolder(std::string_view title,
                                            const std::string& initialFolder) override {
        return frontEnd_.chooseFolder(title, initialFolder);
    }
    std::optional<std::string> chooseOpenPath(std::string_view title, std::string_view filter,
                                              const std::string& initialFolder) override {
        return frontEnd_.chooseOpenPath(title, filter, initialFolder);
    }
    void controlsChanged(const std::vector<int>& controlIds) override {
        frontEnd_.controlsChanged(controlIds);
    }
    void redraw() override { frontEnd_.redraw(); }
    void previewChanged(const wizard::PreviewFrame& frame) override {
        frontEnd_.previewChanged(frame);
    }
    void setIcon(std::string_view large, std::string_view small) override {
        frontEnd_.setIcon(large, small);
    }
    void appendSystemMenuItem(std::string_view text, int command) override {
        frontEnd_.appendSystemMenuItem(text, command);
    }
    void addToolTip(int controlId, std::string_view text) override {
        frontEnd_.addToolTip(controlId, text);
    }
    void setCursor(wizard::Cursor cursor) override { frontEnd_.setCursor(cursor); }
    [[nodiscard]] bool isForeground() const override { return frontEnd_.isForeground(); }
    void setFrameTimer(int periodMs) override { frontEnd_.setFrameTimer(periodMs); }
    void openShell(std::string_view pathOrAddress) override;
    platform::SoundPlayer& sounds() override { return frontEnd_.sounds(); }
    void trace(std::string_view line) override { frontEnd_.trace(line); }
    void endDialog(wizard::DialogResult result) override { frontEnd_.endDialog(result); }
    void postQuit(int exitCode) override;

  private:
    wizard::WizardHost& frontEnd_;
    platform::ShellOpener& shell_;
    std::optional<int> quitCode_;
};

}  // namespace marquill::app
