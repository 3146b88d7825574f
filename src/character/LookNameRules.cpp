#include "character/LookNameRules.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/AsciiCase.h"

namespace marquill::character {
namespace {

constexpr std::array<std::string_view, 19> kExcludedBodies = {
    "b003fafit_01", "b003fafat_01", "b005fafit_01", "b008fafat_01",      "b009fafit_01",
    "b009fafat_01", "b011fafat_01", "b011fafit_01", "b012fafit_01",      "b003faskn_01",
    "b008faskn_01", "b012faskn_01", "b001mafat_01", "b003mafat_01",      "b011mafat_01",
    "b001maskn_01", "b003maskn_01", "b004maskn_01", "b008mafit_strokedd"};

// Skin colours as bits: 1 Light, 2 Medium, 4 Dark.
struct SkinRestriction {
    bool female;
    std::string_view outfit;
    unsigned allowed;
};
constexpr SkinRestriction kRestrictions[] = {
    {false, "c006ma_boss", 4}, {false, "c005ma_hipster", 1}, {false, "b708mafit_ct", 0},
    {true, "c036fa_cowg", 4},  {true, "c038fa_rave", 1 | 2}, {true, "b713fafit_ct", 2},
    {true, "b717fafit_ct", 4}, {true, "b718fafit_ct", 1},
};

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string_view genderAgeCode(bool female) {
    return female ? "fa" : "ma";
}

std::string_view bodyTypeCode(int bodyType) {
    return bodyType == 0 ? "fit" : bodyType == 1 ? "fat" : "skn";
}

std::string_view skinCode(int skinColour) {
    return skinColour == 0 ? "lgt" : skinColour == 1 ? "med" : "drk";
}

std::string_view namePrefix(std::string_view name) {
    size_t underscore = name.find('_');
    return underscore == std::string_view::npos ? std::string_view() : name.substr(0, underscore);
}

bool containsText(std::string_view text, std::string_view part) {
    return !text.empty() && !part.empty() && platform::containsIgnoringCase(text, part);
}

bool isHeadOutfit(std::string_view lowerName) {
    return lowerName.size() > 1 && lowerName[0] == 'c' && isDigit(lowerName[1]);
}

bool isBodyOutfit(std::string_view lowerName) {
    if (lowerName.empty()) return false;
    if (lowerName[0] == 'b' || lowerName[0] == 'h')
        return std::any_of(lowerName.begin() + 1, lowerName.end(), isDigit);
    return lowerName[0] == 'n' && lowerName.size() > 5 && lowerName[5] == '_';
}

bool isFashionName(std::string_view lowerName) {
    return !lowerName.empty() && lowerName[0] == 'h';
}

bool isExcludedBody(std::string_view lowerName) {
    return std::find(kExcludedBodies.begin(), kExcludedBodies.end(), lowerName) !=
           kExcludedBodies.end();
}

bool skinColourAllows(bool female, std::string_view outfitName, int skinColour) {
    for (const SkinRestriction& r : kRestrictions)
        if (r.female == female && platform::equalsIgnoringCase(outfitName, r.outfit))
            return skinColour >= 0 && skinColour <= 2 && (r.allowed & (1u << skinColour)) != 0;
    return true;
}

TextureKind textureKind(std::string_view lowerName) {
    if (lowerName.empty()) return TextureKind::Ignored;
    switch (lowerName[0]) {
        case 'c':
            return TextureKind::Head;
        case 'b':
        case 'h':
            return TextureKind::Body;
        case 'n':
        case 'u':
            return TextureKind::BodyByNumber;
        default:
            return TextureKind::Ignored;
    }
}

}  // namespace marquill::character
