#pragma once
// The wizard's tool tips in the order they are registered. Some controls are registered twice;
// the first text registered for a control is the one shown.
#include <string_view>
#include <vector>

namespace marquill::wizard {

struct ToolTip {
    int controlId;
    std::string_view text;
};

[[nodiscard]] const std::vector<ToolTip>& toolTips();
// The text shown for a control: its first registration; empty when it has none.
[[nodiscard]] std::string_view toolTipFor(int controlId);

}  // namespace marquill::wizard
