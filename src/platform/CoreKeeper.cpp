#include "platform/CoreKeeper.h"

#include <dirent.h>
#include <sched.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace marquill::platform {

struct CoreKeeper::ThreadCores {
    pid_t thread;
    cpu_set_t cores;
};

namespace {

// The process's threads as they are now; none when the system does not list them.
std::vector<pid_t> threadsOfProcess() {
    std::vector<pid_t> threads;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir("/proc/self/task"), closedir);
    if (!dir) return threads;
    while (const dirent* entry = readdir(dir.get())) {
        char* end = nullptr;
        const long id = std::strtol(entry->d_name, &end, 10);
        if (id > 0 && *end == '\0') threads.push_back(pid_t(id));
    }
    return threads;
}

}  // namespace

CoreKeeper::CoreKeeper() = default;

CoreKeeper::~CoreKeeper() {
    letGo();
}

void CoreKeeper::woke(std::chrono::microseconds late) {
    if (late > kLate) {
        letGo();
        calm_ = 0;
        return;
    }
    if (core_ || refused_) return;
    if (calm_ < kCalmWakes) {
        ++calm_;
        return;
    }
    const int core = sched_getcpu();
    if (core < 0) {
        refused_ = true;
        return;
    }
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(core, &one);
    // A thread that ends meanwhile is no longer listed or no longer there; either way it needs
    // nothing back.
    for (const pid_t thread : threadsOfProcess()) {
        ThreadCores had{thread, {}};
        if (sched_getaffinity(thread, sizeof had.cores, &had.cores) != 0) continue;
        if (sched_setaffinity(thread, sizeof one, &one) != 0) {
            // Confined by something else (a container, a cgroup that changed): leave it all as
            // it was.
            if (thread == gettid()) refused_ = true;
            continue;
        }
        before_.push_back(had);
    }
    if (refused_) {
        letGo();
        return;
    }
    core_ = core;
}

void CoreKeeper::letGo() {
    if (!core_ && before_.empty()) return;
    const pid_t self = gettid();
    const cpu_set_t* starters = nullptr;
    for (const ThreadCores& t : before_)
        if (t.thread == self) starters = &t.cores;
    for (const pid_t thread : threadsOfProcess()) {
        const cpu_set_t* cores = starters;
        for (const ThreadCores& t : before_)
            if (t.thread == thread) cores = &t.cores;
        if (cores) (void)sched_setaffinity(thread, sizeof *cores, cores);
    }
    before_.clear();
    core_.reset();
}

}  // namespace marquill::platform
