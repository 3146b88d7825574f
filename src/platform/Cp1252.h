#pragma once
// Game and exchange files hold Windows-1252 text; the rest of the program speaks UTF-8.
#include <string>
#include <string_view>

namespace marquill::platform {

// Characters Windows-1252 cannot hold become "?"; invalid UTF-8 bytes too.
[[nodiscard]] std::string utf8ToCp1252(std::string_view utf8);
[[nodiscard]] std::string cp1252ToUtf8(std::string_view cp1252);
// Valid UTF-8 passes through; anything else is read as Windows-1252.
[[nodiscard]] std::string toUtf8Lenient(std::string_view text);
// A name that may be either (a file name on disk, a name read from a game file) as
// Windows-1252: UTF-8 sequences are converted, other bytes kept.
[[nodiscard]] std::string nameToCp1252(std::string_view text);

}  // namespace marquill::platform
