#pragma once
// The wizard's host on Qt: its window, the small dialogs, the save-file dialog, the frame timer,
// cursors, the desktop opener and the sounds.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

#include "platform/CoreKeeper.h"
#include "ui/AssetFolder.h"
#include "wizard/WizardHost.h"

namespace marquill::ui {

class SoundEffectPlayer;
class WizardDialog;

class QtWizardHost final : public QObject, public wizard::WizardHost {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QtWizardHost)

  public:
    // `sounds` outlives the host.
    QtWizardHost(AssetFolder assets, platform::SoundPlayer& sounds);
    ~QtWizardHost() override;

    [[nodiscard]] WizardDialog& window() { return *window_; }
    [[nodiscard]] const AssetFolder& assets() const { return assets_; }
    // The dialog's result once it ended, or the exit code of a quit request.
    [[nodiscard]] std::optional<int> exitCode() const { return exitCode_; }
    [[nodiscard]] int frameTimerPeriod() const { return timer_.isActive() ? timer_.interval() : 0; }

    int runModal(wizard::DialogModel& dialog) override;
    std::optional<std::string> chooseSavePath(const celeb::SaveDialogRequest& request) override;
    std::optional<std::string> chooseFolder(std::string_view title,
                                            const std::string& initialFolder) override;
    std::optional<std::string> chooseOpenPath(std::string_view title, std::string_view filter,
                                              const std::string& initialFolder) override;
    void controlsChanged(const std::vector<int>& controlIds) override;
    void redraw() override;
    void previewChanged(const wizard::PreviewFrame& frame) override;
    void setIcon(std::string_view large, std::string_view small) override;
    void appendSystemMenuItem(std::string_view text, int command) override;
    void addToolTip(int controlId, std::string_view text) override;
    void setCursor(wizard::Cursor cursor) override;
    [[nodiscard]] bool isForeground() const override;
    void setFrameTimer(int periodMs) override;
    void openShell(std::string_view pathOrAddress) override;
    platform::SoundPlayer& sounds() override { return sounds_; }
    void trace(std::string_view line) override;
    void endDialog(wizard::DialogResult result) override;
    void postQuit(int exitCode) override;

  private:
    void applicationStateChanged(Qt::ApplicationState state);
    void frameTimerTick();
    void stopFrameTimer();

    AssetFolder assets_;
    platform::SoundPlayer& sounds_;
    std::unique_ptr<WizardDialog> window_;
    QTimer timer_;               // the frame timer, id 27
    QElapsedTimer sinceTick_;    // since the timer last fired or started
    platform::CoreKeeper core_;  // while the timer runs
    bool waitCursor_ = false;
    std::optional<int> exitCode_;
};

// "Marquill Files (*.srf)| *.srf||" as a Qt name filter: "Marquill Files (*.srf)".
[[nodiscard]] QString nameFiltersFrom(std::string_view windowsFilter);

}  // namespace marquill::ui
