#pragma once
// The chooser shown at the game check when the player's launchers keep several games and none was
// chosen before: a list of the games with where each was found, OK takes the one selected (the
// first until the player picks another), Cancel quits as a game not detected does.
#include <optional>
#include <vector>

#include "platform/SoundPlayer.h"
#include "wizard/ControlIds.h"
#include "wizard/SmallDialogs.h"
#include "wizard/WizardEnvironment.h"

namespace marquill::wizard {

class GameChooserDialog final : public SmallDialog {
  public:
    GameChooserDialog(const std::vector<GameChoice>& games, platform::SoundPlayer& sounds);
    void click(int controlId) override;
    void select(int controlId, const std::vector<int>& selection) override;

    // After OK: the index of the game chosen.
    [[nodiscard]] std::optional<size_t> chosen() const;

    // One list entry: "FOLDER   (found by LAUNCHERS)".
    [[nodiscard]] static std::string entryText(const GameChoice& game);

  private:
    platform::SoundPlayer& sounds_;
    size_t count_;
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
