#pragma once
// `marquill` and `marquill gui [--game-dir DIR] [--no-splash]`: the wizard window.
#include <optional>
#include <string>

namespace marquill::ui {

// The window's options, as the command line read them.
struct GuiOptions {
    std::optional<std::string> gameFolder;
    bool splash = true;
};

// argv holds Qt's own options besides; the process's exit status.
[[nodiscard]] int runGui(int argc, char** argv, const GuiOptions& options);

}  // namespace marquill::ui
