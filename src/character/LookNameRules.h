#pragma once
// The naming conventions the look lists filter by. Names are tested lower-cased; a name's prefix
// is its part before the first "_" (none without one, and an empty prefix passes no test).
//   heads     "c" and a digit:                      c011ma_repo      (prefix c011ma)
//   bodies    "b"/"h" with a digit after the first, b003mafit_01     (prefix b003mafit)
//             or "n" with "_" in sixth place;       "h" = high fashion only
//   textures  "c" head, "b"/"h" body (prefix holds gender, build and skin codes),
//             "n"/"u" body matched by characters 2-5 of the body's name
#include <string>
#include <string_view>

namespace marquill::character {

// "ma" or "fa": gender and the age code, which is always adult.
[[nodiscard]] std::string_view genderAgeCode(bool female);
// "fit", "fat", "skn" for Fit, Full, Thin; "lgt", "med", "drk" for Light, Medium, Dark.
[[nodiscard]] std::string_view bodyTypeCode(int bodyType);
[[nodiscard]] std::string_view skinCode(int skinColour);

[[nodiscard]] std::string_view namePrefix(std::string_view name);
// Whether `part` occurs in `text`, ignoring case; an empty text contains nothing, and nothing is
// found by an empty part either.
[[nodiscard]] bool containsText(std::string_view text, std::string_view part);

[[nodiscard]] bool isHeadOutfit(std::string_view lowerName);
[[nodiscard]] bool isBodyOutfit(std::string_view lowerName);
// High-fashion bodies, offered on the high-fashion page alone.
[[nodiscard]] bool isFashionName(std::string_view lowerName);
// Bodies that are never offered although their names fit.
[[nodiscard]] bool isExcludedBody(std::string_view lowerName);
// Outfits that go with particular skin colours only (or none), by the player's gender.
[[nodiscard]] bool skinColourAllows(bool female, std::string_view outfitName, int skinColour);

enum class TextureKind { Head, Body, BodyByNumber, Ignored };
[[nodiscard]] TextureKind textureKind(std::string_view lowerName);

}  // namespace marquill::character
