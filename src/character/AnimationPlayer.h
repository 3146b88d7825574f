#pragma once
// The animations running on one skeleton, kept in ascending priority so that a higher priority
// writes its bones last. Starting binds every track to its bone once; updating then samples
// without allocating.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "character/AnimationInstance.h"
#include "character/CharacterRecords.h"

namespace marquill::character {

class CharacterCatalogue;

// Called from inside AnimationPlayer::update for each time property passed; it must not start
// or stop animations, nor replace itself.
using AnimationEventCallback = std::function<void(const AnimationInstance&, const Bone&,
                                                  const BoneTrack&, const PropertyList&)>;
// The one system-wide receiver of animation events; an empty function removes it.
void setAnimationEventCallback(AnimationEventCallback callback);

// The skeleton and every animation started on it must outlive the player.
class AnimationPlayer {
  public:
    explicit AnimationPlayer(Skeleton& skeleton);
    ~AnimationPlayer();
    AnimationPlayer(const AnimationPlayer&) = delete;
    AnimationPlayer& operator=(const AnimationPlayer&) = delete;

    // Loads the keyframes through the catalogue if needed; inserted before the first instance
    // of a higher priority. A new instance loops.
    AnimationInstance* start(CharacterCatalogue& catalogue, Animation& animation, int priority,
                             float rate, float weight, int32_t now);
    // For animations whose keyframes are already in place (built in code).
    AnimationInstance* start(Animation& animation, int priority, float rate, float weight,
                             int32_t now);
    void stop(AnimationInstance* instance);
    void stopAll();
    // Advances and samples every instance at this clock time, then poses the skeleton. Without
    // `apply` translations are left alone; rotations and events still run.
    void update(int32_t now, bool apply);

    [[nodiscard]] const std::vector<std::unique_ptr<AnimationInstance>>& running() const {
        return running_;
    }
    [[nodiscard]] Skeleton& skeleton() { return skeleton_; }

  private:
    void claimBones();

    Skeleton& skeleton_;
    std::vector<std::unique_ptr<AnimationInstance>> running_;
};

}  // namespace marquill::character
