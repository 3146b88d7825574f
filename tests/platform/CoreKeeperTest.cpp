#include "platform/CoreKeeper.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <unistd.h>

#include <future>
#include <optional>
#include <thread>

namespace marquill::platform {
namespace {

using std::chrono::microseconds;

std::optional<cpu_set_t> coresOf(pid_t thread) {
    cpu_set_t cores;
    if (sched_getaffinity(thread, sizeof cores, &cores) != 0) return std::nullopt;
    return cores;
}

bool same(const std::optional<cpu_set_t>& a, const cpu_set_t& b) {
    return a && CPU_EQUAL(&*a, &b);
}

cpu_set_t only(int core) {
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(core, &one);
    return one;
}

// A thread that waits to be told to end, and says who it is.
class Waiter {
  public:
    explicit Waiter(const cpu_set_t* cores = nullptr)
        : thread_([this, cores, end = end_.get_future()] {
              if (cores) (void)sched_setaffinity(0, sizeof *cores, cores);
              id_.set_value(gettid());
              end.wait();
          }),
          tid_(id_.get_future().get()) {}
    ~Waiter() {
        end_.set_value();
        thread_.join();
    }
    [[nodiscard]] pid_t tid() const { return tid_; }

  private:
    std::promise<pid_t> id_;
    std::promise<void> end_;
    std::thread thread_;
    pid_t tid_;
};

TEST(CoreKeeper, AWakeOnTimeKeepsEveryThreadToOneCoreAndLettingGoGivesEachItsOwnBack) {
    const cpu_set_t mine = *coresOf(0);
    const int first = [&] {
        for (int c = 0;; ++c)
            if (CPU_ISSET(c, &mine)) return c;
    }();
    // With more than one core the other thread's own is narrower than this one's, so that
    // giving it this one's would show.
    const cpu_set_t narrow = CPU_COUNT(&mine) > 1 ? only(first) : mine;
    Waiter before(&narrow);

    CoreKeeper keeper;
    keeper.woke(microseconds(0));
    ASSERT_TRUE(keeper.core().has_value());
    const cpu_set_t kept = only(*keeper.core());
    EXPECT_TRUE(CPU_ISSET(*keeper.core(), &mine));
    EXPECT_TRUE(same(coresOf(0), kept));
    EXPECT_TRUE(same(coresOf(before.tid()), kept));
    keeper.woke(microseconds(500));  // on time: stays
    EXPECT_TRUE(same(coresOf(0), kept));

    Waiter during;  // inherits the one core
    EXPECT_TRUE(same(coresOf(during.tid()), kept));
    keeper.letGo();
    EXPECT_FALSE(keeper.core().has_value());
    EXPECT_TRUE(same(coresOf(0), mine));
    EXPECT_TRUE(same(coresOf(before.tid()), narrow));
    EXPECT_TRUE(same(coresOf(during.tid()), mine));
}

TEST(CoreKeeper, ALateWakeLetsGoUntilWakesComeOnTimeAgainAndTheEndLetsGo) {
    const cpu_set_t mine = *coresOf(0);
    {
        CoreKeeper keeper;
        keeper.woke(microseconds(0));
        ASSERT_TRUE(keeper.core().has_value());
        keeper.woke(CoreKeeper::kLate + microseconds(1));
        EXPECT_FALSE(keeper.core().has_value());
        EXPECT_TRUE(same(coresOf(0), mine));
        // A wake-up before it was due (the timer restarted) is on time; one late among them
        // starts the count again.
        for (int i = 0; i < CoreKeeper::kCalmWakes - 1; ++i)
            keeper.woke(microseconds(-3000));
        keeper.woke(CoreKeeper::kLate + microseconds(1));
        for (int i = 0; i < CoreKeeper::kCalmWakes; ++i) {
            keeper.woke(microseconds(0));
            EXPECT_FALSE(keeper.core().has_value()) << "after " << i + 1 << " on time";
        }
        keeper.woke(microseconds(0));
        ASSERT_TRUE(keeper.core().has_value());
        EXPECT_TRUE(same(coresOf(0), only(*keeper.core())));
    }
    EXPECT_TRUE(same(coresOf(0), mine));
}

}  // namespace
}  // namespace marquill::platform
