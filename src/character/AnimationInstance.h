#pragma once
// One animation playing on one skeleton: where it is, how fast, how strongly, what happens at
// its end, and which bone each of its tracks drives.
#include <cstdint>
#include <vector>

#include "character/CharacterRecords.h"

namespace marquill::character {

enum class EndMode : int { HoldAtEnd = 0, Loop = 1, PingPong = 2, FadeOut = 3 };

// A track whose bone the skeleton has. The event cursor is a boundary between the time
// properties already passed and the rest: playing forward the next one is at `eventCursor`,
// playing backward at `eventCursor - 1`, so a change of direction needs no fix-up.
struct TrackBinding {
    Bone* bone = nullptr;
    const BoneTrack* track = nullptr;
    size_t eventCursor = 0;
    // Checked once at the start against the loaded arrays, so sampling cannot read past them.
    bool translations = false;
    bool rotations = false;
};

struct AnimationInstance {
    Skeleton* skeleton = nullptr;
    Animation* animation = nullptr;
    int priority = 0;
    int32_t currentTime = 0;  // animation clock
    int32_t previousTime = 0;
    float period = 0;  // duration over the absolute rate; 0 when the rate is 0
    float rate = 1;
    float phase = 0;  // 0 .. 1 through the animation
    float weight = 1;
    int32_t frame = 0;
    int32_t eventTime = 0;  // milliseconds into the animation
    int32_t previousEventTime = 0;
    int32_t frameCount = 0;  // of the first track
    bool finished = false;
    EndMode endMode = EndMode::Loop;
    bool fading = false;
    int32_t fadeStart = 0;
    int32_t fadeDuration = 500;
    float fadeStartWeight = 1;
    float fadeEndWeight = 0;
    int32_t frameStep = 0;  // frames skipped between samples
    bool translationsOn = true;
    bool rotationsOn = true;
    bool autoRemove = false;       // removed once its weight reaches 0
    bool keyframesLoaded = false;  // without keyframes the instance runs but writes nothing
    std::vector<TrackBinding> tracks;
};

}  // namespace marquill::character
