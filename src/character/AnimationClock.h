#pragma once
// The process-wide animation time in milliseconds, advanced once per preview frame. It follows
// the system clock through an offset, but never by more than the allowed step per tick, so a
// stall or a pause does not make the animation jump.
#include <cstdint>

namespace marquill::character {

class AnimationClock {
  public:
    static constexpr int32_t kMaximumStep = 1000;

    [[nodiscard]] static AnimationClock& instance();

    [[nodiscard]] int32_t now() const { return now_; }
    [[nodiscard]] int32_t delta() const { return delta_; }
    [[nodiscard]] int32_t lastReal() const { return lastReal_; }
    [[nodiscard]] int32_t offset() const { return offset_; }
    [[nodiscard]] int32_t maximumStep() const { return maximumStep_; }
    [[nodiscard]] int32_t ticks() const { return ticks_; }

    // A tick while animating, at this system time.
    void advance(uint32_t systemMs);
    // A tick while not animating: the next advance does not move the clock.
    void hold();
    // Time 0 at this system time, nothing allowed before the first advance.
    void reset(uint32_t systemMs);

  private:
    AnimationClock() = default;

    int32_t now_ = 0;
    int32_t delta_ = 0;
    int32_t lastReal_ = 0;
    int32_t offset_ = 0;
    int32_t maximumStep_ = 0;
    int32_t ticks_ = 0;
};

}  // namespace marquill::character
