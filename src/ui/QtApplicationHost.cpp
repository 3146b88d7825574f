#include "ui/QtApplicationHost.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>

#include "app/AnotherGameChoice.h"
#include "ui/CelebrityPackages.h"
#include "ui/DialogColours.h"
#include "ui/WizardDialog.h"
#include "wizard/CMarquillDlg.h"
#include "wizard/WizardTexts.h"

namespace marquill::ui {

QtApplicationHost::QtApplicationHost(QApplication& application, QtWizardHost& host)
    : application_(application), host_(host) {}

void QtApplicationHost::setDialogColours(app::Rgb background, app::Rgb text) {
    applyDialogColours(application_, QColor(background.red, background.green, background.blue),
                       QColor(text.red, text.green, text.blue));
}

void QtApplicationHost::runWizard(wizard::CMarquillDlg& dialog) {
    // Windows are hidden, never closed, when the wizard ends; the loop ends by its quit request.
    application_.setQuitOnLastWindowClosed(false);
    WizardDialog& window = host_.window();
    window.attach(dialog);
    // Later changes arrive as signals; the state the application is in now does not.
    dialog.activate(QGuiApplication::applicationState() == Qt::ApplicationActive);
    if (dialog.initDialog() && !dialog.result() && !host_.exitCode()) {
        addFrontEndMenuItems();
        window.show();
        if (!dialog.result() && !host_.exitCode()) QApplication::exec();
    }
    host_.setFrameTimer(0);
    window.hide();
    window.detach();
}

namespace {

// The wizard's own question, which knows the game's Wine prefix.
std::function<bool(const std::string&)> runningProbe(wizard::CMarquillDlg& model) {
    return [&model](const std::string& gameFolder) {
        return model.environment().isGameRunning(gameFolder);
    };
}

class QtSharePicker final : public SharePicker {
  public:
    explicit QtSharePicker(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> chooseSet(const std::vector<std::string>& sets) override {
        QStringList items;
        for (const std::string& s : sets)
            items.append(QString::fromStdString(s));
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(parent_, QString::fromUtf8(kShareCelebrityTitle.data()),
                                  QStringLiteral("Celebrity to share:"), items, 0, false, &ok);
        if (!ok) return std::nullopt;
        return chosen.toStdString();
    }
    std::optional<std::string> chooseZip(const std::string& suggested) override {
        const QString path =
            QFileDialog::getSaveFileName(parent_, QString::fromUtf8(kShareCelebrityTitle.data()),
                                         QDir::home().filePath(QString::fromStdString(suggested)),
                                         QStringLiteral("Zip archives (*.zip)"));
        if (path.isEmpty()) return std::nullopt;
        return path.toStdString();
    }

  private:
    QWidget* parent_;
};

}  // namespace

void QtApplicationHost::addFrontEndMenuItems() {
    WizardDialog& window = host_.window();
    window.addMenuAction(
        QString::fromUtf8(wizard::text::kChooseAnotherGameMenuItem.data(),
                          qsizetype(wizard::text::kChooseAnotherGameMenuItem.size())),
        [this] { (void)app::chooseAnotherGame(host_, platform::HomeFolders::fromEnvironment()); });
    window.addMenuAction(QStringLiteral("Add downloaded celebrities..."),
                         [this] { addCelebrities({}); });
    window.addMenuAction(QStringLiteral("Share a celebrity..."), [this] { shareCelebrity(); });
    window.setFilesDropped(
        [this](const std::vector<std::string>& paths) { addCelebrities(paths); });
}

void QtApplicationHost::addCelebrities(std::vector<std::string> paths) {
    wizard::CMarquillDlg* model = host_.window().model();
    if (!model) return;
    if (paths.empty()) {
        const QStringList chosen = QFileDialog::getOpenFileNames(
            &host_.window(), QString::fromUtf8(kAddCelebritiesTitle.data()), QDir::homePath(),
            QStringLiteral("Downloaded celebrities (*.zip *.7z *.rar *.tar *.tar.gz *.tgz "
                           "*.tar.bz2 *.tar.xz *.tar.zst *.iff *.srf *.jpg);;All files (*)"));
        for (const QString& path : chosen)
            paths.push_back(path.toStdString());
        if (paths.empty()) return;
    }
    CelebrityPackages packages(host_, runningProbe(*model), host_.window().jpegDecoder());
    if (packages.add(model->gameFolder(), paths)) model->celebrityFilesChanged();
}

void QtApplicationHost::shareCelebrity() {
    wizard::CMarquillDlg* model = host_.window().model();
    if (!model) return;
    QtSharePicker picker(&host_.window());
    CelebrityPackages packages(host_, runningProbe(*model));
    (void)packages.share(model->gameFolder(), picker);
}

}  // namespace marquill::ui
