#pragma once
// The application's front end on Qt: the dialog colours, the wizard's host and the wizard as the
// main window, with the front end's own items in its context menu.
#include <optional>
#include <string>
#include <vector>

#include "app/ApplicationHost.h"
#include "ui/QtWizardHost.h"

class QApplication;

namespace marquill::ui {

class QtApplicationHost final : public app::ApplicationHost {
  public:
    QtApplicationHost(QApplication& application, QtWizardHost& host);
    QtApplicationHost(const QtApplicationHost&) = delete;
    QtApplicationHost& operator=(const QtApplicationHost&) = delete;

    void setDialogColours(app::Rgb background, app::Rgb text) override;
    wizard::WizardHost& wizardHost() override { return host_; }
    void runWizard(wizard::CMarquillDlg& dialog) override;

    // The front end's own context-menu items (the game chooser, the packages) and the drop of
    // files on the wizard's window.
    void addFrontEndMenuItems();
    // Installs downloaded celebrities (dropped, or chosen in a file dialog when `paths` is empty).
    void addCelebrities(std::vector<std::string> paths);
    void shareCelebrity();

  private:
    QApplication& application_;
    QtWizardHost& host_;
};

}  // namespace marquill::ui
