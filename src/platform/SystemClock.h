#pragma once
// Time sources of the host.
#include <cstdint>
#include <string>

namespace marquill::platform {

// Milliseconds since the system started, wrapping at 2^32 like the multimedia timer of the game's
// platform.
[[nodiscard]] uint32_t millisecondsSinceStart();
// Seconds since 1970, for file stamps.
[[nodiscard]] int64_t secondsSinceEpoch();
// "2026-12-08T23:40:12Z"
[[nodiscard]] std::string utcTimestamp();

}  // namespace marquill::platform
