#include "character/AnimationPlayer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "character/CharacterCatalogue.h"
#include "character/QuatMath.h"
#include "character/SkeletonPose.h"

namespace marquill::character {

namespace {

constexpr float kRateEpsilon = 1e-6f;
constexpr float kHeldPeriod = 1e8f;
constexpr int32_t kEventSlackMs = 40;
constexpr int kUnclaimed = -10000;

AnimationEventCallback& eventCallback() {
    static AnimationEventCallback callback;
    return callback;
}

// Durations and phases come from files; a value out of range must not make the conversion
// undefined.
int32_t toInt(float v) {
    if (!(v == v)) return 0;
    if (v >= 2147483520.0f) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

bool fitsArray(int32_t used, int32_t offset, int32_t frames, size_t stride,
               const std::vector<float>& values) {
    if (used == 0 || offset < 0) return false;
    return static_cast<uint64_t>(offset) + static_cast<uint64_t>(frames) <= values.size() / stride;
}

Vec3 translationAt(const std::vector<float>& values, int32_t index) {
    const float* p = values.data() + static_cast<size_t>(index) * 3;
    return {p[0], p[1], p[2]};
}

Quat rotationAt(const std::vector<float>& values, int32_t index) {
    const float* p = values.data() + static_cast<size_t>(index) * 4;
    return {p[0], p[1], p[2], p[3]};
}

Vec3 mix(const Vec3& a, const Vec3& b, float t) {
    const float s = 1.0f - t;
    return {a.x * s + b.x * t, a.y * s + b.y * t, a.z * s + b.z * t};
}

void applyEndMode(AnimationInstance& a, int32_t now) {
    switch (a.endMode) {
        case EndMode::HoldAtEnd:
            a.rate = 0;
            a.period = kHeldPeriod;
            a.phase = std::clamp(a.phase, 0.0f, 1.0f);
            break;
        case EndMode::Loop:
            if (a.phase < 0 || a.phase > 1) a.phase -= std::floor(a.phase);
            break;
        case EndMode::PingPong:
            a.rate = -a.rate;
            if (a.phase < 0 || a.phase > 1) a.phase = 1 - (a.phase - std::floor(a.phase));
            break;
        case EndMode::FadeOut:
            a.rate = 0;
            a.period = 0;
            // The instance stays at its end and so ends again on every later tick; starting the
            // fade anew each time would hold the weight where it is for ever.
            if (!a.fading) {
                a.fading = true;
                a.fadeStart = now;
                a.fadeStartWeight = a.weight;
                a.fadeEndWeight = 0;
            }
            a.phase = std::clamp(a.phase, 0.0f, 1.0f);
            break;
    }
}

void applyFade(AnimationInstance& a, int32_t now) {
    if (!a.fading) return;
    const int32_t elapsed =
        static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(a.fadeStart));
    if (elapsed <= a.fadeDuration) {
        const float f =
            a.fadeDuration > 0
                ? std::clamp(static_cast<float>(elapsed) / static_cast<float>(a.fadeDuration), 0.0f,
                             1.0f)
                : 1.0f;
        a.weight = a.fadeStartWeight + (a.fadeEndWeight - a.fadeStartWeight) * f;
    } else {
        a.fading = false;
        a.weight = a.fadeEndWeight;
    }
}

// Time properties between the last event time and this one; the cursor follows the direction
// of play, and a wrap first finishes the pass it interrupted.
void fireEvents(const AnimationInstance& a, TrackBinding& binding, int32_t eventBound,
                const AnimationEventCallback& callback) {
    const auto& entries = binding.track->timeProperties;
    const size_t count = entries.size();
    if (count == 0) return;
    size_t& cursor = binding.eventCursor;
    cursor = std::min(cursor, count);
    auto fire = [&](const TimeProperty& entry) {
        if (entry.time < 0 || entry.time > eventBound) return;
        if (entry.properties.empty() || !callback) return;
        callback(a, *binding.bone, *binding.track, entry.properties);
    };
    if (a.rate >= 0) {
        if (a.eventTime < a.previousEventTime) {
            for (; cursor < count; ++cursor)
                fire(entries[cursor]);
            cursor = 0;
        }
        for (; cursor < count && entries[cursor].time <= a.eventTime; ++cursor)
            fire(entries[cursor]);
    } else {
        if (a.eventTime > a.previousEventTime) {
            for (; cursor > 0; --cursor)
                fire(entries[cursor - 1]);
            cursor = count;
        }
        for (; cursor > 0 && entries[cursor - 1].time >= a.eventTime; --cursor)
            fire(entries[cursor - 1]);
    }
}

struct Sample {
    int32_t frame = 0;
    int32_t next = 0;
    float fraction = 0;
    bool interpolate = false;
};

Sample chooseFrames(const AnimationInstance& a, int32_t dt) {
    const int32_t frames = a.frameCount;
    const int32_t step = std::max(a.frameStep, 0);
    const float position = static_cast<float>(frames) * a.phase;
    int32_t i = toInt(std::floor(position));
    int32_t effective = frames;
    if (step > 0) {
        i = (i / (step + 1)) * (step + 1);
        effective = frames / (step + 1) + (frames % (step + 1) != 0 ? 1 : 0);
    }
    i = std::clamp(i, 0, frames - 1);
    Sample s{i, i, 0, false};
    // Ticks as coarse as two frames gain nothing from interpolation.
    s.interpolate = static_cast<float>(dt) < 2.0f * a.period / static_cast<float>(effective);
    if (!s.interpolate) return s;
    int32_t next = i + step + 1;
    if (next >= frames) next = a.endMode == EndMode::Loop ? 0 : i;
    s.next = next;
    s.fraction = position - static_cast<float>(i);
    if (step > 0) s.fraction /= static_cast<float>(next > i ? next - i : frames - i);
    return s;
}

void sampleTrack(const AnimationInstance& a, TrackBinding& binding, const Sample& s, bool apply) {
    Bone& bone = *binding.bone;
    const BoneTrack& track = *binding.track;
    const Animation& animation = *a.animation;
    const bool replace = a.weight >= 1 || bone.blendFlag == 0;
    if (apply && binding.translations && a.translationsOn) {
        const int32_t base = track.translationOffset;
        Vec3 v = translationAt(animation.translations, base + s.frame);
        if (s.interpolate)
            v = mix(v, translationAt(animation.translations, base + s.next), s.fraction);
        const Vec3 result = replace ? v : mix(bone.translation, v, a.weight);
        if (result != bone.translation) {
            bone.translation = result;
            bone.localChanged = true;
        }
    }
    if (binding.rotations && a.rotationsOn) {
        const int32_t base = track.rotationOffset;
        Quat q = rotationAt(animation.rotations, base + s.frame);
        if (s.interpolate) {
            const Quat to = rotationAt(animation.rotations, base + s.next);
            // The blend itself snaps to `to` in the last hundredth of a frame, as the
            // translation reaches its next frame there too.
            if (q != to)
                if (auto blended = blendRotation(q, 1.0f - s.fraction, to)) q = *blended;
        }
        Quat result = bone.rotation;
        if (replace) {
            result = q;
        } else if (a.weight > 0.01f && q != bone.rotation) {
            if (auto blended = blendRotation(q, a.weight, bone.rotation)) result = *blended;
        }
        if (result != bone.rotation) {
            bone.rotation = result;
            bone.localChanged = true;
        }
    }
}

void advance(AnimationInstance& a, int32_t now, bool apply,
             const AnimationEventCallback& callback) {
    const int32_t dt =
        static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(a.currentTime));
    a.previousTime = a.currentTime;
    a.currentTime = now;
    const Animation& animation = *a.animation;
    if (animation.tracks.empty() || a.frameCount <= 0) return;

