#pragma once
// The chooser shown at the game check when the player's launchers keep several games and none was
// chosen before: a list of the games with where each was found, OK takes the one selected (the
// first until the player picks another), Cancel quits as a game not detected does.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SoundPlayer.h"
#include "wizard/ControlIds.h"
#include "wizard/SmallDialogs.h"
#include "wizard/WizardEnvironment.h"

namespace marquill::wizard {

// A message above a list, OK and Cancel: OK takes the entry selected, the first until the player
// picks another. The game chooser, and the choice of the import to undo.
class ListChoiceDialog : public SmallDialog {
  public:
    ListChoiceDialog(std::string_view title, std::string_view message,
                     std::vector<std::string> entries, platform::SoundPlayer& sounds);
    void click(int controlId) override;
    void select(int controlId, const std::vector<int>& selection) override;

    // After OK: the index of the entry chosen.
    [[nodiscard]] std::optional<size_t> chosen() const;

  private:
    platform::SoundPlayer& sounds_;
    size_t count_;
};

class GameChooserDialog final : public ListChoiceDialog {
  public:
    GameChooserDialog(const std::vector<GameChoice>& games, platform::SoundPlayer& sounds);

    // One list entry: "FOLDER   (found by LAUNCHERS)".
    [[nodiscard]] static std::string entryText(const GameChoice& game);
};

// The "not detected" message, its words kept, with a button that asks for the game folder.
class NotDetectedDialog final : public SmallDialog {
  public:
    static constexpr int kChooseFolder = id::kChooseGameFolder;
    explicit NotDetectedDialog(platform::SoundPlayer& sounds);
    void click(int controlId) override;

  private:
    platform::SoundPlayer& sounds_;
};

}  // namespace marquill::wizard
