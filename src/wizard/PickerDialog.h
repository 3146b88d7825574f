#pragma once
// MarquillPickNhood: the neighbourhood picker's dialog. Next and Back step through the
// neighbourhoods that exist, OK takes the one shown; Escape and the close box are Back, as the
// standard cancel command. Its Cancel button leaves the import for the welcome step, so a player
// whose neighbourhoods hold no celebrities is never caught in the picker.
#include "gamedata/NeighborhoodPicker.h"
#include "platform/SoundPlayer.h"
#include "wizard/ControlIds.h"
#include "wizard/SmallDialogs.h"

namespace marquill::wizard {

class PickerDialog final : public SmallDialog {
  public:
    PickerDialog(gamedata::GamePaths paths, platform::SoundPlayer& sounds);
    void click(int controlId) override;
    void enter() override { click(id::kOk); }
    void escape() override { click(id::kPickerBack); }
    void close() override { click(id::kPickerBack); }

    // After OK: the neighbourhood chosen.
    [[nodiscard]] int chosen() const { return picker_.ok(); }
    // The player left through Cancel.
    [[nodiscard]] bool left() const;
    [[nodiscard]] const gamedata::NeighborhoodPicker& picker() const { return picker_; }

  private:
    void showText();
    gamedata::NeighborhoodPicker picker_;
    platform::SoundPlayer& sounds_;
};

}  // namespace marquill::wizard
