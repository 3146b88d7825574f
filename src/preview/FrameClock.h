#pragma once
// When the preview draws: the frame timer's period (10 ms while the tool is the active
// application, 150 ms otherwise, 0 when stopped), the busy flag of modal operations, the guard
// against a tick inside a tick, and the animation clock each frame advances.
//
// The clock never owns a timer: it tells the host the period it wants, and only when that
// changes; the host then calls the scene's timerTick().
#include <cstdint>
#include <functional>

#include "preview/PreviewHost.h"

namespace marquill::preview {

inline constexpr int kActivePeriodMs = 10;
inline constexpr int kInactivePeriodMs = 150;

class FrameClock {
  public:
    // `systemTime` is the multimedia timer in milliseconds.
    FrameClock(PreviewHost& host, std::function<uint32_t()> systemTime);

    [[nodiscard]] uint32_t systemTime() const { return systemTime_(); }
    // 10 or 150 while the timer runs, 0 when stopped.
    [[nodiscard]] int period() const;
    [[nodiscard]] bool running() const { return running_; }
    void setRunning(bool running);
    // The timer stands still while a frame is drawn; the host hears only of the net change when
    // the frame sets it running again.
    void holdForFrame() { running_ = false; }
    void setApplicationActive(bool active);
    [[nodiscard]] bool applicationActive() const { return active_; }

    void setBusy(bool busy) { busy_ = busy; }
    [[nodiscard]] bool busy() const { return busy_; }
    // A modal operation begins: busy, and the timer stopped.
    void beginModal();
    // ... and ends: not busy, and the timer running again.
    void endModal();
    // Shown by a direct request (true) starts the timer; any other show notification stops it.
    void show(bool shown);

    // The clock advances only once the tool is initialised.
    void setToolInitialised(bool initialised) { toolInitialised_ = initialised; }
    [[nodiscard]] bool toolInitialised() const { return toolInitialised_; }
    // Moves the animation clock on to the system time (or holds it before the tool is
    // initialised, so the first real tick does not jump) and returns its new time.
    int32_t advanceAnimationClock();

    // False while a tick is being handled: a tick can pump messages through the set-up's dialogs.
    [[nodiscard]] bool enterTick();
    void leaveTick() { inTick_ = false; }

  private:
    PreviewHost& host_;
    std::function<uint32_t()> systemTime_;
    bool active_ = false;
    bool busy_ = false;
    bool toolInitialised_ = false;
    bool inTick_ = false;
    bool running_ = false;
    int notifiedPeriod_ = 0;
};

}  // namespace marquill::preview
