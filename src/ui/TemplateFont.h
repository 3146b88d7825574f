#pragma once
// The font a dialog template names, or the nearest installed stand-in.
#include <QFont>
#include <string_view>

namespace marquill::ui {

// The family itself when installed; "Comic Neue" for "Comic Sans MS" when not; otherwise the
// application's default family.
[[nodiscard]] QString installedFamily(std::string_view family);
[[nodiscard]] QFont templateFont(std::string_view family, int points);

}  // namespace marquill::ui
