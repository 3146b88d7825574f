#pragma once
// The tool's own sounds by resource name (the player finds a name in any case): one place for
// every layer that plays them.
#include <string_view>

namespace marquill::platform::sound {

inline constexpr std::string_view kStartup = "PEMMS";  // during the splash
inline constexpr std::string_view kClick = "CLICK";    // every accepted press or list choice
inline constexpr std::string_view kDenied = "DENIED";  // an interest button that cannot act

}  // namespace marquill::platform::sound
