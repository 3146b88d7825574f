#pragma once
// The checks the wizard makes before it stores a page into the record, with its own words. A
// refusal carries the message (shown in a message box titled "Marquill Warning:") and, where the
// wizard also sets one, the status-line text.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "celeb/PemmData.h"

namespace marquill::celeb {

struct Refusal {
    std::string message;
    std::string status;
};

inline constexpr size_t kMaxNameLength = 30;
inline constexpr size_t kMaxDescriptionLength = 1024;
inline constexpr int kPersonalityPoints = 25;

// Lengths count characters (UTF-8 text is counted as the Windows-1252 text it becomes).
[[nodiscard]] std::optional<Refusal> checkName(std::string_view name);
[[nodiscard]] std::optional<Refusal> checkDescription(std::string_view description);
// Traits by index (Neat, Active, Playful, Outgoing, Nice).
[[nodiscard]] std::optional<Refusal> checkPersonality(const std::array<int, 5>& traits);
// Interest ids chosen as top and as low interests.
[[nodiscard]] std::optional<Refusal> checkInterests(const std::vector<int>& top,
                                                    const std::vector<int>& low);
// The look page's check: both texture lists have a selection.
[[nodiscard]] std::optional<Refusal> checkLook(std::string_view headTexture,
                                               std::string_view bodyTexture);

// The interest order the interests page stores: top interests at 0-4 in their order, the low list
// (which keeps itself sorted by name) from 14 downwards, the rest after the top ones in id order.
[[nodiscard]] std::array<int, kInterestCount> interestOrder(const std::vector<int>& top,
                                                            const std::vector<int>& low);

}  // namespace marquill::celeb
