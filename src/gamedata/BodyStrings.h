#pragma once
// The body strings ("DNA") a new celebrity's person file gets in STR# 200: which meshes and
// textures the game dresses the person in, for every outfit it can wear.
#include <map>
#include <string>

#include "character/Appearance.h"

namespace marquill::gamedata {

// Index (1-based) to the new text, for every string the new file changes; `templateStrings`
// supplies strings 16, 17 and 28, which are rewritten rather than replaced. A template string
// that is missing or not of the form "mesh,BODY=texture" is left as it is.
[[nodiscard]] std::map<int, std::string> celebrityBodyStrings(
    const character::Appearance& look, const std::map<int, std::string>& templateStrings);

// "mesh,BODY=texture" with character 2 of both parts the upper-case gender letter, characters 3-5
// the body code and characters 6-8 of the texture the skin code; unchanged when too short.
[[nodiscard]] std::string rewriteOutfitString(const std::string& text,
                                              const character::Appearance& look);

// The order in which the strings are set.
inline constexpr int kBodyStringOrder[] = {2,  3,  15, 13, 16, 17, 28, 18, 19,
                                           20, 21, 22, 23, 31, 32, 33, 34, 35};

}  // namespace marquill::gamedata
