#pragma once
// The list of import backups to choose from, in the tool's orange with its OK and Cancel pictures.
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "platform/SoundPlayer.h"
#include "ui/AssetFolder.h"
#include "ui/ImportUndo.h"

class QListWidget;

namespace marquill::ui {

class BackupChoiceDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BackupChoiceDialog)

  public:
    BackupChoiceDialog(const std::vector<std::string>& lines, const AssetFolder& assets,
                       platform::SoundPlayer& sounds, QWidget* parent);
    [[nodiscard]] std::optional<size_t> chosen() const { return chosen_; }
    [[nodiscard]] QListWidget& list() { return *list_; }

  private:
    QListWidget* list_ = nullptr;
    std::optional<size_t> chosen_;
};

// Asks through a BackupChoiceDialog over `parent`.
class BackupChoiceChooser final : public BackupChooser {
  public:
    BackupChoiceChooser(const AssetFolder& assets, platform::SoundPlayer& sounds, QWidget* parent)
        : assets_(assets), sounds_(sounds), parent_(parent) {}
    [[nodiscard]] std::optional<size_t> choose(const std::vector<std::string>& lines) override;

  private:
    const AssetFolder& assets_;
    platform::SoundPlayer& sounds_;
    QWidget* parent_;
};

}  // namespace marquill::ui
