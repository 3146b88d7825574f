#pragma once
// Game names compare as the game's platform compares them: ASCII letters without regard to case,
// every other byte exactly.
#include <string>
#include <string_view>

namespace marquill::platform {

[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);
[[nodiscard]] bool containsIgnoringCase(std::string_view text, std::string_view part);
[[nodiscard]] bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
[[nodiscard]] std::string toLowerAscii(std::string_view s);
[[nodiscard]] std::string toUpperAscii(std::string_view s);
[[nodiscard]] inline char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

}  // namespace marquill::platform
