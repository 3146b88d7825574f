#include "character/HandSelections.h"

#include "platform/AsciiCase.h"

namespace marquill::character {

namespace {

bool letterIs(const std::string& s, size_t i, char lower) {
    return i < s.size() && platform::lowerAscii(s[i]) == lower;
}

}  // namespace

HandSelections handSelectionsFor(const std::string& bodyOutfit, const std::string& bodyTexture) {
    // Body outfit names read like "b003mafit_01": the fifth letter is the gender, the sixth the
    // age.
    const bool adult = bodyOutfit.size() > 5 && letterIs(bodyOutfit, 5, 'a');
    const bool male = bodyOutfit.size() < 5 || letterIs(bodyOutfit, 4, 'm');
    std::string left = "hflo";
    if (!adult)
        left[1] = 'u';
    else if (male)
        left[1] = 'm';
    std::string right = left;
    right[2] = 'r';

    std::string skin = "lgt";
    if (bodyTexture.size() >= 10) {
        if (platform::containsIgnoringCase(bodyTexture, "med"))
            skin = "med";
        else if (platform::containsIgnoringCase(bodyTexture, "drk"))
            skin = "drk";
    }
    const std::string texture = "HUAO" + skin;
    return {left, texture, right, texture};
}

}  // namespace marquill::character
