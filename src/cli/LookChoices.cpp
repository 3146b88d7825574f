#include "cli/LookChoices.h"

#include <array>
#include <string_view>

#include "cli/Command.h"
#include "platform/AsciiCase.h"

namespace marquill::cli {
namespace {

using character::LookList;
using character::LookLists;

template <size_t N>
bool choose(const Args& args, const char* option, const std::array<std::string_view, N>& names,
            std::optional<int>* out) {
    auto value = args.value(option);
    if (!value) return true;
    for (size_t i = 0; i < N; ++i)
        if (platform::equalsIgnoringCase(*value, names[i])) {
            *out = static_cast<int>(i);
            return true;
        }
    return false;
}

std::string offered(const LookList& list) {
    if (list.count() == 0) return "nothing";
    std::string text;
    for (const std::string& entry : list.entries())
        text += (text.empty() ? "" : ", ") + entry;
    return text;
}

// Selects the entry equal to the name (ignoring case) through the page's handler; without a name,
// the saved one when the list still offers it.
template <typename Handler>
bool pick(LookList& list, const std::optional<std::string>& name,
          const std::optional<std::string>& saved, const char* option, const char* what,
          Handler handler, LookOutcome* outcome) {
    if (!name && saved) {
        const int index = list.findExact(*saved);
        if (index >= 0) {
            handler(index);
        } else {
            outcome->warnings.push_back(
                character::savedNameNotOffered(what, *saved, list.selectedText()));
        }
        return true;
    }
    if (!name) return true;
    const int index = list.findExact(*name);
    if (index < 0) {
        *outcome = {kExitUsage, std::string("--") + option + " " + *name + ": the " + what +
                                    " list does not offer it for these choices; it offers " +
                                    offered(list)};
        return false;
    }
    handler(index);
    return true;
}

LookOutcome checkCatalogue(character::CharacterCatalogue& catalogue, const LookLists& lists,
                           std::initializer_list<const std::string*> outfits) {
    const std::string& skeleton = lists.dressing().skeleton;
    if (!catalogue.findSkeleton(skeleton))
        return {kExitRefused, "the character files hold no skeleton '" + skeleton + "'"};
    for (const std::string* outfit : outfits)
        if (!outfit->empty() && !catalogue.findOutfit(*outfit))
            return {kExitRefused, "the character files cannot give the outfit '" + *outfit + "'"};
    return {};
}

}  // namespace

std::optional<LookChoices> lookChoicesFrom(const Args& args, std::string* error) {
    LookChoices choices;
    std::optional<int> gender;
    if (!choose(args, "gender", std::array<std::string_view, 2>{"male", "female"}, &gender) ||
        !choose(args, "skin", std::array<std::string_view, 3>{"light", "medium", "dark"},
                &choices.skinColour) ||
        !choose(args, "body-type", std::array<std::string_view, 3>{"fit", "full", "thin"},
                &choices.bodyType)) {
        *error = "--gender male|female, --skin light|medium|dark, --body-type fit|full|thin";
        return std::nullopt;
    }
    if (gender) choices.female = *gender == 1;
    choices.head = args.value("head");
    choices.headTexture = args.value("head-texture");
    choices.body = args.value("body");
    choices.bodyTexture = args.value("body-texture");
    choices.fashionBody = args.value("fashion-body");
    choices.fashionTexture = args.value("fashion-texture");
    return choices;
}

LookOutcome applyLookChoices(LookLists& lists, character::CharacterCatalogue& catalogue,
                             const LookChoices& choices) {
    lists.start();
    lists.showNormalPage();
    if (choices.female) lists.genderChanged(*choices.female);
    if (choices.skinColour) (void)lists.skinColourChanged(*choices.skinColour);
    if (choices.bodyType) (void)lists.bodyTypeChanged(*choices.bodyType);
    LookOutcome outcome;
    if (!pick(
            lists.bodies(), choices.body, choices.savedBody, "body", "body",
            [&](int i) { (void)lists.bodySelected(i); }, &outcome) ||
        !pick(
            lists.bodyTextures(), choices.bodyTexture, choices.savedBodyTexture, "body-texture",
            "body texture", [&](int i) { lists.bodyTextureSelected(i); }, &outcome) ||
        !pick(
            lists.heads(), choices.head, choices.savedHead, "head", "head",
            [&](int i) { (void)lists.headSelected(i); }, &outcome) ||
        !pick(
            lists.headTextures(), choices.headTexture, choices.savedHeadTexture, "head-texture",
            "head texture", [&](int i) { lists.headTextureSelected(i); }, &outcome))
        return outcome;
    const character::Appearance& a = lists.appearance();
    LookOutcome checked = checkCatalogue(catalogue, lists, {&a.headMesh, &a.bodyMesh});
    checked.warnings = std::move(outcome.warnings);
    return checked;
}

LookOutcome applyFashionChoices(LookLists& lists, character::CharacterCatalogue& catalogue,
                                const LookChoices& choices) {
    lists.showFashionPage();
    LookOutcome outcome;
    if (!pick(
            lists.bodies(), choices.fashionBody, choices.savedFashionBody, "fashion-body",
            "high-fashion body", [&](int i) { (void)lists.bodySelected(i); }, &outcome) ||
        !pick(
            lists.bodyTextures(), choices.fashionTexture, choices.savedFashionTexture,
            "fashion-texture", "high-fashion body texture",
            [&](int i) { lists.bodyTextureSelected(i); }, &outcome))
        return outcome;
    LookOutcome checked = checkCatalogue(catalogue, lists, {&lists.appearance().fashionBodyMesh});
    checked.warnings = std::move(outcome.warnings);
    return checked;
}

LookSession::LookSession(const std::string& gameFolder)
    : index_(gameFolder),
      types_(index_),
      catalogue_(index_, types_),
      lists_(catalogue_, index_, types_, look_, dressing_, nullptr, sounds_) {}

bool LookSession::build() {
    return catalogue_.build(character::kCharacterPathList, character::kAnimationPathList);
}

}  // namespace marquill::cli
