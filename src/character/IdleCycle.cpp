#include "character/IdleCycle.h"

#include "character/AnimationPlayer.h"
#include "character/CharacterCatalogue.h"

namespace marquill::character {

namespace {

int draw(platform::RandomSource& random, int modulus) {
    const int r = random.next() % modulus;
    return r < 0 ? r + modulus : r;
}

}  // namespace

std::string IdleCycle::choose(platform::RandomSource& random) {
    switch (state_) {
        case HandsOnHips:
            switch (draw(random, 8)) {
                case 1:
                    return "a2o-idle-handships-shiftside";
                case 2:
                    return "a2o-idle-handships-lookoff";
                case 3:
                    state_ = ArmsCrossed;
                    return "a2o-idle-transition-handships-armscrossed";
                default:
                    return "a2o-idle-handships-breathe";
            }
        case ArmsCrossed:
            switch (draw(random, 8)) {
                case 1:
                    return "a2o-idle-armscrossed-scratchchin";
                case 2:
                    return "a2o-idle-armscrossed-lookoff";
                case 3:
                    state_ = ArmsDown;
                    return "a2o-idle-transition-armscrossed-armsdown";
                default:
                    return "a2o-idle-armscrossed-breathe";
            }
        default: {
            const int r = draw(random, 20);
            if (r <= 7) return "a2o-idle" + std::to_string(r + 1);
            switch (r) {
                case 8:
                    return "a2o-idle-armsdown-fidget";
                case 9:
                    return "a2o-idle-armsdown-lookoff";
                case 10:
                    state_ = HandsOnHips;
                    return "a2o-idle-transition-armsdown-handships";
                default:
                    return "a2o-idle-armsdown-breathe";
            }
        }
    }
}

AnimationInstance* IdleCycle::next(std::string& animationName, AnimationPlayer& player,
                                   CharacterCatalogue& catalogue, int32_t now, bool male,
                                   bool foreground, platform::RandomSource& random,
                                   platform::SoundPlayer& sounds) {
    if (foreground && draw(random, 10) == 3) {
        const IdleVoice& voice = kIdleVoices[static_cast<size_t>(draw(random, 3))];
        sounds.playNamed(male ? voice.male : voice.female);
    }
    animationName = choose(random);
    // The same name again keeps the finished instance holding its last pose; the next tick
    // chooses anew.
    const auto& running = player.running();
    for (size_t i = running.size(); i-- > 0;)
        if (running[i]->animation->name != animationName) player.stop(running[i].get());
    if (!running.empty()) return running.front().get();
    Animation* animation = catalogue.findAnimation(animationName);
    if (!animation) {
        animationName.clear();
        return nullptr;
    }
    AnimationInstance* instance = player.start(catalogue, *animation, 1, 1.0f, 1.0f, now);
    instance->endMode = EndMode::HoldAtEnd;
    return instance;
}

}  // namespace marquill::character
