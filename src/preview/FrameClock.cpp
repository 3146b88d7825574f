#include "preview/FrameClock.h"

#include <utility>

#include "character/AnimationClock.h"

namespace marquill::preview {

FrameClock::FrameClock(PreviewHost& host, std::function<uint32_t()> systemTime)
    : host_(host), systemTime_(std::move(systemTime)) {}

int FrameClock::period() const {
    if (!running_) return 0;
    return active_ ? kActivePeriodMs : kInactivePeriodMs;
}

void FrameClock::setRunning(bool running) {
    running_ = running;
    const int now = period();
    if (now == notifiedPeriod_) return;
    notifiedPeriod_ = now;
    host_.timerChanged(now);
}

void FrameClock::setApplicationActive(bool active) {
    active_ = active;
    if (running_) setRunning(true);
}

void FrameClock::beginModal() {
    busy_ = true;
    setRunning(false);
}

void FrameClock::endModal() {
    busy_ = false;
    if (!running_) setRunning(true);
}

void FrameClock::show(bool shown) {
    if (!shown) {
        setRunning(false);
        return;
    }
    if (!running_) setRunning(true);
}

int32_t FrameClock::advanceAnimationClock() {
    character::AnimationClock& clock = character::AnimationClock::instance();
    if (toolInitialised_)
        clock.advance(systemTime());
    else
        clock.hold();
    return clock.now();
}

bool FrameClock::enterTick() {
    if (inTick_) return false;
    inTick_ = true;
    return true;
}

}  // namespace marquill::preview
