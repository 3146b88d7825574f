#include "character/AnimationEventSounds.h"

namespace marquill::character {

void playEventSounds(const PropertyList& properties, bool foreground, platform::SoundPlayer& sounds,
                     const SoundFileResolver& resolve) {
    if (!foreground) return;
    for (const auto& [key, value] : properties.pairs) {
        if (key != "sound") continue;
        sounds.playFile(resolve ? resolve(value) : value);
    }
}

}  // namespace marquill::character
