#pragma once
// The preview's answer to animation events: a "sound" property names a sound file to play.
#include <functional>
#include <string>

#include "character/CharacterRecords.h"
#include "platform/SoundPlayer.h"

namespace marquill::character {

// Turns the file name of an event into something the sound player can open.
using SoundFileResolver = std::function<std::string(const std::string& fileName)>;

// Every pair whose key is exactly "sound" plays its file, synchronously, and only while the
// tool is in front; without a resolver the name is passed on as it stands.
void playEventSounds(const PropertyList& properties, bool foreground, platform::SoundPlayer& sounds,
                     const SoundFileResolver& resolve = {});

}  // namespace marquill::character
