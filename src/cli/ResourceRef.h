#pragma once
// A resource named on the command line: TYPE:ID or TYPE:ID:NAME, where TYPE is four characters
// or "0x" and hex digits.
#include <cstdint>
#include <optional>
#include <string>

#include "resfile/ResType.h"

namespace marquill::cli {

struct ResourceRef {
    resfile::ResType type = 0;
    int16_t id = 0;
    std::optional<std::string> name;
};

// None when the text is not of that form, the id is outside -32768..32767 or the name is longer
// than 63 characters (or given where `allowName` is false).
[[nodiscard]] std::optional<ResourceRef> ParseResourceRef(const std::string& text, bool allowName);

}  // namespace marquill::cli
