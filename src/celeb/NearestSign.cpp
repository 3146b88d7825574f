#include "celeb/NearestSign.h"

#include "celeb/Vocabulary.h"

namespace marquill::celeb {

int nearestSign(const std::array<int, 5>& values) {
    double best = 1e38;
    int chosen = -1;
    for (int s = 0; s < kSignCount; ++s) {
        const auto& profile = kSigns[static_cast<size_t>(s)].profile;
        double sum = 0;
        for (size_t k = 0; k < 5; ++k) {
            double d = static_cast<double>(values[k]) - profile[k];
            sum += d * d;
        }
        if (sum < best) {
            best = sum;
            chosen = s;
        }
    }
    return chosen < 0 ? 0 : chosen;
}

}  // namespace marquill::celeb
