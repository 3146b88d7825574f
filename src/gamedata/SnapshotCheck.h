#pragma once
// What a downloaded snapshot must be before it goes next to the player's celebrities: a JPEG
// whose frame is small enough for the game's picture of a celebrity.
#include <cstdint>
#include <optional>
#include <span>

namespace marquill::gamedata {

inline constexpr uint32_t kMaxSnapshotSide = 512;
inline constexpr uint64_t kMaxSnapshotBytes = 1ull << 20;

struct JpegFrame {
    uint32_t width = 0;
    uint32_t height = 0;
};

// The frame of a baseline or progressive JPEG, walked marker by marker up to the start of the
// scan; none when the bytes do not hold one.
[[nodiscard]] std::optional<JpegFrame> readJpegFrame(std::span<const uint8_t> bytes);

}  // namespace marquill::gamedata
