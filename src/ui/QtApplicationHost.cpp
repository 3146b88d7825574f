#include "ui/QtApplicationHost.h"

#include <QApplication>

#include "app/AnotherGameChoice.h"
#include "gamedata/Backups.h"
#include "platform/GameProcess.h"
#include "platform/GameRegistry.h"
#include "ui/BackupChoiceDialog.h"
#include "ui/DialogColours.h"
#include "ui/ImportUndo.h"
#include "ui/WizardDialog.h"
#include "wizard/CMarquillDlg.h"
#include "wizard/WizardTexts.h"

namespace marquill::ui {

QtApplicationHost::QtApplicationHost(QApplication& application, QtWizardHost& host,
                                     std::optional<std::string> backupRoot)
    : application_(application), host_(host), backupRoot_(std::move(backupRoot)) {}

void QtApplicationHost::setDialogColours(app::Rgb background, app::Rgb text) {
    applyDialogColours(application_, QColor(background.red, background.green, background.blue),
                       QColor(text.red, text.green, text.blue));
}

void QtApplicationHost::runWizard(wizard::CMarquillDlg& dialog) {
    // Windows are hidden, never closed, when the wizard ends; the loop ends by its quit request.
    application_.setQuitOnLastWindowClosed(false);
    WizardDialog& window = host_.window();
    window.attach(dialog);
    if (dialog.initDialog() && !dialog.result() && !host_.exitCode()) {
        addFrontEndMenuItems();
        window.show();
        if (!dialog.result() && !host_.exitCode()) QApplication::exec();
    }
    host_.setFrameTimer(0);
    window.hide();
    window.detach();
}

void QtApplicationHost::addFrontEndMenuItems() {
    host_.window().addMenuAction(QStringLiteral("Undo an import..."), [this] { undoImport(); });
    host_.window().addMenuAction(
        QString::fromUtf8(wizard::text::kChooseAnotherGameMenuItem.data(),
                          qsizetype(wizard::text::kChooseAnotherGameMenuItem.size())),
        [this] { (void)app::chooseAnotherGame(host_, platform::HomeFolders::fromEnvironment()); });
}

void QtApplicationHost::undoImport() {
    const gamedata::BackupStore store =
        backupRoot_ ? gamedata::BackupStore(*backupRoot_) : gamedata::BackupStore();
    BackupChoiceChooser chooser(host_.assets(), host_.sounds(), &host_.window());
    ImportUndo undo(store, host_, chooser, [](const std::string& gameFolder) {
        return platform::isGameRunning(gameFolder, platform::defaultWinePrefix());
    });
    (void)undo.run();
}

}  // namespace marquill::ui
