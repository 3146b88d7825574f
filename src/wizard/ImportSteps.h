#pragma once
// Steps 9 to 11, the import: the neighbourhood picker and the search for its celebrities, the
// celebrity files waiting in TemplateCelebrity, choosing an entry in either list (which makes
// that person's look the design's, shown in the preview), and the replacement with its backup.
#include <optional>
#include <string>

#include "gamedata/CelebrityPackage.h"
#include "gamedata/CopyObjectFile.h"
#include "gamedata/GamePaths.h"
#include "gamedata/ReplaceCelebrity.h"
#include "wizard/WizardContext.h"

namespace marquill::wizard {

struct ImportOptions {
    // Where the replaced person files are backed up; none: the user's backup store.
    std::optional<std::string> backupRoot;
    // The identity numbers of copied objects; none: the clock's.
    gamedata::GuidSource* guids = nullptr;
};

class ImportSteps {
  public:
    ImportSteps(WizardContext& context, ImportOptions options);

    // Step 9: the picker, as often as the player picks a neighbourhood without celebrities.
    // False when the player left the picker for the welcome step.
    [[nodiscard]] bool chooseNeighborhood();
    // Step 10.
    void listCelebrityFiles();
    // Step 11.
    void replace();

    void celebritySelected(int index);
    void celebrityFileSelected(int index);

    [[nodiscard]] int neighborhood() const { return neighborhood_; }
    [[nodiscard]] const std::string& neighborhoodFile() const { return neighborhoodFile_; }
    [[nodiscard]] const std::string& personFolder() const { return personFolder_; }
    [[nodiscard]] const std::string& personPath() const { return personPath_; }
    [[nodiscard]] const std::string& personName() const { return personName_; }
    [[nodiscard]] const std::string& celebrityPath() const { return celebrityPath_; }
    // Who each entry of step 10's list is, for the front end to draw beside the file name; in
    // the list's order.
    [[nodiscard]] const std::vector<gamedata::CelebrityFileRow>& celebrityFileRows() const {
        return fileRows_;
    }
    [[nodiscard]] const std::optional<gamedata::ReplaceResult>& lastReplace() const {
        return lastReplace_;
    }

  private:
    [[nodiscard]] gamedata::GamePaths paths() const { return gamedata::GamePaths(c_.gameFolder); }
    // The scans' progress: the bar and the status line.
    void scanProgress(std::string_view status, int position, int count);
    void endScan();
    void showPerson(const std::string& path);

    WizardContext& c_;
    std::vector<gamedata::CelebrityFileRow> fileRows_;
    ImportOptions options_;
    gamedata::ClockGuidSource clockGuids_;
    int neighborhood_ = 1;
    std::string neighborhoodFile_, personFolder_, personPath_, personName_, celebrityPath_;
    std::optional<gamedata::ReplaceResult> lastReplace_;
};

}  // namespace marquill::wizard
