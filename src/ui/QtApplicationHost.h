#pragma once
// The application's front end on Qt: the dialog colours, the wizard's host and the wizard as the
// main window, with the front end's own "Undo an import..." in its context menu.
#include <optional>
#include <string>

#include "app/ApplicationHost.h"
#include "ui/QtWizardHost.h"

class QApplication;

namespace marquill::ui {

class QtApplicationHost final : public app::ApplicationHost {
  public:
    // `backupRoot`: where the imports' backups are; none: the user's store.
    QtApplicationHost(QApplication& application, QtWizardHost& host,
                      std::optional<std::string> backupRoot = std::nullopt);
    QtApplicationHost(const QtApplicationHost&) = delete;
    QtApplicationHost& operator=(const QtApplicationHost&) = delete;

    void setDialogColours(app::Rgb background, app::Rgb text) override;
    wizard::WizardHost& wizardHost() override { return host_; }
    void runWizard(wizard::CMarquillDlg& dialog) override;

    // Called once the window is shown, before the event loop runs (tests drive the window here).
    std::function<void(wizard::CMarquillDlg&)> onShown;

  private:
    void undoImport();

    QApplication& application_;
    QtWizardHost& host_;
    std::optional<std::string> backupRoot_;
};

}  // namespace marquill::ui
