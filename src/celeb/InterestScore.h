#pragma once
// How much a celebrity cares about an interest: 10 in the top five of the order, 5 in the middle
// five, 1 in the low five.
namespace marquill::celeb {

class PemmData;

// An id the order does not hold scores as a middle interest: it was neither chosen nor rejected.
[[nodiscard]] int interestScore(const PemmData& record, int id);

}  // namespace marquill::celeb
