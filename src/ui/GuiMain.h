#pragma once
// `marquill` and `marquill gui [--game-dir DIR] [--no-splash]`: the wizard window.
namespace marquill::ui {

// argv[1] may be "gui"; the rest are the options above (and Qt's own). The process's exit status.
[[nodiscard]] int runGui(int argc, char** argv);

}  // namespace marquill::ui