    const int32_t eventBound = toInt(animation.duration + static_cast<float>(kEventSlackMs));
    if (std::fabs(a.rate) > kRateEpsilon) {
        // A zero period (an animation without duration) moves by the whole animation at once.
        const float step = a.period > 0 ? static_cast<float>(dt) / a.period
                                        : static_cast<float>((dt > 0) - (dt < 0));
        a.phase += a.rate < 0 ? -step : step;
    }
    if (dt != 0) {
        const bool running = (a.rate >= 0 && a.phase < 1) || (a.rate < 0 && a.phase > 0);
        a.finished = !running;
        if (!running) applyEndMode(a, now);
    }
    applyFade(a, now);
    a.eventTime = toInt(animation.duration * a.phase);
    if (a.weight > 0 && a.keyframesLoaded) {
        const Sample s = chooseFrames(a, dt);
        a.frame = s.frame;
        for (TrackBinding& binding : a.tracks) {
            if (binding.bone->priority > a.priority) continue;
            fireEvents(a, binding, eventBound, callback);
            sampleTrack(a, binding, s, apply);
        }
    }
    a.previousEventTime = a.eventTime;
}

}  // namespace

void setAnimationEventCallback(AnimationEventCallback callback) {
    eventCallback() = std::move(callback);
}

AnimationPlayer::AnimationPlayer(Skeleton& skeleton) : skeleton_(skeleton) {}

