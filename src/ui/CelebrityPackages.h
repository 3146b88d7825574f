#pragma once
// "Add downloaded celebrities..." (and archives dropped onto the window) and "Share a
// celebrity...": installing into TemplateCelebrity with the outcome in the tool's message dialog,
// and packing a saved set as a zip. The choices come from the front end's dialogs; the work is
// the game-data layer's.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gamedata/PackageInstall.h"
#include "wizard/WizardHost.h"

namespace marquill::ui {

inline constexpr std::string_view kAddCelebritiesTitle = "Add downloaded celebrities";
inline constexpr std::string_view kShareCelebrityTitle = "Share a celebrity";

class SharePicker {
  public:
    virtual ~SharePicker() = default;
    // One of the saved sets (their person files' names), none on Cancel.
    [[nodiscard]] virtual std::optional<std::string> chooseSet(
        const std::vector<std::string>& sets) = 0;
    // Where the zip goes, none on Cancel.
    [[nodiscard]] virtual std::optional<std::string> chooseZip(const std::string& suggested) = 0;
};

class CelebrityPackages {
  public:
    using GameRunningProbe = std::function<bool(const std::string& gameFolder)>;
    // `decoder`: the snapshots are decoded whole before they are installed; may be none.
    CelebrityPackages(wizard::WizardHost& host, GameRunningProbe gameRunning,
                      const image::JpegDecoder* decoder = nullptr);

    // Installs, then shows what happened; none when nothing was tried (the game runs).
    std::optional<gamedata::AddReport> add(const std::string& gameFolder,
                                           const std::vector<std::string>& paths);
    // The zip written, none when cancelled or failed (the player was told why).
    std::optional<std::string> share(const std::string& gameFolder, SharePicker& picker);

    // The message listing an installation's outcome.
    [[nodiscard]] static std::string outcomeText(const gamedata::AddReport& report);

  private:
    void message(std::string_view title, std::string_view text);

    wizard::WizardHost& host_;
    GameRunningProbe gameRunning_;
    const image::JpegDecoder* decoder_;
};

}  // namespace marquill::ui
