#pragma once
// "Undo an import...": the player picks one of the backups an import left and, after a
// confirmation, the person file it saved goes back in place. The questions and answers use the
// tool's own message and confirmation dialogs; the choice comes from the front end's list.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gamedata/Backups.h"
#include "wizard/WizardHost.h"

namespace marquill::ui {

class BackupChooser {
  public:
    virtual ~BackupChooser() = default;
    // One line per backup, newest first; the index chosen, none on Cancel.
    [[nodiscard]] virtual std::optional<size_t> choose(const std::vector<std::string>& lines) = 0;
};

enum class UndoOutcome { NoBackups, Cancelled, GameRunning, Restored, Failed };

class ImportUndo {
  public:
    using GameRunningProbe = std::function<bool(const std::string& gameFolder)>;
    ImportUndo(const gamedata::BackupStore& store, wizard::WizardHost& host, BackupChooser& chooser,
               GameRunningProbe gameRunning);

    UndoOutcome run();

    // "2026-12-09 04:07  Neighborhood 1: User00012.iff, replaced by Star.iff"
    [[nodiscard]] static std::string describe(const gamedata::Backup& backup);

  private:
    void message(std::string_view title, std::string_view text);

    const gamedata::BackupStore& store_;
    wizard::WizardHost& host_;
    BackupChooser& chooser_;
    GameRunningProbe gameRunning_;
};

}  // namespace marquill::ui
