#include "celeb/InterestScore.h"

#include "celeb/PemmData.h"

namespace marquill::celeb {

int interestScore(const PemmData& record, int id) {
    for (int p = 0; p < kInterestCount; ++p) {
        if (record.interestAt(p) != id) continue;
        if (p < 5) return 10;
        if (p < 10) return 5;
        return 1;
    }
    return 5;
}

}  // namespace marquill::celeb
