#pragma once
// The machine the wizard starts on: where the game is, whether it runs, and the folders the
// start-up checks touch. The application implements it with the host layer; tests script it.
#include <optional>
#include <string>
#include <vector>

namespace marquill::wizard {

// A game the player may choose when several were found.
struct GameChoice {
    std::string folder;
    std::string launchers;  // where it was found: "steam", "lutris, bottles"
};

class WizardEnvironment {
  public:
    virtual ~WizardEnvironment() = default;

    // The game folder as the installer recorded it; none when the game is not detected. Nothing
    // on disk is created or changed by the lookup.
    [[nodiscard]] virtual std::optional<std::string> gameFolder() = 0;
    // After gameFolder() found none: the games to choose among when several were found and none
    // was chosen before; empty otherwise.
    [[nodiscard]] virtual std::vector<GameChoice> gamesToChoose() { return {}; }
    // Works on game `index` of gamesToChoose() and remembers it for the next start: its folder.
    [[nodiscard]] virtual std::optional<std::string> chooseGame(size_t) { return std::nullopt; }
    // Works on a folder the player picked by hand and remembers it: its folder, none when it
    // holds no game.
    [[nodiscard]] virtual std::optional<std::string> useGameFolder(const std::string&) {
        return std::nullopt;
    }
    // The game's main window is open (on this host: a game process runs from that folder).
    [[nodiscard]] virtual bool isGameRunning(const std::string& gameFolder) = 0;
    // The current folder when the tool was launched: where readme.txt is looked for.
    [[nodiscard]] virtual std::string startupDirectory() = 0;
    // The template person file every new celebrity is copied from (QT_Template.iff).
    [[nodiscard]] virtual std::string templatePersonFile() = 0;

    // Makes `folder` the current folder; false when it does not exist or cannot be entered.
    [[nodiscard]] virtual bool changeFolder(const std::string& folder) = 0;
    // Creates `folder` (its parent exists); false on failure.
    [[nodiscard]] virtual bool createFolder(const std::string& folder) = 0;
    // The current folder, for the diagnostic trace.
    [[nodiscard]] virtual std::string currentFolder() = 0;
    // The installer's Windows path of the game folder, below which exchange files name their skin
    // files as other players' copies of the game do; empty when the folder was given instead.
    [[nodiscard]] virtual std::string gameWindowsFolder() { return {}; }
};

}  // namespace marquill::wizard
