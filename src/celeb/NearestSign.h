#pragma once
// The zodiac sign follows from the personality: the sign whose profile is nearest in squared
// distance, the earlier sign winning a tie.
#include <array>

namespace marquill::celeb {

// Values in the order Outgoing, Nice, Playful, Neat, Active; returns a sign index 0-11.
[[nodiscard]] int nearestSign(const std::array<int, 5>& values);

}  // namespace marquill::celeb
