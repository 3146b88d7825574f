#pragma once
// The "Pick a Neighborhood" dialog as a model: it steps through the numbered neighbourhoods that
// exist and always ends with one chosen. A dialog shows `text()` and forwards its three buttons.
#include <functional>
#include <string>

#include "gamedata/GamePaths.h"

namespace marquill::gamedata {

class NeighborhoodPicker {
  public:
    static constexpr int kMessageId = 1041;
    static constexpr int kOkId = 1;
    static constexpr int kBackId = 2;
    static constexpr int kNextId = 1126;
    static constexpr const char* kTitle = "Pick a Neighborhood";

    // Starts at neighbourhood 1, shown without testing that it exists.
    explicit NeighborhoodPicker(GamePaths paths);

    void next();
    void back();
    // OK: the number the dialog returns.
    [[nodiscard]] int ok() const { return found_; }

    [[nodiscard]] int current() const { return current_; }
    [[nodiscard]] int found() const { return found_; }
    [[nodiscard]] const std::string& shownPath() const { return path_; }
    // "Pick a Neighborhood.\n\n<path>"
    [[nodiscard]] std::string text() const;

  private:
    GamePaths paths_;
    int current_ = 1;
    int found_ = 1;
    std::string path_;
};

// What the wizard does after the picker: an empty neighbourhood sends the player back to the
// picker, or, through this hook, out to the welcome step.
struct NeighborhoodChoiceHooks {
    // Called when the chosen neighbourhood has no celebrities; return true to leave the import
    // and go back to the welcome step, false to open the picker again.
    std::function<bool(int neighborhood)> leaveOnNoCelebrities;
};

}  // namespace marquill::gamedata
