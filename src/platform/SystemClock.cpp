#include "platform/SystemClock.h"

#include <time.h>

namespace marquill::platform {

uint32_t millisecondsSinceStart() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u +
                                 static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

int64_t secondsSinceEpoch() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec;
}

std::string utcTimestamp() {
    time_t now = static_cast<time_t>(secondsSinceEpoch());
    tm utc{};
    ::gmtime_r(&now, &utc);
    char buf[32];
    ::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return buf;
}

}  // namespace marquill::platform
