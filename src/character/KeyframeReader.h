#pragma once
// Keyframe files of one animation. ".bin": translation count x 3 float32, then rotation count
// x 4 float32. ".cfp": the same values as seven streams (all translation x, all y, all z, then
// rotation x, y, z, w), each value a code byte against the previous value (0 at the start,
// carried across streams):
//   0xFF  a float32 follows and is the value
//   0xFE  a uint16 R follows; this value and the next R equal the previous value
//   0-252 previous value + delta(code)
#include <cstdint>
#include <span>
#include <vector>

namespace marquill::character {

// delta(i) = 0.1 sign(t) t^4, t = i c 2 - 1, c the float nearest 1/252, stored as a float.
[[nodiscard]] float cfpDelta(int code);
inline constexpr int kCfpDeltaCodes = 253;
inline constexpr uint8_t kCfpRepeat = 0xFE;
inline constexpr uint8_t kCfpRaw = 0xFF;
// No animation of the game comes near this many keyframe values (64 MB of floats).
inline constexpr uint64_t kMaxKeyframeValues = uint64_t{1} << 24;

struct Keyframes {
    std::vector<float> translations;
    std::vector<float> rotations;
};

// Both fail (false) when the data does not hold exactly the values asked for.
[[nodiscard]] bool decodeCfp(std::span<const uint8_t> bytes, int32_t translationCount,
                             int32_t rotationCount, Keyframes& out);
[[nodiscard]] bool decodeBin(std::span<const uint8_t> bytes, int32_t translationCount,
                             int32_t rotationCount, Keyframes& out);

}  // namespace marquill::character
