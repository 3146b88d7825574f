#pragma once
// What the preview person does between greetings: a chain of idle animations through three
// stances, with an occasional murmur.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/RandomSource.h"
#include "platform/SoundPlayer.h"

namespace marquill::character {

class AnimationPlayer;
class CharacterCatalogue;
struct AnimationInstance;

struct IdleVoice {
    std::string_view male;
    std::string_view female;
};
inline constexpr std::array<IdleVoice, 3> kIdleVoices{{
    {"Vox_Bored_SighM1", "Vox_bored_Sighf4"},
    {"Vox_indifferent_huhM1", "Vox_Indifferent_huhF2"},
    {"Vox_intrigued_hmmM1", "Vox_Indifferent_huhF3"},
}};

class IdleCycle {
  public:
    enum Stance : int { ArmsDown = 0, HandsOnHips = 1, ArmsCrossed = 2 };

    [[nodiscard]] int state() const { return state_; }
    void reset() { state_ = ArmsDown; }

    // The murmur (only in the foreground), the next idle name by the stance, then: the running
    // instance is stopped when it plays another animation, and the chosen one is started
    // (priority 1, rate 1, weight 1, holding at its end) when nothing runs; a name the catalogue
    // lacks clears `animationName`. Returns the instance running afterwards, if any.
    AnimationInstance* next(std::string& animationName, AnimationPlayer& player,
                            CharacterCatalogue& catalogue, int32_t now, bool male, bool foreground,
                            platform::RandomSource& random, platform::SoundPlayer& sounds);

    // The choice alone: the next name for the current stance, moving to another stance on a
    // transition.
    [[nodiscard]] std::string choose(platform::RandomSource& random);

  private:
    int state_ = ArmsDown;
};

}  // namespace marquill::character
