#include "ui/QtWizardHost.h"

#include <algorithm>
#include <chrono>

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QUrl>

#include "ui/PreviewWidget.h"
#include "ui/TemplateDialog.h"
#include "ui/TemplateView.h"
#include "ui/WizardDialog.h"
#include "wizard/CMarquillDlg.h"
#include "wizard/ControlIds.h"

Q_LOGGING_CATEGORY(marquillTrace, "marquill.trace", QtWarningMsg)
Q_LOGGING_CATEGORY(marquillStatus, "marquill.status", QtWarningMsg)

namespace marquill::ui {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString nameFiltersFrom(std::string_view windowsFilter) {
    const QStringList parts = fromUtf8(windowsFilter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty()) continue;
        filters.append(description.contains(u'(') ? description
                                                  : description + " (" + patterns + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

QtWizardHost::QtWizardHost(AssetFolder assets, platform::SoundPlayer& sounds)
    : assets_(std::move(assets)),
      sounds_(sounds),
      window_(std::make_unique<WizardDialog>(assets_)) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &QtWizardHost::frameTimerTick);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &QtWizardHost::applicationStateChanged);
}

QtWizardHost::~QtWizardHost() {
    timer_.stop();
    if (waitCursor_) QApplication::restoreOverrideCursor();
}

void QtWizardHost::frameTimerTick() {
    const auto late = std::chrono::nanoseconds(sinceTick_.nsecsElapsed()) -
                      std::chrono::milliseconds(timer_.interval());
    sinceTick_.start();
    core_.woke(std::chrono::duration_cast<std::chrono::microseconds>(late));
    if (auto* model = window_->model()) model->timerTick();
}

void QtWizardHost::stopFrameTimer() {
    timer_.stop();
    core_.letGo();
}

void QtWizardHost::applicationStateChanged(Qt::ApplicationState state) {
    if (auto* model = window_->model()) model->activate(state == Qt::ApplicationActive);
}

int QtWizardHost::runModal(wizard::DialogModel& dialog) {
    QWidget* parent = window_->isVisible() ? window_.get() : nullptr;
    TemplateDialog shown(dialog, assets_, parent);
    if (parent) shown.setWindowIcon(window_->windowIcon());
    return shown.run();
}

std::optional<std::string> QtWizardHost::chooseSavePath(const celeb::SaveDialogRequest& request) {
    QFileDialog dialog(window_->isVisible() ? window_.get() : nullptr, fromUtf8(request.title),
                       QString::fromStdString(request.initialFolder),
                       nameFiltersFrom(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QString suffix = QString::fromStdString(request.defaultExtension);
    if (suffix.startsWith(u'.')) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (!request.defaultName.empty())
        dialog.selectFile(QString::fromStdString(request.defaultName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtWizardHost::chooseFolder(std::string_view title,
                                                      const std::string& initialFolder) {
    QFileDialog dialog(window_->isVisible() ? window_.get() : nullptr, fromUtf8(title),
                       QString::fromStdString(initialFolder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtWizardHost::chooseOpenPath(std::string_view title,
                                                        std::string_view filter,
                                                        const std::string& initialFolder) {
    QFileDialog dialog(window_->isVisible() ? window_.get() : nullptr, fromUtf8(title),
                       QString::fromStdString(initialFolder), nameFiltersFrom(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

void QtWizardHost::controlsChanged(const std::vector<int>& controlIds) {
    window_->mirror(controlIds);
    // With QT_LOGGING_RULES="marquill.status.info=true" each status text is written as it shows,
    // which lets a script time the start.
    auto* model = window_->model();
    if (model && marquillStatus().isInfoEnabled() &&
        std::find(controlIds.begin(), controlIds.end(), wizard::id::kStatus) != controlIds.end()) {
        const std::string& text = model->controls().at(wizard::id::kStatus).text;
        qCInfo(marquillStatus, "%s", text.c_str());
    }
}

void QtWizardHost::redraw() {
    // Inside a long operation nothing returns to the event loop until it ends.
    window_->repaint();
}

void QtWizardHost::previewChanged(const wizard::PreviewFrame& frame) {
    window_->preview().showFrame(frame);
}

void QtWizardHost::setIcon(std::string_view large, std::string_view small) {
    QIcon icon;
    for (std::string_view name : {large, small}) {
        const QString path = assets_.filePath(std::string(name) + ".png");
        if (!path.isEmpty()) icon.addFile(path);
    }
    if (!icon.isNull()) {
        window_->setWindowIcon(icon);
        QApplication::setWindowIcon(icon);
    }
}

void QtWizardHost::appendSystemMenuItem(std::string_view text, int command) {
    window_->addSystemMenuItem(fromUtf8(text), command);
}

void QtWizardHost::addToolTip(int controlId, std::string_view text) {
    window_->view().addToolTip(controlId, fromUtf8(text));
}

void QtWizardHost::setCursor(wizard::Cursor cursor) {
    const bool wait = cursor == wizard::Cursor::Wait;
    if (wait == waitCursor_) return;
    waitCursor_ = wait;
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool QtWizardHost::isForeground() const {
    return window_->isActiveWindow();
}

void QtWizardHost::setFrameTimer(int periodMs) {
    if (periodMs <= 0) {
        stopFrameTimer();
        return;
    }
    if (!timer_.isActive() || timer_.interval() != periodMs) {
        timer_.start(periodMs);
        sinceTick_.start();
    }
}

void QtWizardHost::openShell(std::string_view pathOrAddress) {
    // The application relays this to the host layer's opener; this is for hosts without one.
    (void)QDesktopServices::openUrl(QUrl::fromUserInput(fromUtf8(pathOrAddress)));
}

void QtWizardHost::trace(std::string_view line) {
    qCDebug(marquillTrace, "%.*s", static_cast<int>(line.size()), line.data());
}

void QtWizardHost::endDialog(wizard::DialogResult result) {
    stopFrameTimer();
    (void)result;  // the process ends normally either way
    if (!exitCode_) exitCode_ = 0;
    window_->hide();
    QCoreApplication::exit(*exitCode_);
}

void QtWizardHost::postQuit(int exitCode) {
    stopFrameTimer();
    if (!exitCode_) exitCode_ = exitCode;
    window_->hide();
    QCoreApplication::exit(exitCode);
}

}  // namespace marquill::ui
