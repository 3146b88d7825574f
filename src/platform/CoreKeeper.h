#pragma once
// Keeps the process's threads on one processor core while a timer wakes them often and briefly
// (the preview's frames). Left alone, the scheduler wakes the timer's thread and the threads it
// talks to on whichever core is idle, mostly not the one that ran the frame before, and the frame
// then finds its data in another core's caches. A late wake-up says something else wants that
// core: the threads are let go, and once wake-ups come on time again they are kept where one ran.
#include <chrono>
#include <optional>
#include <vector>

namespace marquill::platform {

class CoreKeeper {
  public:
    CoreKeeper();
    ~CoreKeeper();  // lets go
    CoreKeeper(const CoreKeeper&) = delete;
    CoreKeeper& operator=(const CoreKeeper&) = delete;

    // Later than this a wake-up lets the threads go: a frame every 10 ms then still shows smooth.
    static constexpr std::chrono::microseconds kLate{4000};

    // After a late wake-up, this many on time before the threads are kept again: a thread busy
    // beside the timer's (a worker started while they were kept) is not pulled back at once.
    static constexpr int kCalmWakes = 50;

    // A periodic wake-up, `late` after it was due.
    void woke(std::chrono::microseconds late);
    // Every thread back on the cores it had; one started meanwhile gets those of the thread that
    // calls this.
    void letGo();
    // The core the threads keep to, if they do.
    [[nodiscard]] std::optional<int> core() const { return core_; }

  private:
    struct ThreadCores;

    std::vector<ThreadCores> before_;  // each thread's cores before it was kept
    std::optional<int> core_;
    int calm_ = kCalmWakes;  // on-time wake-ups since the last late one
    bool refused_ = false;   // the system would not move the threads; it is not asked again
};

}  // namespace marquill::platform
