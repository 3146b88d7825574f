#pragma once
// The tool's own sounds the wizard plays, by resource name.
#include <string_view>

namespace marquill::wizard::sound {

inline constexpr std::string_view kStartup = "PEMMS";  // during the splash
inline constexpr std::string_view kClick = "CLICK";    // every accepted press or list choice
inline constexpr std::string_view kDenied = "DENIED";  // an interest button that cannot act

}  // namespace marquill::wizard::sound
