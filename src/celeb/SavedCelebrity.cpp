#include "celeb/SavedCelebrity.h"

#include <algorithm>
#include <set>
#include <utility>

#include "celeb/RecordChecks.h"
#include "gamedata/ChosenPerson.h"
#include "gamedata/PersonConstants.h"
#include "gamedata/PersonFile.h"
#include "platform/AsciiCase.h"
#include "platform/Cp1252.h"
#include "resfile/IFFResFile2.h"
#include "resfile/ResType.h"
#include "resfile/StringSet.h"
#include "resfile/StringSetMulti.h"

namespace marquill::celeb {

using namespace resfile;

namespace {

std::string personFileOf(const std::string& path) {
    const std::string lower = platform::toLowerAscii(path);
    if (lower.size() > 4 && lower.ends_with(".srf"))
        return path.substr(0, path.size() - 4) + ".iff";
    return path;
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

void readNames(iResFile& file, SavedCelebrity& out) {
    StringSetMulti strings;
    strings.Select(file, gamedata::kPersonStringsId, gamedata::kTypeCatalogStrings,
                   StringForm::Binary, 0);
    if (strings.Load(StringSetMulti::Languages::Current, StringSetMulti::Fallback::Language0) !=
        kResOk) {
        out.repairs.push_back("the file has no readable CTSS 2000: no name and no description");
        return;
    }
    out.record.setName(platform::cp1252ToUtf8(strings.Get(1, 0).value_or("")));
    out.record.setDescription(platform::cp1252ToUtf8(strings.Get(2, 0).value_or("")));
}

int clamped(int value, int low, int high, const std::string& what,
            std::vector<std::string>& repairs) {
    const int kept = std::clamp(value, low, high);
    if (kept != value)
        repairs.push_back(what + " " + std::to_string(value) + " is outside " +
                          std::to_string(low) + "-" + std::to_string(high) + ": read as " +
                          std::to_string(kept));
    return kept;
}

// The nearest of the three stored interest values; halfway goes to the higher one.
int nearestInterestValue(int value) {
    if (value >= 750) return 1000;
    if (value >= 300) return 500;
    return 100;
}

void readConstants(iResFile& file, SavedCelebrity& out) {
    gamedata::PersonConstants constants;
    if (!gamedata::readPersonConstants(file, &constants)) {
        out.repairs.push_back(
            "the file has no readable BCON 4096: traits, interests and fame read as 0, 500 and 0");
        constants = {};
    } else if (constants.values.size() < constants.storedCount) {
        out.repairs.push_back("BCON 4096 counts " + std::to_string(constants.storedCount) +
                              " values but holds " + std::to_string(constants.values.size()));
    }
    if (constants.values.size() < gamedata::kPersonConstantCount && !constants.values.empty())
        out.repairs.push_back("BCON 4096 holds " + std::to_string(constants.values.size()) +
                              " values, not " + std::to_string(gamedata::kPersonConstantCount) +
                              ": the missing ones read as 0 (interests as 500)");
    auto value = [&](size_t index, int missing) {
        return index < constants.values.size() ? static_cast<int>(constants.values[index])
                                               : missing;
    };
    for (int k = 0; k < kTraitCount; ++k) {
        const int stored = value(gamedata::kTraitConstant[k], 0);
        // Traits are stored as hundreds; a value between is read to the nearest point.
        const int points = stored >= 0 ? (stored + 50) / 100 : -((-stored + 50) / 100);
        if (points * 100 != stored)
            out.repairs.push_back(std::string(kTraitNames[static_cast<size_t>(k)]) + " " +
                                  std::to_string(stored) + " is not a multiple of 100: read as " +
                                  std::to_string(points));
        out.record.setTrait(
            k,
            clamped(points, 0, 10, std::string(kTraitNames[static_cast<size_t>(k)]), out.repairs));
    }
    for (int id = 0; id < kInterestCount; ++id) {
        const int stored = value(gamedata::kInterestConstant[id], 500);
        const int kept = nearestInterestValue(stored);
        if (kept != stored)
            out.repairs.push_back("interest " +
                                  std::string(kInterests[static_cast<size_t>(id)].name) + " " +
                                  std::to_string(stored) + " is not 1000, 500 or 100: read as " +
                                  std::to_string(kept));
        (kept == 1000 ? out.top : kept == 500 ? out.middle : out.low).push_back(id);
    }
    // The low list keeps itself sorted by name, as on the interests page.
    std::stable_sort(out.low.begin(), out.low.end(), [](int a, int b) {
        return platform::toLowerAscii(kInterests[static_cast<size_t>(a)].name) <
               platform::toLowerAscii(kInterests[static_cast<size_t>(b)].name);
    });
    const auto order = interestOrder(out.top, out.low);
    for (int p = 0; p < kInterestCount; ++p)
        out.record.setInterestAt(p, order[static_cast<size_t>(p)]);
    if (out.top.size() != 5 || out.low.size() != 5)
        out.repairs.push_back("the file has " + std::to_string(out.top.size()) + " top and " +
                              std::to_string(out.low.size()) +
                              " low interests, not five each: the interests page asks for five");
    out.record.setFameLevel(clamped(value(gamedata::kFameConstant, 0), 0, kFameLevelCount - 1,
                                    "fame level", out.repairs));
}

// Where the save writes a gender letter besides string 13: the person's meshes and outfits.
void checkGenderLetters(const std::vector<std::string>& strings, const character::Appearance& look,
                        std::vector<std::string>& repairs) {
    const char wanted = look.gender == 0 ? 'm' : 'f';
    const std::pair<int, size_t> places[] = {{2, 4},  {3, 4},  {18, 1}, {19, 1}, {20, 1},
                                             {21, 1}, {22, 1}, {23, 1}, {31, 4}, {32, 4},
                                             {33, 4}, {34, 4}, {35, 4}};
    std::string disagreeing;
    for (auto [index, at] : places) {
        if (static_cast<size_t>(index) > strings.size()) continue;
        const std::string& s = strings[static_cast<size_t>(index) - 1];
        if (at >= s.size()) continue;
        const char c = platform::lowerAscii(s[at]);
        if ((c == 'm' || c == 'f') && c != wanted)
            disagreeing += (disagreeing.empty() ? "" : ", ") + std::to_string(index);
    }
    if (!disagreeing.empty())
        repairs.push_back("body strings " + disagreeing + " are of the other gender: string 13 (" +
                          (look.gender == 0 ? "Male" : "Female") + ") wins");
}

void checkParts(const std::vector<std::string>& strings, std::vector<std::string>& repairs) {
    const std::pair<int, const char*> parts[] = {{2, ",BODY="}, {3, ",HEAD-HEAD="}, {35, ",BODY="}};
    for (auto [index, key] : parts) {
        if (static_cast<size_t>(index) > strings.size()) {
            repairs.push_back("body string " + std::to_string(index) +
                              " is missing: the look page's default is used");
            continue;
        }
        const std::string& s = strings[static_cast<size_t>(index) - 1];
        if (platform::toLowerAscii(s).find(platform::toLowerAscii(key)) == std::string::npos)
            repairs.push_back("body string " + std::to_string(index) + " " + quoted(s) + " lacks " +
                              quoted(key) + ": its texture is read as empty");
    }
}

void readBodyStrings(iResFile& file, SavedCelebrity& out) {
    StringSet body;
    if (body.Load(file, gamedata::kBodyStringsId) != kResOk) {
        out.repairs.push_back(
            "the file has no readable STR# 200: the look pages' defaults are used");
        return;
    }
    std::vector<std::string> strings;
    for (int i = 1; i <= body.Count(); ++i)
        strings.push_back(platform::cp1252ToUtf8(body.Get(i).value_or("")));
    out.appearance = gamedata::appearanceFromBodyStrings(strings);
    checkParts(strings, out.repairs);
    checkGenderLetters(strings, out.appearance, out.repairs);
}

std::set<std::pair<ResType, int16_t>> resourcesOf(iResFile& file) {
    std::set<std::pair<ResType, int16_t>> all;
    const int types = file.CountTypes();
    for (int t = 1; t <= types; ++t) {
        const ResType type = file.GetIndType(t);
        const int count = file.CountResources(type);
        for (int i = 1; i <= count; ++i) {
            MemoryBlock* block = file.GetIndResource(type, i);
            if (!block) continue;
            int16_t id = 0;
            if (file.GetResourceId(block, id) == kResOk) all.emplace(type, id);
            (void)Release(file, block);
        }
    }
    return all;
}

void findExtraResources(iResFile& file, const std::string& templatePath, platform::FileLayer& files,
                        SavedCelebrity& out) {
    IFFResFile2 original(files);
    if (OpenResFile(original, templatePath, kOpenReadOnly) != kResOk) return;
    const auto known = resourcesOf(original);
    (void)original.Close();
    for (const auto& [type, id] : resourcesOf(file))
        // The save removes the template's pictures and adds the new celebrity's own.
        if (type != gamedata::kTypeBitmap && !known.contains({type, id}))
            out.extraResources.push_back(ResTypeText(type) + " " + std::to_string(id));
}

}  // namespace

SavedCelebrity readSavedCelebrity(const std::string& path, const std::string& templatePath,
                                  platform::FileLayer& files) {
    SavedCelebrity out;
    out.personFile = personFileOf(path);
    if (!files.exists(out.personFile)) {
        out.code = kResNoSuchFile;
        out.error = "there is no person file " + out.personFile + " (result " +
                    std::to_string(kResNoSuchFile) + ")";
        return out;
    }
    IFFResFile2 file(files);
    if (ResCode code = OpenResFile(file, out.personFile, kOpenReadOnly); code != kResOk) {
        out.code = code;
        out.error = "the person file " + out.personFile + " cannot be read (result " +
                    std::to_string(code) + ")";
        (void)file.Close();
        return out;
    }
    readNames(file, out);
    readConstants(file, out);
    readBodyStrings(file, out);
    const character::Appearance& look = out.appearance;
    out.record.setGender(look.gender);
    out.record.setSkinColour(look.skinColour);
    out.record.setBodyType(look.bodyType);
    out.record.setHeadMesh(look.headMesh);
    out.record.setHeadTexture(look.headTexture);
    out.record.setBodyMesh(look.bodyMesh);
    out.record.setBodyTexture(look.bodyTexture);
    out.record.setFashionBodyMesh(look.fashionBodyMesh);
    out.record.setFashionBodyTexture(look.fashionBodyTexture);
    if (!templatePath.empty()) findExtraResources(file, templatePath, files, out);
    (void)file.Close();
    return out;
}

}  // namespace marquill::celeb
