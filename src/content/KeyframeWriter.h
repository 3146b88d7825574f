#pragma once
// Keyframe files: ".bin" raw floats and ".cfp" compressed streams (see character/KeyframeReader.h).
#include <span>

#include "platform/ByteSink.h"

namespace marquill::content {

// Values are within this of the original after a delta code; otherwise they are stored raw.
inline constexpr float kCfpTolerance = 0.0002f;

// `translations` holds x y z per key, `rotations` x y z w.
[[nodiscard]] bool writeCfp(std::span<const float> translations, std::span<const float> rotations,
                            platform::ByteSink& out);
[[nodiscard]] bool writeBin(std::span<const float> translations, std::span<const float> rotations,
                            platform::ByteSink& out);

}  // namespace marquill::content
