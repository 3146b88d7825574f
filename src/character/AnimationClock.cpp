#include "character/AnimationClock.h"

namespace marquill::character {

AnimationClock& AnimationClock::instance() {
    static AnimationClock clock;
    return clock;
}

// Differences are taken modulo 2^32, as the system's millisecond counter wraps.
void AnimationClock::advance(uint32_t systemMs) {
    const uint32_t candidate = systemMs + static_cast<uint32_t>(offset_);
    const auto step = static_cast<int32_t>(candidate - static_cast<uint32_t>(now_));
    if (step > maximumStep_) {
        delta_ = maximumStep_;
        now_ = static_cast<int32_t>(static_cast<uint32_t>(now_) + static_cast<uint32_t>(delta_));
        offset_ = static_cast<int32_t>(static_cast<uint32_t>(now_) - systemMs);
    } else {
        delta_ = step;
        now_ = static_cast<int32_t>(candidate);
    }
    lastReal_ = static_cast<int32_t>(systemMs);
    maximumStep_ = kMaximumStep;
    ++ticks_;
}

void AnimationClock::hold() {
    maximumStep_ = 0;
}

void AnimationClock::reset(uint32_t systemMs) {
    now_ = 0;
    delta_ = 0;
    lastReal_ = static_cast<int32_t>(systemMs);
    offset_ = static_cast<int32_t>(0u - systemMs);
    maximumStep_ = 0;
    ticks_ = 0;
}

}  // namespace marquill::character
