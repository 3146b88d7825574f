#include <cstdio>
#include <string>
#include <vector>

#include "celeb/SavedCelebrity.h"
#include "celeb/Vocabulary.h"
#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "cli/Json.h"
#include "platform/ToolFolders.h"

namespace marquill::cli {

namespace {

using namespace celeb;

// The words `create` takes for the same choices.
const char* genderWord(int gender) {
    return gender == kMale ? "male" : "female";
}
const char* skinWord(int skin) {
    return skin == 0 ? "light" : skin == 1 ? "medium" : "dark";
}
const char* bodyTypeWord(int bodyType) {
    return bodyType == 0 ? "fit" : bodyType == 1 ? "full" : "thin";
}

std::vector<std::string> interestNames(const std::vector<int>& ids) {
    std::vector<std::string> names;
    for (int id : ids)
        names.emplace_back(kInterests[static_cast<size_t>(id)].name);
    return names;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words)
        text += (text.empty() ? "" : ", ") + w;
    return text;
}

void printJson(const SavedCelebrity& saved) {
    const PemmData& r = saved.record;
    const character::Appearance& a = saved.appearance;
    Json json;
    json.beginObject()
        .field("person_file", saved.personFile)
        .field("name", r.name())
        .field("description", r.description())
        .field("gender", genderWord(a.gender))
        .field("skin", skinWord(a.skinColour))
        .field("body_type", bodyTypeWord(a.bodyType))
        .field("adult", a.adult);
    json.key("traits").beginObject();
    for (int k = 0; k < kTraitCount; ++k)
        json.field(kTraitNames[static_cast<size_t>(k)], r.trait(k));
    json.endObject();
    json.key("interests").beginObject();
    const std::pair<const char*, const std::vector<int>*> groups[] = {
        {"top", &saved.top}, {"middle", &saved.middle}, {"low", &saved.low}};
    for (auto [name, ids] : groups) {
        json.key(name).beginArray();
        for (const std::string& n : interestNames(*ids))
            json.value(n);
        json.endArray();
    }
    json.endObject();
    json.field("fame", r.fameLevel())
        .field("fame_name", kFameLevels[static_cast<size_t>(r.fameLevel())].name)
        .field("head", a.headMesh)
        .field("head_texture", a.headTexture)
        .field("body", a.bodyMesh)
        .field("body_texture", a.bodyTexture)
        .field("fashion_body", a.fashionBodyMesh)
        .field("fashion_texture", a.fashionBodyTexture);
    json.key("repairs").beginArray();
    for (const std::string& line : saved.repairs)
        json.value(line);
    json.endArray();
    json.key("not_carried_over").beginArray();
    for (const std::string& resource : saved.extraResources)
        json.value(resource);
    json.endArray().endObject();
    std::printf("%s\n", json.str().c_str());
}

void printText(const SavedCelebrity& saved) {
    const PemmData& r = saved.record;
    const character::Appearance& a = saved.appearance;
    std::printf("person file   %s\n", saved.personFile.c_str());
    std::printf("name          %s\n", r.name().c_str());
    std::printf("description   %s\n", r.description().c_str());
    std::printf("look          %s, %s skin, %s%s\n", genderWord(a.gender), skinWord(a.skinColour),
                bodyTypeWord(a.bodyType), a.adult ? "" : ", child");
    std::printf("traits       ");
    for (int k = 0; k < kTraitCount; ++k)
        std::printf(" %.*s %d", static_cast<int>(kTraitNames[static_cast<size_t>(k)].size()),
                    kTraitNames[static_cast<size_t>(k)].data(), r.trait(k));
    std::printf("\ntop           %s\n", joined(interestNames(saved.top)).c_str());
    std::printf("middle        %s\n", joined(interestNames(saved.middle)).c_str());
    std::printf("low           %s\n", joined(interestNames(saved.low)).c_str());
    const auto& fame = kFameLevels[static_cast<size_t>(r.fameLevel())].name;
    std::printf("fame          %d %.*s\n", r.fameLevel(), static_cast<int>(fame.size()),
                fame.data());
    std::printf("head          %s %s\n", a.headMesh.c_str(), a.headTexture.c_str());
    std::printf("body          %s %s\n", a.bodyMesh.c_str(), a.bodyTexture.c_str());
    std::printf("fashion body  %s %s\n", a.fashionBodyMesh.c_str(), a.fashionBodyTexture.c_str());
    for (const std::string& line : saved.repairs)
        std::printf("repaired      %s\n", line.c_str());
    if (!saved.extraResources.empty())
        std::printf("not carried over by a new save: %s\n", joined(saved.extraResources).c_str());
}

}  // namespace

int runShow(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"json"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(*args, {"json", "game-dir"}); !bad.empty())
        return fail(kExitUsage, bad);
    if (args->positional().size() != 1)
        return fail(kExitUsage, "usage: marquill show FILE.iff|FILE.srf [--json]");
    const SavedCelebrity saved = readSavedCelebrity(
        args->positional()[0], platform::findToolDataFile(platform::kTemplateFileName));
    if (!saved.ok()) return fail(kExitFileError, saved.error);
    if (args->has("json"))
        printJson(saved);
    else
        printText(saved);
    return kExitDone;
}

}  // namespace marquill::cli
