#include "celeb/PemmData.h"

namespace marquill::celeb {

int32_t PemmData::trait(int index) const {
    if (index < 0 || index >= kTraitCount) return 0;
    return traits_[static_cast<size_t>(index)];
}

void PemmData::setTrait(int index, int32_t value) {
    if (index < 0 || index >= kTraitCount) return;
    traits_[static_cast<size_t>(index)] = value;
}

int32_t PemmData::interestAt(int position) const {
    if (position < 0 || position >= kInterestCount) return 0;
    return interestOrder_[static_cast<size_t>(position)];
}

void PemmData::setInterestAt(int position, int32_t id) {
    if (position < 0 || position >= kInterestCount) return;
    interestOrder_[static_cast<size_t>(position)] = id;
}

std::array<int, 5> PemmData::signOrderTraits() const {
    return {trait(kOutgoing), trait(kNice), trait(kPlayful), trait(kNeat), trait(kActive)};
}

}  // namespace marquill::celeb
