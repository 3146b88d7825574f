#include "wizard/ImportUndo.h"

#include <algorithm>

#include "gamedata/GameRunning.h"
#include "gamedata/PersonFile.h"
#include "gamedata/Reporter.h"
#include "wizard/GameChooserDialog.h"
#include "wizard/SmallDialogs.h"
#include "wizard/WizardTexts.h"

namespace marquill::wizard {
namespace {

using gamedata::fileName;

// "2026-12-09T04:07:35Z" reads as "2026-12-09 04:07".
std::string shortTime(const std::string& iso) {
    if (iso.size() < 16 || iso[10] != 'T') return iso;
    return iso.substr(0, 10) + " " + iso.substr(11, 5);
}

}  // namespace

ImportUndo::ImportUndo(const gamedata::BackupStore& store, WizardHost& host,
                       WizardEnvironment& environment)
    : store_(store), host_(host), environment_(environment) {}

std::string ImportUndo::describe(const gamedata::Backup& backup) {
    return shortTime(backup.time) + "  Neighborhood " + std::to_string(backup.neighborhood) + ": " +
           fileName(backup.personPath) + ", replaced by " + fileName(backup.celebrityPath);
}

void ImportUndo::message(std::string_view title, std::string_view text) {
    MessageDialog dialog(title, text, host_.sounds());
    (void)host_.runModal(dialog);
}

UndoOutcome ImportUndo::run() {
    std::vector<gamedata::Backup> backups = store_.list();
    if (backups.empty()) {
        message(text::kTitleMarquill, text::kNoImportToUndo);
        return UndoOutcome::NoBackups;
    }
    std::reverse(backups.begin(), backups.end());
    std::vector<std::string> lines;
    lines.reserve(backups.size());
    for (const gamedata::Backup& b : backups)
        lines.push_back(describe(b));
    ListChoiceDialog chooser(text::kUndoImportTitle, text::kUndoImportQuestion, std::move(lines),
                             host_.sounds());
    (void)host_.runModal(chooser);
    const std::optional<size_t> chosen = chooser.chosen();
    if (!chosen || *chosen >= backups.size()) return UndoOutcome::Cancelled;
    const gamedata::Backup& backup = backups[*chosen];

    ConfirmDialog question(text::kTitleMarquill,
                           "Put " + fileName(backup.personPath) + " of Neighborhood " +
                               std::to_string(backup.neighborhood) +
                               " back as it was before the import of " + shortTime(backup.time) +
                               "?",
                           host_.sounds());
    if (host_.runModal(question) != static_cast<int>(DialogResult::Ok))
        return UndoOutcome::Cancelled;
    // The game rewrites its person files when it saves; nothing may change them meanwhile.
    if (environment_.isGameRunning(backup.gameFolder)) {
        message(gamedata::kGameRunningTitle, gamedata::kGameRunningMessage);
        return UndoOutcome::GameRunning;
    }
    std::string error;
    if (!store_.restore(backup, &error)) {
        message(gamedata::kErrorTitle, "The import could not be undone: " + error);
        return UndoOutcome::Failed;
    }
    message(text::kTitleMarquill,
            fileName(backup.personPath) + " is back as it was before the import.");
    return UndoOutcome::Restored;
}

}  // namespace marquill::wizard
