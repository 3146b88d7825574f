#pragma once
// An appearance as the record and the person files carry it, against the look lists' own fields:
// the lists sit below the game data and know nothing of its types.
#include "character/LookLists.h"
#include "character/SkinSelections.h"
#include "gamedata/Appearance.h"

namespace marquill::celeb {

// The look of a person chosen in the import lists, for the lists to select.
[[nodiscard]] character::ChosenLook chosenLookFrom(const gamedata::Appearance& appearance);

// The look pages' current choices: the inputs of the filters and the stored selections.
[[nodiscard]] gamedata::Appearance appearanceFrom(const character::LookInputs& inputs,
                                                  const character::SkinSelections& selections);

}  // namespace marquill::celeb
