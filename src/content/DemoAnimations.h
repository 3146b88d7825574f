#pragma once
// The demo's animations: the greeting and the idle cycle's animations, each a motion sampled
// into keyframe tracks for every bone of the "adult" skeleton.
#include <string>
#include <vector>

#include "character/CharacterRecords.h"

namespace marquill::content::demo {

struct DemoAnimation {
    character::Animation animation;  // tracks and keyframe arrays filled
    bool rawKeyframes = false;       // stored uncompressed (".bin")
};

// Every animation the idle cycle and the greeting name. `variation` > 0 makes a renamed copy's
// motion differ (larger or smaller gestures, another tempo).
[[nodiscard]] std::vector<DemoAnimation> idleAnimations(int variation);
// The names the idle cycle and the greeting use, in a fixed order.
[[nodiscard]] const std::vector<std::string>& idleAnimationNames();

}  // namespace marquill::content::demo
