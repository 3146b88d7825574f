#pragma once
// Saving a celebrity: the exchange file, its list of skin files, the celebrity's person file from
// the template and the snapshots, with the progress stages and closing questions the wizard shows.
// The host (the wizard, or the command line) answers the save dialog and the questions.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "celeb/ExchangeFile.h"
#include "celeb/PemmData.h"
#include "celeb/SkinFileList.h"
#include "celeb/Snapshots.h"
#include "character/Appearance.h"
#include "gamedata/NewCelebrityFile.h"
#include "gamedata/Reporter.h"
#include "platform/FileLayer.h"

namespace marquill::celeb {

struct SaveDialogRequest {
    std::string title;
    std::string filter;
    std::string defaultExtension;
    std::string defaultName;
    std::string initialFolder;
};

class SaveHost : public gamedata::Reporter {
  public:
    // The save-file dialog; none when the user cancels.
    virtual std::optional<std::string> chooseSavePath(const SaveDialogRequest& request) = 0;
    // OK (true) or Cancel.
    virtual bool confirm(std::string_view title, std::string_view message) = 0;
    virtual void openAddress(std::string_view address) = 0;
};

struct SaveProgress {
    std::string text;  // also the status line
    int position = 0;  // of kSaveProgressSteps
};
inline constexpr int kSaveProgressSteps = 9;
using ProgressCallback = std::function<void(const SaveProgress&)>;

inline constexpr std::string_view kExchangeAddress =
    "https://exchange.thepemms.example/exchange_stars/";

struct SaveSetup {
    std::string gameFolder;
    std::string templatePath;            // QT_Template.iff
    SnapshotTaker* snapshots = nullptr;  // none: no pictures
    // The installer's path of gameFolder (platform::GameLocation); empty when it was given.
    std::string gameWindowsFolder;
    // Where the exchange file and the person file are written.
    platform::FileLayer* files = &platform::diskFiles();
};

// The wizard's state that the save reads besides the record.
struct SaveChoices {
    character::Appearance current;  // the look pages' current selection
    int fameChoice = 0;             // the fame list's current choice
    std::string proposedName;       // what the save dialog proposes; empty: the record's name
};

struct SaveResult {
    // Every outcome but Saved leaves the folder as it was; the failures were shown to the user.
    enum class Outcome {
        Cancelled,
        Saved,
        ExchangeFileFailed,
        PersonFileFailed,
        SnapshotsFailed,
        FilesFailed,
    };
    Outcome outcome = Outcome::Cancelled;
    std::string exchangePath;  // P
    std::string basePath;      // B
    gamedata::NewCelebrityFileResult personFile;
    int pictures = 0;
    bool connect = false;  // the user asked to open the exchange site
};

// A chosen name without ".srf" (any case) gets it; the base path is the name without it.
struct SavePaths {
    std::string exchangePath;
    std::string basePath;
};
[[nodiscard]] SavePaths savePathsFor(const std::string& chosen);

[[nodiscard]] gamedata::CelebrityValues celebrityValues(const PemmData& record,
                                                        const SaveChoices& choices);

// `skins` is emptied and collected afresh.
[[nodiscard]] SaveResult saveCelebrity(const PemmData& record, const SaveChoices& choices,
                                       const SaveSetup& setup, SkinFileList& skins, SaveHost& host,
                                       const ProgressCallback& progress);

}  // namespace marquill::celeb
