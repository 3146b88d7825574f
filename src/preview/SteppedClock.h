#pragma once
// A system time that moves only when told, for frames that must come out the same on every run
// (the command line's renders, the reference frames, the benchmarks).
#include <cstdint>
#include <functional>

namespace marquill::preview {

class PreviewScene;

class SteppedClock {
  public:
    [[nodiscard]] uint32_t now() const { return now_; }
    void advance(uint32_t milliseconds) { now_ += milliseconds; }
    // For PreviewEnvironment::systemTime; the clock must outlive the scene.
    [[nodiscard]] std::function<uint32_t()> source() const {
        return [this] { return now_; };
    }

  private:
    uint32_t now_ = 0;
};

// Moves the clock on by `milliseconds` in timer ticks of `tickMs`, drawing a frame at each tick
// as the running preview does (the last tick may be shorter).
void playFor(PreviewScene& scene, SteppedClock& clock, int milliseconds, int tickMs);

}  // namespace marquill::preview