AnimationPlayer::~AnimationPlayer() {
    stopAll();
}

AnimationInstance* AnimationPlayer::start(CharacterCatalogue& catalogue, Animation& animation,
                                          int priority, float rate, float weight, int32_t now) {
    // A failure leaves the arrays unloaded, and the instance then writes nothing.
    if (!animation.keyframesLoaded) (void)catalogue.loadKeyframes(animation);
    return start(animation, priority, rate, weight, now);
}

AnimationInstance* AnimationPlayer::start(Animation& animation, int priority, float rate,
                                          float weight, int32_t now) {
    auto instance = std::make_unique<AnimationInstance>();
    AnimationInstance& a = *instance;
    a.skeleton = &skeleton_;
    a.animation = &animation;
    a.priority = priority;
    a.currentTime = a.previousTime = now;
    a.rate = rate;
    a.weight = weight;
    // A duration a file got wrong counts as none, so the phase stays a number.
    const float duration =
        std::isfinite(animation.duration) && animation.duration > 0 ? animation.duration : 0;
    a.period = std::fabs(rate) > kRateEpsilon ? std::fabs(duration / rate) : 0;
    a.frameCount = animation.tracks.empty() ? 0 : std::max(animation.tracks.front().frameCount, 0);
    a.keyframesLoaded = animation.keyframesLoaded;
    a.tracks.reserve(animation.tracks.size());
    for (const BoneTrack& track : animation.tracks) {
        const int bone = skeleton_.findBone(track.boneId);
        if (bone < 0) continue;
        TrackBinding binding;
        binding.bone = &skeleton_.bones[static_cast<size_t>(bone)];
        binding.track = &track;
        binding.translations =
            a.keyframesLoaded && fitsArray(track.translationsUsed, track.translationOffset,
                                           a.frameCount, 3, animation.translations);
        binding.rotations =
            a.keyframesLoaded && fitsArray(track.rotationsUsed, track.rotationOffset, a.frameCount,
                                           4, animation.rotations);
        a.tracks.push_back(binding);
    }
    ++animation.useCount;
    auto at = std::find_if(running_.begin(), running_.end(),
                           [&](const auto& other) { return other->priority > priority; });
    AnimationInstance* result = running_.insert(at, std::move(instance))->get();
    claimBones();
    return result;
}

void AnimationPlayer::stop(AnimationInstance* instance) {
    auto at = std::find_if(running_.begin(), running_.end(),
                           [&](const auto& a) { return a.get() == instance; });
    if (at == running_.end()) return;
    --(*at)->animation->useCount;
    running_.erase(at);
    claimBones();
}

void AnimationPlayer::stopAll() {
    for (auto& a : running_)
        --a->animation->useCount;
    running_.clear();
    claimBones();
}

void AnimationPlayer::update(int32_t now, bool apply) {
    const AnimationEventCallback& callback = eventCallback();
    bool anyRemovable = false;
    for (auto& instance : running_) {
        advance(*instance, now, apply, callback);
        anyRemovable |= instance->autoRemove && instance->weight <= 0;
    }
    if (anyRemovable) {
        for (size_t i = running_.size(); i-- > 0;) {
            if (running_[i]->autoRemove && running_[i]->weight <= 0) stop(running_[i].get());
        }
    }
    updatePose(skeleton_);
}

// Each bone belongs to the highest priority among the instances that drive it; lower ones
// leave it alone.
void AnimationPlayer::claimBones() {
    for (Bone& bone : skeleton_.bones)
        bone.priority = kUnclaimed;
    for (const auto& a : running_)
        for (const TrackBinding& binding : a->tracks)
            binding.bone->priority = std::max(binding.bone->priority, a->priority);
}

}  // namespace marquill::character
