#pragma once
// "Undo an import...": the player picks one of the backups an import left (newest first) and,
// after a confirmation, the person file it saved goes back in place, unless the game runs. Every
// question and answer is one of the tool's own small dialogs.
#include <string>

#include "gamedata/Backups.h"
#include "wizard/WizardEnvironment.h"
#include "wizard/WizardHost.h"

namespace marquill::wizard {

enum class UndoOutcome { NoBackups, Cancelled, GameRunning, Restored, Failed };

class ImportUndo {
  public:
    ImportUndo(const gamedata::BackupStore& store, WizardHost& host,
               WizardEnvironment& environment);

    UndoOutcome run();

    // "2026-12-09 04:07  Neighborhood 1: User00012.iff, replaced by Star.iff"
    [[nodiscard]] static std::string describe(const gamedata::Backup& backup);

  private:
    void message(std::string_view title, std::string_view text);

    const gamedata::BackupStore& store_;
    WizardHost& host_;
    WizardEnvironment& environment_;
};

}  // namespace marquill::wizard
