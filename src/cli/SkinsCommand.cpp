// `marquill skins`: the look page's four lists, its status and the selections, as the page shows
// them after start-up and the given choices.
#include <cstdio>
#include <string>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "cli/Json.h"
#include "cli/LookChoices.h"

namespace marquill::cli {
namespace {

using character::LookList;
using character::LookLists;
using character::SkinSelections;

constexpr const char* kUsage =
    "usage: marquill skins [--game-dir DIR] [--gender male|female] [--skin light|medium|dark]\n"
    "       [--body-type fit|full|thin] [--body B] [--body-texture T] [--head H]\n"
    "       [--head-texture T] [--fashion [--fashion-body B] [--fashion-texture T]] [--json]";

struct NamedList {
    const char* key;
    const char* title;
    const LookList* list;
};

struct NamedSelection {
    const char* key;
    const std::string* value;
};

std::vector<NamedSelection> namedSelections(const LookLists& lists) {
    const character::Appearance& a = lists.appearance();
    const SkinSelections& s = lists.dressing();
    return {{"skeleton", &s.skeleton},
            {"animation", &s.animation},
            {"head_outfit", &a.headMesh},
            {"head_texture", &a.headTexture},
            {"left_hand_outfit", &s.leftHandOutfit},
            {"left_hand_texture", &s.leftHandTexture},
            {"right_hand_outfit", &s.rightHandOutfit},
            {"right_hand_texture", &s.rightHandTexture},
            {"body_outfit", &a.bodyMesh},
            {"body_texture", &a.bodyTexture},
            {"fashion_body_outfit", &a.fashionBodyMesh},
            {"fashion_body_texture", &a.fashionBodyTexture}};
}

constexpr const char* kSkinNames[] = {"light", "medium", "dark"};
constexpr const char* kBodyTypeNames[] = {"fit", "full", "thin"};

}  // namespace

int runSkins(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"json", "fashion"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(
            *args, {"game-dir", "json", "fashion", "gender", "skin", "body-type", "head",
                    "head-texture", "body", "body-texture", "fashion-body", "fashion-texture"});
        !bad.empty())
        return fail(kExitUsage, bad + "\n" + kUsage);
    if (!args->positional().empty()) return fail(kExitUsage, kUsage);
    const bool fashion = args->has("fashion");
    if (!fashion && (args->has("fashion-body") || args->has("fashion-texture")))
        return fail(kExitUsage,
                    "--fashion-body and --fashion-texture choose on the high-fashion "
                    "page: add --fashion");
    auto choices = lookChoicesFrom(*args, &error);
    if (!choices) return fail(kExitUsage, error);
    GameLookupError lookup;
    auto game = gameFolderFrom(*args, &lookup);
    if (!game) return fail(lookup.exit, lookup.message);

    LookSession session(*game);
    if (!session.build())
        return fail(kExitFileError, "no character folders in the game folder '" + *game + "'");
    character::LookLists& lists = session.lists();
    LookOutcome outcome = applyLookChoices(lists, session.catalogue(), *choices);
    if (outcome.done() && fashion)
        outcome = applyFashionChoices(lists, session.catalogue(), *choices);
    if (!outcome.done()) return fail(outcome.exit, outcome.message);

    const character::LookStatus status = fashion ? lists.fashionStatus() : lists.status();
    const character::Appearance& in = lists.appearance();
    const NamedList named[] = {
        {"heads", "heads", &lists.heads()},
        {"head_textures", "head textures", &lists.headTextures()},
        {"bodies", fashion ? "high-fashion bodies" : "bodies", &lists.bodies()},
        {"body_textures", fashion ? "high-fashion body textures" : "body textures",
         &lists.bodyTextures()}};

    if (args->has("json")) {
        Json j;
        j.beginObject().field("page", fashion ? "fashion" : "normal");
        j.field("gender", in.female() ? "female" : "male");
        j.field("skin", kSkinNames[in.skinColour]).field("body_type", kBodyTypeNames[in.bodyType]);
        for (const NamedList& n : named) {
            j.key(n.key).beginObject().key("entries").beginArray();
            for (const std::string& e : n.list->entries())
                j.value(e);
            j.endArray().key("selected");
            if (n.list->selected() >= 0)
                j.value(n.list->selectedText());
            else
                j.null();
            j.endObject();
        }
        j.field("status", status.text).field("next_enabled", status.nextEnabled);
        j.key("selections").beginObject();
        for (const NamedSelection& s : namedSelections(lists))
            j.field(s.key, *s.value);
        j.endObject().endObject();
        std::printf("%s\n", j.str().c_str());
        return kExitDone;
    }

    std::printf("%s page: %s, %s skin, %s body\n", fashion ? "high-fashion" : "normal",
                in.female() ? "female" : "male", kSkinNames[in.skinColour],
                kBodyTypeNames[in.bodyType]);
    for (const NamedList& n : named) {
        std::printf("%s (%d)\n", n.title, n.list->count());
        for (int i = 0; i < n.list->count(); ++i)
            std::printf("  %s %s\n", i == n.list->selected() ? "*" : " ",
                        n.list->entries()[static_cast<size_t>(i)].c_str());
    }
    std::printf("status: %s (Next %s)\n", status.text.c_str(),
                status.nextEnabled ? "enabled" : "disabled");
    std::printf("selections\n");
    for (const NamedSelection& s : namedSelections(lists))
        std::printf("  %-21s %s\n", s.key, s.value->c_str());
    return kExitDone;
}

}  // namespace marquill::cli
