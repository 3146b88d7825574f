#pragma once
// A description keeps its line breaks as the game's own edit controls store them: CR LF. Text
// from elsewhere (a shell, a Qt edit) may break lines with a lone LF or a lone CR.
#include <string>
#include <string_view>

namespace marquill::celeb {

// Every line break (CR LF, a lone LF, a lone CR) as CR LF.
[[nodiscard]] std::string withCrLfLineBreaks(std::string_view text);

}  // namespace marquill::celeb
