#pragma once
// World transforms of a skeleton's bones from their local translations and rotations.
#include "character/CharacterRecords.h"

namespace marquill::character {

// Walks the tree from the root (its siblings are not visited) when anything changed since the
// last update: raises the change count of every bone it poses and clears `changed` and every
// `localChanged`.
void updatePose(Skeleton& skeleton);

}  // namespace marquill::character
