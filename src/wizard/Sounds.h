#pragma once
// The tool's own sounds the wizard plays.
#include "platform/SoundNames.h"

namespace marquill::wizard {

namespace sound = platform::sound;

}  // namespace marquill::wizard
