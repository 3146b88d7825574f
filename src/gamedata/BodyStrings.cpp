#include "gamedata/BodyStrings.h"

#include <array>
#include <string_view>

namespace marquill::gamedata {

namespace {

constexpr std::array<std::string_view, 3> kSkinCodes = {"lgt", "med", "drk"};
constexpr std::array<std::string_view, 3> kBodyCodes = {"fit", "fat", "skn"};

std::string_view skinCode(const character::Appearance& look) {
    return kSkinCodes[look.skinColour >= 0 && look.skinColour < 3 ? look.skinColour : 2];
}
std::string_view bodyCode(const character::Appearance& look) {
    return kBodyCodes[look.bodyType >= 0 && look.bodyType < 3 ? look.bodyType : 2];
}
char genderLetter(const character::Appearance& look) {
    return look.gender == 0 ? 'm' : 'f';
}

}  // namespace

std::string rewriteOutfitString(const std::string& text, const character::Appearance& look) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos || text.size() < comma + 6) return text;
    std::string mesh = text.substr(0, comma);
    std::string texture = text.substr(comma + 6);
    if (mesh.size() < 5 || texture.size() < 8) return text;
    const char g = static_cast<char>(genderLetter(look) - 32);
    const std::string_view b = bodyCode(look);
    for (std::string* part : {&mesh, &texture}) {
        (*part)[1] = g;
        part->replace(2, 3, b);
    }
    texture.replace(5, 3, skinCode(look));
    return mesh + ",BODY=" + texture;
}

std::map<int, std::string> celebrityBodyStrings(const character::Appearance& look,
                                                const std::map<int, std::string>& templateStrings) {
    std::map<int, std::string> out;
    const std::string g(1, genderLetter(look));
    const std::string s(skinCode(look));
    const std::string b(bodyCode(look));
    out[2] = look.bodyMesh + ",BODY=" + look.bodyTexture;
    out[3] = look.headMesh + ",HEAD-HEAD=" + look.headTexture;
    out[13] = look.gender == 0 ? "Male" : "Female";
    out[15] = s;
    for (int index : {16, 17, 28}) {
        auto it = templateStrings.find(index);
        if (it != templateStrings.end()) out[index] = rewriteOutfitString(it->second, look);
    }
    const char* hands[] = {"lo", "ro", "lp", "rp", "lc", "rc"};
    for (int i = 0; i < 6; ++i)
        out[18 + i] = "h" + g + hands[i] + ",HAND=huao" + s;
    const char outfits[] = {'f', 's', 'l', 'w'};
    for (int i = 0; i < 4; ++i) {
        const std::string o(1, outfits[i]);
        out[31 + i] =
            o + "100" + g + "a" + b + "_original,BODY=" + o + "100" + g + "a" + b + s + "_original";
    }
    out[35] = look.fashionBodyMesh + ",BODY=" + look.fashionBodyTexture;
    return out;
}

}  // namespace marquill::gamedata
